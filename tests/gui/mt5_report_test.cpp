#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>

#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui_test_support.h"
#include "import/printed_figures.h"

namespace quillfen {

using testing::Fixture;
using testing::ProgramUnderTest;
using testing::StatementsFolder;

namespace {

// What the command line prints for the report with these arguments.
QByteArray CommandLine(const QString& report, const QStringList& arguments) {
  QProcess cli;
  cli.start(QUILLFEN_REPORT, QStringList{report} + arguments);
  if (!cli.waitForFinished(120000) || cli.exitCode() != 0) return {};
  return cli.readAllStandardOutput();
}

// A grid's rows as the command line's --json writes them: header row first.
QJsonArray GridRows(const VisibleGrid& grid) {
  QJsonArray rows;
  for (int r = 0; r < grid.RowCount(); ++r) {
    QJsonArray cells;
    for (int c = 0; c < grid.Columns(); ++c)
      cells.append(QString::fromStdString(std::string(grid.Cell(c, r))));
    rows.append(cells);
  }
  return rows;
}

}  // namespace

class Mt5ReportTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowShowsTheFiguresAndEqualsTheCommandLine_data();
  void WindowShowsTheFiguresAndEqualsTheCommandLine();
};

void Mt5ReportTest::WindowShowsTheFiguresAndEqualsTheCommandLine_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<bool>("printsResults");
  QTest::newRow("real, English")
      << QDir(StatementsFolder()).filePath("mt5/m01-didinska-tester-291-deals-hedging.html")
      << true;
  QTest::newRow("real, Japanese")
      << QDir(StatementsFolder())
             .filePath("mt5/m04-jomojomojo-tester-ja-613-deals-partial-closes.html")
      << true;
  QTest::newRow("fixture with results") << Fixture("mt5_tester_results.htm") << true;
  QTest::newRow("fixture without results") << Fixture("mt5_tester_two_sided.htm") << false;
}

// The Summary tab shows the MetaTrader 5 terminal's figures for the trades,
// then the ones only the report could print, marked as its own; the window's
// Summary, grids and trade table are the command line's.
void Mt5ReportTest::WindowShowsTheFiguresAndEqualsTheCommandLine() {
  QFETCH(QString, file);
  QFETCH(bool, printsResults);
  if (!QFile::exists(file)) QSKIP("the real MetaTrader 5 reports are not here");
  ProgramUnderTest program;
  QVERIFY(program.Start());
  program.Form().OpenChosenName(file);
  QCOMPARE(program.Form().ReportWindows().size(), 1);
  TMDIChild* window = program.Form().ReportWindows().constFirst();
  window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
  const Report& report = window->report;
  const QString summary = window->SummaryMemo->toPlainText();
  QVERIFY(summary.contains("Balance Drawdown Maximal"));
  QVERIFY(summary.contains("Maximal consecutive profit (count)"));
  QCOMPARE(summary.contains("Printed in the report"), printsResults);
  QCOMPARE(summary.contains("Sharpe Ratio"), printsResults);
  QCOMPARE(program.Messages().contains(kNoResultsBlock), !printsResults);
  if (printsResults) {
    // The report's own figures come after the computed ones, as printed.
    QVERIFY(summary.indexOf("Printed in the report") > summary.indexOf("Balance Drawdown"));
    for (const PrintedFigure& figure : report.stats.printedFigures)
      if (figure.label == "Equity Drawdown Maximal")
        QVERIFY(summary.contains(QString::fromStdString(figure.text)));
  }

  QCOMPARE(QString::fromUtf8(CommandLine(file, {"--summary"})), summary + '\n');
  const QJsonObject json = QJsonDocument::fromJson(CommandLine(file, {"--json"})).object();
  QVERIFY(!json.isEmpty());
  QCOMPARE(json["grid1"].toArray(), GridRows(report.grid1));
  QCOMPARE(json["grid2"].toArray(), GridRows(report.grid2));
  QCOMPARE(json["printedFigures"].toObject().size(),
           static_cast<qsizetype>(report.stats.printedFigures.size()));
  QStringList table;
  for (int r = 0; r < report.full.RowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < TradeTable::kColumns; ++c)
      cells << QString::fromStdString(std::string(report.full.Cell(c, r)));
    table << cells.join('\t');
  }
  QCOMPARE(QString::fromUtf8(CommandLine(file, {"--table"})), table.join('\n') + '\n');
}

}  // namespace quillfen

QTEST_MAIN(quillfen::Mt5ReportTest)
#include "mt5_report_test.moc"
