#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include "analysis/calendar_moment.h"
#include "gui/app/main_form.h"
#include "gui/views/drawdown_model.h"
#include "gui/views/mdi_child.h"
#include "gui/views/months_model.h"
#include "gui/views/paint_box.h"
#include "gui_test_support.h"
#include "text/number_format.h"

namespace quillfen {

using testing::Fixture;
using testing::ProgramUnderTest;
using testing::StatementsFolder;

namespace {

QJsonObject CommandLineJson(const QString& report, const QStringList& arguments) {
  QProcess cli;
  cli.start(QUILLFEN_REPORT, QStringList{report, "--json"} + arguments);
  if (!cli.waitForFinished(120000) || cli.exitCode() != 0) return {};
  return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

QString Fixed(double value, int decimals) {
  return QString::fromStdString(FormatFixed(value, 0, decimals));
}

TMDIChild* OpenWindow(ProgramUnderTest& program, const QString& file) {
  program.Form().OpenChosenName(file);
  if (program.Form().ReportWindows().size() != 1) return nullptr;
  return program.Form().ReportWindows().constFirst();
}

// The Months cells as the command line's months: its return, money and trades.
void CompareMonths(const QAbstractItemModel& cells, const QJsonArray& months) {
  QVERIFY(!months.isEmpty());
  int row = -1;
  QString year;
  for (const QJsonValue& value : months) {
    const QJsonObject month = value.toObject();
    const QString name = month["month"].toString();
    if (name.left(4) != year) {
      year = name.left(4);
      ++row;
      QCOMPARE(cells.headerData(row, Qt::Vertical, Qt::DisplayRole).toString(), year);
    }
    const QModelIndex cell = cells.index(row, name.mid(5).toInt() - 1);
    QCOMPARE(cell.data(Qt::DisplayRole).toString(),
             Fixed(month["returnPercent"].toDouble(), 1) + '%');
    const QString tip = cell.data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(Fixed(month["profit"].toDouble(), 2) + ", " +
                          QString::number(month["trades"].toInt()) + " trade"),
             qPrintable(tip));
  }
  QCOMPARE(cells.rowCount(), row + 1);
}

void CompareDrawdowns(const QAbstractItemModel& rows, const QJsonArray& drawdowns) {
  QCOMPARE(rows.rowCount(), drawdowns.size());
  for (int r = 0; r < rows.rowCount(); ++r) {
    const QJsonObject episode = drawdowns[r].toObject();
    auto cell = [&rows, r](int column) { return rows.index(r, column).data().toString(); };
    QCOMPARE(cell(0), episode["start"].toString());
    QCOMPARE(cell(1), episode["low"].toString());
    QCOMPARE(cell(2), episode["recovery"].toString());  // null reads as empty
    QCOMPARE(cell(3), Fixed(episode["depth"].toDouble(), 2));
    QCOMPARE(cell(4), Fixed(episode["depthPercent"].toDouble(), 1));
    QCOMPARE(cell(5), QString::number(episode["days"].toInteger()));
    QCOMPARE(cell(6), episode["recoveryDays"].isNull()
                          ? QString()
                          : QString::number(episode["recoveryDays"].toInteger()));
  }
}

}  // namespace

class MonthsTabTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowEqualsTheCommandLine_data();
  void WindowEqualsTheCommandLine();
  void TimeShiftTurnsBackAndIsRemembered();
};

void MonthsTabTest::WindowEqualsTheCommandLine_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("shift");
  QTest::newRow("statement, 4520 trades")
      << QDir(StatementsFolder()).filePath("002-mamolas-detailed-xauusd-4k-trades.htm") << "0";
  QTest::newRow("tester report, broker's clock -2.5 h")
      << QDir(StatementsFolder()).filePath("026-tester-scalper-1900-trades.htm") << "-2.5";
}

// The Months cells and the Drawdowns rows show what --json prints; the tab
// is a table a keyboard walks, and the table is named by its caption.
void MonthsTabTest::WindowEqualsTheCommandLine() {
  QFETCH(QString, file);
  QFETCH(QString, shift);
  if (!QFile::exists(file)) QSKIP("the real MetaTrader statements are not here");
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMDIChild* window = OpenWindow(program, file);
  QVERIFY(window);
  window->PageControl2->setCurrentWidget(window->OptionsTabSheet);
  window->TimeShiftEdit->setText(shift);
  window->PageControl2->setCurrentWidget(window->MonthsTabSheet);
  QCOMPARE(window->PageControl2->tabText(window->PageControl2->currentIndex()), QString("Months"));
  QCOMPARE(window->PageControl2->indexOf(window->MonthsTabSheet),
           window->PageControl2->indexOf(window->TimesTabSheet) + 1);

  const QJsonObject json = CommandLineJson(file, {"--time-shift=" + shift});
  QVERIFY(!json.isEmpty());
  QAbstractItemModelTester months(window->MonthsGrid->model(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest);
  CompareMonths(*window->MonthsGrid->model(), json["months"].toArray());
  QCOMPARE(window->MonthsGrid->accessibleName(), QString("Months"));
  // From the first month's cell the arrow key goes to the next, read with its name.
  const QString first = json["months"].toArray()[0].toObject()["month"].toString();
  const int column = first.mid(5).toInt() - 1;
  window->MonthsGrid->setFocus();
  window->MonthsGrid->setCurrentIndex(window->MonthsGrid->model()->index(0, column));
  QTest::keyClick(window->MonthsGrid, Qt::Key_Right);
  QCOMPARE(window->MonthsGrid->currentIndex().column(), column + 1);
  const QString next = column + 1 < MonthsModel::kYearColumn
                           ? QLocale::c().standaloneMonthName(column + 2) + ' ' + first.left(4)
                           : first.left(4);
  QVERIFY(window->MonthsGrid->currentIndex()
              .data(Qt::AccessibleTextRole)
              .toString()
              .startsWith(next + ": "));

  window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
  QCOMPARE(window->DrawdownGrid->accessibleName(), QString("Drawdowns"));
  QAbstractItemModelTester drawdowns(window->DrawdownGrid->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest);
  CompareDrawdowns(*window->DrawdownGrid->model(), json["drawdowns"].toArray());
  // Sorted by a header, and back to the deepest first.
  window->DrawdownGrid->sortByColumn(0, Qt::AscendingOrder);
  const QAbstractItemModel* shown = window->DrawdownGrid->model();
  for (int r = 1; r < shown->rowCount(); ++r)
    QVERIFY(shown->index(r - 1, 0).data().toString() <= shown->index(r, 0).data().toString());
  window->DrawdownGrid->sortByColumn(-1, Qt::AscendingOrder);
  CompareDrawdowns(*window->DrawdownGrid->model(), json["drawdowns"].toArray());

  // A chosen episode is marked on the Balance chart, over the chart as it was.
  window->PageControl2->setCurrentWidget(window->BalanceTabSheet);
  const QImage plain = window->BalancePaintBox->grab().toImage();
  window->DrawdownGrid->selectRow(0);
  const QImage marked = window->BalancePaintBox->grab().toImage();
  QVERIFY(plain != marked);
  window->DrawdownGrid->clearSelection();
  QCOMPARE(window->BalancePaintBox->grab().toImage(), plain);

  window->PageControl2->setCurrentWidget(window->MonthsTabSheet);
  QDir().mkpath(QUILLFEN_LOOK_OUTPUT);
  window->MonthsTabSheet->grab().save(
      QDir(QUILLFEN_LOOK_OUTPUT).filePath("months_" + QFileInfo(file).baseName() + ".png"));
}

// A shift that is no number, or out of range, turns back with the message; a
// valid one goes into the window's state for the next window.
void MonthsTabTest::TimeShiftTurnsBackAndIsRemembered() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMDIChild* window = OpenWindow(program, Fixture("statement_analysis_mix.htm"));
  QVERIFY(window);
  for (const char* bad : {"two", "25", "1.1"}) {
    window->PageControl2->setCurrentWidget(window->OptionsTabSheet);
    window->TimeShiftEdit->setText(bad);
    window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
    QCOMPARE(window->TimeShiftEdit->text(), QString("0"));
    QCOMPARE(program.Messages().last(),
             QString("The time shift is a number of hours from -24 to 24 in quarter hours, such "
                     "as 2 or -1.75."));
  }
  window->PageControl2->setCurrentWidget(window->OptionsTabSheet);
  window->TimeShiftEdit->setText("-1.75");
  window->PageControl2->setCurrentWidget(window->TimesTabSheet);
  QCOMPARE(window->report.options.timeShiftMinutes, -105);
  QVERIFY(program.ReadFile("Quillfen.state").contains("timeShiftMinutes=-105\r\n"));
  program.Form().OpenChosenName(Fixture("statement_export_mix.htm"));
  QCOMPARE(program.Form().ReportWindows().size(), 2);
  QCOMPARE(program.Form().ReportWindows().constLast()->TimeShiftEdit->text(), QString("-1.75"));
}

}  // namespace quillfen

QTEST_MAIN(quillfen::MonthsTabTest)
#include "months_tab_test.moc"
