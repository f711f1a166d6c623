#include <signal.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/page_notice.h"
#include "gui/views/paint_box.h"
#include "gui_test_support.h"
#include "views/balance_chart.h"
#include "views/display_list.h"
#include "views/times_chart.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

QString MakeTesterReport(const QTemporaryDir& folder, int trades) {
  const QString path = folder.filePath(QString("tester%1.htm").arg(trades));
  const int status = QProcess::execute(
      QUILLFEN_MAKE_STATEMENT, {"--kind", "tester", "-n", QString::number(trades), "--swap-reopen",
                                "300", "--close-at-stop", "2", "--seed", "5", "-o", path});
  return status == 0 ? path : QString();
}

// A statement followed by a table of 400,000 one-digit cells, as a crafted
// page would carry: 4 MB, which the page viewer would take some 2 GB to show.
QString MakeCrowdedStatement(const QTemporaryDir& folder) {
  const QString path = folder.filePath("crowded.htm");
  if (QProcess::execute(QUILLFEN_MAKE_STATEMENT,
                        {"--kind", "statement", "-n", "2000", "--seed", "5", "-o", path}) != 0)
    return {};
  QFile page(path);
  if (!page.open(QIODevice::Append)) return {};
  QByteArray row = "<tr>";
  for (int cell = 0; cell < 40; ++cell) row += "<td>" + QByteArray::number(cell % 10) + "</td>";
  row += "</tr>\n";
  page.write("<table>\n");
  for (int r = 0; r < 10000; ++r) page.write(row);
  page.write("</table>\n");
  return path;
}

// The command line's output for the report, written to a file beside it.
QString RunCommandLine(const QString& report, const QString& name, const QStringList& arguments) {
  const QString output = QFileInfo(report).dir().filePath(name);
  QProcess cli;
  cli.setStandardOutputFile(output);
  cli.start(QUILLFEN_REPORT, QStringList{report} + arguments);
  return cli.waitForFinished(300000) && cli.exitCode() == 0 ? output : QString();
}

QString Size(const QWidget* box) {
  return QString("%1x%2").arg(box->width()).arg(box->height());
}

QString Text(const DisplayList& list) {
  return QString::fromStdString(DisplayListText(list));
}

// The --json object with its row arrays read a line at a time: each grid row
// is checked against the window's grid as it is met, the rest is kept.
struct JsonCheck {
  QJsonObject small;
  int rowsChecked = 0;
  int mismatches = 0;
};

JsonCheck CheckJson(const QString& path, const Report& report) {
  JsonCheck check;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return check;
  QByteArray key, block;
  int row = 0;
  auto keep = [&] {
    if (key.isEmpty() || block.isEmpty()) return;
    const QByteArray value = block.trimmed();
    const QByteArray object = "{\"v\":" + (value.endsWith(',') ? value.chopped(1) : value) + "}";
    check.small.insert(QString::fromUtf8(key), QJsonDocument::fromJson(object).object()["v"]);
  };
  while (!file.atEnd()) {
    const QByteArray line = file.readLine();
    if (line.startsWith("  \"")) {
      keep();
      const int colon = line.indexOf("\": ");
      key = line.mid(3, colon - 3);
      block = line.mid(colon + 3);
      row = 0;
    } else if (line.startsWith("    [") && (key == "grid1" || key == "grid2")) {
      QByteArray cells = line.trimmed();
      if (cells.endsWith(',')) cells.chop(1);
      const QJsonArray array = QJsonDocument::fromJson("[" + cells + "]").array()[0].toArray();
      const VisibleGrid& grid = key == "grid1" ? report.grid1 : report.grid2;
      bool same = array.size() == grid.Columns();
      for (int c = 0; same && c < grid.Columns(); ++c)
        same = array[c].toString().toStdString() == grid.Cell(c, row);
      check.mismatches += same ? 0 : 1;
      ++check.rowsChecked;
      ++row;
    } else if (key != "grid1" && key != "grid2" && key != "tableRows") {
      block += line;
    }
  }
  keep();
  return check;
}

}  // namespace

class LargeReportTest : public QObject {
  Q_OBJECT

 private slots:
  void LargePageWaitsForTheUser();
  void StoppedRendererLeavesALineAndAReload();
  void WindowEqualsTheCommandLineAtTwoHundredThousandTrades();
};

void LargeReportTest::LargePageWaitsForTheUser() {
  QTemporaryDir folder;
  const QString large = MakeCrowdedStatement(folder);
  const qint64 bytes = QFileInfo(large).size();
  QVERIFY(bytes < 5 * 1024 * 1024);  // small in bytes, costly in cells
  ProgramUnderTest program;
  QVERIFY(program.Start());
  program.Form().OpenChosenName(large);
  TMDIChild* window = program.Form().ReportWindows().constFirst();
  PageNotice* notice = window->ReportPageNotice;

  QVERIFY(notice->isVisible());
  QVERIFY(!window->WebBrowser->isVisible());
  QVERIFY(window->WebBrowser->url().isEmpty());  // no renderer started
  const QString size = QString::number(static_cast<double>(bytes) / (1024 * 1024), 'f', 1);
  QVERIFY2(notice->NoticeLabel->text().contains(size + " MB"),
           qPrintable(notice->NoticeLabel->text()));
  QCOMPARE(notice->NoticeLabel->accessibleName(), notice->NoticeLabel->text());
  for (QPushButton* button : {notice->ShowAnywayButton, notice->OpenInBrowserButton})
    QVERIFY(button->isVisible());
  QVERIFY(!notice->ReloadButton->isVisible());
  for (QPushButton* button :
       {notice->ShowAnywayButton, notice->OpenInBrowserButton, notice->ReloadButton})
    QCOMPARE(button->accessibleName(), button->text());

  // The rest of the window is filled as for any report.
  QVERIFY(window->report.full.TradeRows() >= 2000);
  QVERIFY(window->SummaryMemo->toPlainText().contains("Total lots traded"));

  QTest::mouseClick(notice->ShowAnywayButton, Qt::LeftButton);
  QVERIFY(!notice->isVisible());
  QVERIFY(window->WebBrowser->isVisible());
  QCOMPARE(window->WebBrowser->page()->requestedUrl(), QUrl::fromLocalFile(large));
  window->WebBrowser->stop();
}

void LargeReportTest::StoppedRendererLeavesALineAndAReload() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  program.Form().OpenChosenName(Example("statement.htm"));
  TMDIChild* window = program.Form().ReportWindows().constFirst();
  PageNotice* notice = window->ReportPageNotice;
  QVERIFY(!notice->isVisible());
  QWebEnginePage* page = window->WebBrowser->page();
  QTRY_VERIFY_WITH_TIMEOUT(page->renderProcessPid() > 0, 60000);

  const qint64 renderer = page->renderProcessPid();
  QCOMPARE(::kill(static_cast<pid_t>(renderer), SIGKILL), 0);
  QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 30000);
  QVERIFY(!window->WebBrowser->isVisible());
  QVERIFY(notice->NoticeLabel->text().contains("renderer stopped"));
  QVERIFY(notice->ReloadButton->isVisible());
  QVERIFY(!notice->ShowAnywayButton->isVisible());
  window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
  QVERIFY(window->SummaryMemo->toPlainText().contains("Total lots traded"));
  window->PageControl2->setCurrentWidget(window->ReportTabSheet);

  QTest::mouseClick(notice->ReloadButton, Qt::LeftButton);
  QVERIFY(!notice->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(page->renderProcessPid() > 0 && page->renderProcessPid() != renderer,
                           60000);
}

// The window's grids, Summary and charts against the command line's for one
// report, row for row and item for item.
void LargeReportTest::WindowEqualsTheCommandLineAtTwoHundredThousandTrades() {
  QTemporaryDir folder;
  const QString file = MakeTesterReport(folder, 200000);
  QVERIFY(!file.isEmpty());
  ProgramUnderTest program;
  QVERIFY(program.Start());
  program.Form().OpenChosenName(file);
  TMDIChild* window = program.Form().ReportWindows().constFirst();
  const Report& report = window->report;
  for (QWidget* tab : {window->SummaryTabSheet, window->BalanceTabSheet, window->TimesTabSheet})
    window->PageControl2->setCurrentWidget(tab);

  const QString json = RunCommandLine(
      file, "json.out",
      {"--json", "--chart", "balance", "--chart-size", Size(window->BalancePaintBox)});
  const QString times = RunCommandLine(file, "times.out",
                                       {"--chart", "open-times", "--chart", "close-times",
                                        "--chart-size", Size(window->TimesPaintBox)});
  QVERIFY(!json.isEmpty() && !times.isEmpty());

  const JsonCheck check = CheckJson(json, report);
  QCOMPARE(check.rowsChecked, report.grid1.RowCount() + report.grid2.RowCount());
  QCOMPARE(check.mismatches, 0);
  QVERIFY(report.grid1.RowCount() > 200000);

  QStringList summary;
  for (const QJsonValue& line : check.small["summary"].toArray()) summary << line.toString();
  QCOMPARE(summary.size(), static_cast<qsizetype>(report.summaryMemo.size()));
  QVERIFY(window->SummaryMemo->toPlainText().startsWith(summary.join('\n')));

  const QSize balance = window->BalancePaintBox->size();
  QCOMPARE(Text(PaintBalanceChart(report, report.stats.initialDeposit, balance.width(),
                                  balance.height(), ChartSurface::balanceTab)),
           check.small["charts"].toObject()["balance"].toString());
  QFile timesOutput(times);
  QVERIFY(timesOutput.open(QIODevice::ReadOnly));
  const QSize timesSize = window->TimesPaintBox->size();
  QCOMPARE(Text(PaintTimesChart(report.grid1, timesSize.width(), timesSize.height(),
                                TimesBasis::openTimes)) +
               Text(PaintTimesChart(report.grid1, timesSize.width(), timesSize.height(),
                                    TimesBasis::closeTimes)),
           QString::fromUtf8(timesOutput.readAll()));
}

}  // namespace quillfen

QTEST_MAIN(quillfen::LargeReportTest)
#include "large_report_test.moc"
