#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/paint_box.h"
#include "gui/views/simulation_panel.h"
#include "gui/views/trade_grid_model.h"
#include "gui_test_support.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

QString OneDecimal(double value) {
  return QString::number(std::fabs(value), 'f', 1);
}

void Type(QLineEdit* edit, const QString& keys) {
  edit->clear();
  QTest::keyClicks(edit, keys);
}

// A trading system entered by hand, in dollars: 30 won, 20 lost, `wins` percent of trades won.
void EnterSystemInDollars(const SimulationPanel* p, const QString& wins = "50") {
  if (p->ImportCheckBox->isChecked()) p->ImportCheckBox->click();
  p->DollarsRadioButton->click();
  Type(p->AvgProfitEdit, "30");
  Type(p->AvgLossEdit, "20");
  Type(p->PercWinsEdit, wins);
}

// A pass of a million runs that no run ends early: a system that wins more
// than it loses, in dollars, on a large deposit.
void SetUpLongPass(TMDIChild* w) {
  const SimulationPanel* p = w->simulation;
  p->ImportCheckBox->click();
  p->DollarsRadioButton->click();
  Type(p->AvgProfitEdit, "10");
  Type(p->AvgLossEdit, "5");
  Type(p->PercWinsEdit, "60");
  w->tradeSettings1.depositRadioButton->click();
  w->tradeSettings1.depositEdit->setText("1000000");
  Type(p->NumTradesEdit, "1000");
  Type(p->NumRunsEdit, "5000000");
}

// Clicks the button again once the pass has run for a while; `during` looks
// at the window while the pass runs.
void WhileRunning(const SimulationPanel* panel, const std::function<void()>& during) {
  QTimer::singleShot(150, panel, during);
  panel->StartButton->click();
}

}  // namespace

class SimulationPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void AutoImportFillsAndLocksTheTradingSystem();
  void NumericBoxesTakeDigitsAndOnePeriod();
  void TradesAndDaysFollowEachOther();
  void DollarsHideThePositionSizing();
  void ModeListSwitchesTheFirstResult();
  void StartRefusesSilentlyWithAnEmptyBox();
  void StopKeepsTheRunsPlayed();
  void ClosingDuringAPassStopsItFirst();
  void QuittingDuringAPassEndsOnceItStops();
  void MinimumDepositSearchKeepsTheUsersDeposit();
  void SimulationOnlyWindowNeedsNoStatement();
  void APassShowsItsFinalBalancesAndMovesNothing_data();
  void APassShowsItsFinalBalancesAndMovesNothing();
  void EachModeBeforeDuringAndAfter();
  void WindowAndCommandLineAgree_data();
  void WindowAndCommandLineAgree();
  void HistoryModesShowTheirOwnInputsAndResults();
  void HistoryWindowAndCommandLineAgree_data();
  void HistoryWindowAndCommandLineAgree();
  void PicturesTakeTheResultAreasWidth_data();
  void PicturesTakeTheResultAreasWidth();
  void ABadChallengeIsSaidAndPlaysNothing();

 private:
  TMDIChild* OpenOnPanel();
  std::unique_ptr<ProgramUnderTest> program_;
};

void SimulationPanelTest::init() {
  program_ = std::make_unique<ProgramUnderTest>();
  QVERIFY(program_->Start());
}

void SimulationPanelTest::cleanup() {
  program_.reset();
}

TMDIChild* SimulationPanelTest::OpenOnPanel() {
  program_->Form().OpenChosenName(Example("statement.htm"));
  TMDIChild* window = program_->Form().ReportWindows().constLast();
  window->PageControl2->setCurrentWidget(window->DorvaneTabSheet);
  return window;
}

void SimulationPanelTest::AutoImportFillsAndLocksTheTradingSystem() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  const ReportStatistics& s = w->report.stats;
  QVERIFY(p->ImportCheckBox->isChecked());
  QCOMPARE(p->AvgProfitEdit->text(), OneDecimal(s.averageWinPips));
  QCOMPARE(p->AvgLossEdit->text(), OneDecimal(s.averageLossPips));
  QCOMPARE(p->PercWinsEdit->text(), OneDecimal(s.percentProfitable));
  for (QLineEdit* box : {p->AvgProfitEdit, p->AvgLossEdit, p->PercWinsEdit})
    QVERIFY(!box->isEnabled());

  // Dollars takes effect with the next recompute, not with the click.
  const QString pips = p->AvgProfitEdit->text();
  p->DollarsRadioButton->click();
  QCOMPARE(p->AvgProfitEdit->text(), pips);
  w->PageControl2->setCurrentWidget(w->SummaryTabSheet);
  QCOMPARE(p->AvgProfitEdit->text(), OneDecimal(s.averageWin));

  p->ImportCheckBox->click();
  for (QLineEdit* box : {p->AvgProfitEdit, p->AvgLossEdit, p->PercWinsEdit})
    QVERIFY(box->isEnabled());
  Type(p->AvgProfitEdit, "12");
  w->PageControl2->setCurrentWidget(w->DorvaneTabSheet);
  QCOMPARE(p->AvgProfitEdit->text(), "12");
}

void SimulationPanelTest::NumericBoxesTakeDigitsAndOnePeriod() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  Type(p->NumRunsEdit, "12.5.3");
  QCOMPARE(p->NumRunsEdit->text(), "12.53");
  Type(p->MaxDrawdownEdit, "2a-5 ");
  QCOMPARE(p->MaxDrawdownEdit->text(), "25");
  QTest::keyClick(p->MaxDrawdownEdit, Qt::Key_Backspace);
  QCOMPARE(p->MaxDrawdownEdit->text(), "2");
  p->ImportCheckBox->click();
  Type(p->PercWinsEdit, "456");
  QCOMPARE(p->PercWinsEdit->text(), "45");
}

void SimulationPanelTest::TradesAndDaysFollowEachOther() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  // 50 listed trades between the header and spare rows, over 200 days.
  w->report.grid1.SetRowCount(52);
  w->Grid1Model->Reset();
  w->report.stats.periodDays = 200;

  Type(p->NumTradesEdit, "100");
  QCOMPARE(p->NumDaysEdit->text(), "400");
  QVERIFY(!p->NumDaysEdit->isEnabled());
  p->NumDaysEdit->setText("365");
  p->DaysRadioButton->click();
  QCOMPARE(p->NumTradesEdit->text(), "91");
  QVERIFY(!p->NumTradesEdit->isEnabled());
  QVERIFY(p->NumDaysEdit->isEnabled());
  Type(p->NumDaysEdit, "730");
  QCOMPARE(p->NumTradesEdit->text(), "182");
  p->TradesRadioButton->click();
  QCOMPARE(p->NumDaysEdit->text(), "728");  // 182 × 200 / 50

  w->report.grid1.SetRowCount(2);
  w->Grid1Model->Reset();
  Type(p->NumTradesEdit, "100");
  QCOMPARE(p->NumDaysEdit->text(), "0");
}

void SimulationPanelTest::DollarsHideThePositionSizing() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  QWidget* sizing = w->findChild<QWidget*>("PositionGroup1");
  QVERIFY(sizing->isVisible());
  QVERIFY(!p->RadioButton1->isVisible());
  QCOMPARE(p->DollarLabel1->text(), "pips");
  p->DollarsRadioButton->click();
  QVERIFY(!sizing->isVisible());
  QVERIFY(p->RadioButton1->isVisible());
  QCOMPARE(p->DollarLabel1->text(), "$");
  QCOMPARE(p->DollarLabel2->text(), "$");
  p->PipsRadioButton->click();
  QVERIFY(sizing->isVisible());
  QCOMPARE(p->DollarLabel2->text(), "pips");
}

void SimulationPanelTest::ModeListSwitchesTheFirstResult() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  const QList<std::pair<QString, QLineEdit*>> modes = {{"Perfect", p->PerfectEdit},
                                                       {"Min deposit", p->MinDepositEdit},
                                                       {"Min trades", p->MinTradesEdit}};
  for (int mode : {1, 2, 0}) {
    p->ComboBox2->setCurrentIndex(mode);
    QCOMPARE(p->ResultLabel->text(), modes[mode].first);
    for (const auto& [caption, box] : modes) QCOMPARE(box->isVisible(), box == modes[mode].second);
  }
}

void SimulationPanelTest::StartRefusesSilentlyWithAnEmptyBox() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  p->NumRunsEdit->clear();
  p->StartButton->click();
  QCOMPARE(p->StartButton->text(), "Start simulation");
  QVERIFY(p->PerfectEdit->text().isEmpty());
  QVERIFY(program_->Messages().isEmpty());

  // A typed deposit of 0 is refused before the tab's choices reach the Options tab.
  p->NumRunsEdit->setText("100");
  w->tradeSettings1.depositRadioButton->setChecked(true);
  w->tradeSettings1.depositEdit->setText("0");
  p->StartButton->click();
  QVERIFY(p->PerfectEdit->text().isEmpty());
  QVERIFY(w->tradeSettings.orgDepositRadioButton->isChecked());
}

void SimulationPanelTest::StopKeepsTheRunsPlayed() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  p->PerfectEdit->setText("stale");
  SetUpLongPass(w);
  QString caption, runs, perfect;
  WhileRunning(p, [&] {
    caption = p->StartButton->text();
    runs = p->NumRunsEdit->text();
    perfect = p->PerfectEdit->text();
    p->StartButton->click();
  });
  QCOMPARE(caption, "Stop simulation");
  QCOMPARE(runs, "1000000");
  QVERIFY(perfect.isEmpty());
  QCOMPARE(p->StartButton->text(), "Start simulation");
  QVERIFY(p->ProgressBar->value() > 0);
  QVERIFY(p->ProgressBar->value() < p->ProgressBar->maximum());
  for (QLineEdit* box : {p->PerfectEdit, p->RiskOfRuinEdit, p->BalanceEdit, p->ReturnEdit,
                         p->ProfitPerTradeEdit, p->AvgDrawdownEdit, p->ErrorRateEdit, p->DevEdit})
    QVERIFY2(!box->text().isEmpty(), qPrintable(box->objectName()));
  for (QLineEdit* ranged : {p->RiskOfRuinEdit, p->AvgDrawdownEdit, p->BalanceEdit, p->ReturnEdit})
    QVERIFY2(!ranged->toolTip().isEmpty(), qPrintable(ranged->objectName()));
  QCOMPARE(p->PerfectEdit->toolTip(), QString());
  // The cap that the runs box shows is also said.
  QCOMPARE(program_->Messages(), QStringList{"Runs capped at 1000000."});
}

void SimulationPanelTest::ClosingDuringAPassStopsItFirst() {
  TMDIChild* w = OpenOnPanel();
  QPointer<TMDIChild> window = w;
  SetUpLongPass(w);
  bool openWhileRunning = false;
  WhileRunning(w->simulation, [&] {
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    openWhileRunning = !window.isNull() && w->simulation->Running();
  });
  QVERIFY(openWhileRunning);
  QTRY_VERIFY(window.isNull());
  QVERIFY(program_->Form().ReportWindows().isEmpty());
}

void SimulationPanelTest::QuittingDuringAPassEndsOnceItStops() {
  TMDIChild* w = OpenOnPanel();
  QPointer<TMDIChild> window = w;
  SetUpLongPass(w);
  TMainForm& form = program_->Form();
  bool openWhileRunning = false;
  WhileRunning(w->simulation, [&] {
    form.close();
    openWhileRunning = form.isVisible() && w->simulation->Running();
  });
  QVERIFY(openWhileRunning);
  QTRY_VERIFY(window.isNull());
  QTRY_VERIFY(!form.isVisible());
}

void SimulationPanelTest::MinimumDepositSearchKeepsTheUsersDeposit() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  w->tradeSettings1.depositRadioButton->click();
  w->tradeSettings1.depositEdit->setText("2500");
  Type(p->NumRunsEdit, "100");
  p->ComboBox2->setCurrentIndex(1);
  p->StartButton->click();
  QVERIFY(!p->MinDepositEdit->text().isEmpty());
  QCOMPARE(w->tradeSettings1.depositEdit->text(), "2500");
  QCOMPARE(w->tradeSettings.depositEdit->text(), "2500");
  QVERIFY(w->tradeSettings.depositRadioButton->isChecked());
  QCOMPARE(w->report.options.depositText, "2500");
  QCOMPARE(w->report.options.deposit, DepositChoice::custom);
}

void SimulationPanelTest::SimulationOnlyWindowNeedsNoStatement() {
  program_->Form().StartDorvane->trigger();
  TMDIChild* w = program_->Form().ReportWindows().constLast();
  const SimulationPanel* p = w->simulation;
  QCOMPARE(w->PageControl2->currentWidget(), w->DorvaneTabSheet);
  QVERIFY(!w->tradeSettings1.orgDepositRadioButton->isEnabled());
  QVERIFY(!w->positionSizing1.originalPositionRadioButton->isEnabled());
  QVERIFY(!p->DaysRadioButton->isEnabled());
  QVERIFY(!p->ImportCheckBox->isEnabled());
  QVERIFY(!p->ImportCheckBox->isChecked());
  Type(p->AvgProfitEdit, "30");
  Type(p->AvgLossEdit, "20");
  Type(p->PercWinsEdit, "50");
  Type(p->NumRunsEdit, "200");
  p->StartButton->click();
  QVERIFY(!p->PerfectEdit->text().isEmpty());
  QCOMPARE(p->AvgProfitEdit->text(), "30");
}

void SimulationPanelTest::APassShowsItsFinalBalancesAndMovesNothing_data() {
  QTest::addColumn<QSize>("windowSize");
  QTest::newRow("as a window opens") << QSize(1023, 400);
  QTest::newRow("a tall window") << QSize(1100, 620);
}

// The picture of a pass goes below the results, where no control stands; a
// search shows none. Pictures of the tab before and after are kept with the
// other looks of the program.
void SimulationPanelTest::APassShowsItsFinalBalancesAndMovesNothing() {
  QFETCH(QSize, windowSize);
  TMDIChild* w = OpenOnPanel();
  w->parentWidget()->resize(windowSize);
  const SimulationPanel* p = w->simulation;
  EnterSystemInDollars(p);
  Type(p->NumRunsEdit, "2000");
  QMap<QWidget*, QRect> places;
  for (QWidget* control : w->DorvaneTabSheet->findChildren<QWidget*>())
    if (control->isVisible()) places[control] = control->geometry();
  QVERIFY(!p->OutcomeGroup->isVisible());
  QDir().mkpath(QUILLFEN_LOOK_OUTPUT);
  const QString look =
      QString(QUILLFEN_LOOK_OUTPUT) + "/simulation-" + QString::number(windowSize.height()) + "-";
  w->DorvaneTabSheet->grab().save(look + "before.png");

  p->StartButton->click();
  QTRY_COMPARE(p->StartButton->text(), QString("Start simulation"));
  QVERIFY(p->OutcomeGroup->isVisible());
  QVERIFY(p->OutcomePaintBox->height() >= (windowSize.height() > 600 ? 100 : 10));
  for (auto place = places.begin(); place != places.end(); ++place)
    QCOMPARE(place.key()->geometry(), place.value());
  w->DorvaneTabSheet->grab().save(look + "after.png");

  p->ComboBox2->setCurrentIndex(1);
  Type(p->NumRunsEdit, "200");
  p->StartButton->click();
  QTRY_COMPARE(p->StartButton->text(), QString("Start simulation"));
  QVERIFY(!p->OutcomeGroup->isVisible());
}

// Pictures of every mode before, during and after its pass, kept with the
// other looks of the program: during a pass the boxes stand empty and the
// button stops; afterwards the mode's first box is filled.
void SimulationPanelTest::EachModeBeforeDuringAndAfter() {
  TMDIChild* w = OpenOnPanel();
  w->parentWidget()->resize(1100, 620);
  const SimulationPanel* p = w->simulation;
  QDir().mkpath(QUILLFEN_LOOK_OUTPUT);
  const QString look = QString(QUILLFEN_LOOK_OUTPUT) + "/simulation-";
  const QStringList modes = {"montecarlo", "min-deposit", "min-trades"};
  const QList<QLineEdit*> firstBoxes = {p->PerfectEdit, p->MinDepositEdit, p->MinTradesEdit};
  EnterSystemInDollars(p);
  for (int mode = 0; mode < modes.size(); ++mode) {
    p->ComboBox2->setCurrentIndex(mode);
    Type(p->NumRunsEdit, mode == 0 ? "3000000" : "300000");
    w->DorvaneTabSheet->grab().save(look + modes[mode] + "-before.png");
    bool emptyWhileRunning = false;
    WhileRunning(p, [&] {
      if (!p->Running()) return;
      w->DorvaneTabSheet->grab().save(look + modes[mode] + "-during.png");
      emptyWhileRunning = p->RiskOfRuinEdit->text().isEmpty();
      p->StartButton->click();  // stop: the runs played so far give the results
    });
    QTRY_VERIFY(!p->Running());
    QVERIFY2(emptyWhileRunning, qPrintable(modes[mode]));
    QVERIFY(!firstBoxes[mode]->text().isEmpty());
    w->DorvaneTabSheet->grab().save(look + modes[mode] + "-after.png");
  }
}

void SimulationPanelTest::WindowAndCommandLineAgree_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("mode");
  const QStringList modes = {"montecarlo", "min-deposit", "min-trades"};
  QStringList files = {Example("statement.htm")};
  const QString real = testing::StatementsFolder() + "/002-mamolas-detailed-xauusd-4k-trades.htm";
  if (QFile::exists(real)) files << real;
  for (const QString& file : files)
    for (int mode = 0; mode < modes.size(); ++mode)
      QTest::newRow(qPrintable(QFileInfo(file).fileName() + " " + modes[mode])) << file << mode;
}

// The same inputs and seed give the same result boxes in the window as the
// command line prints.
void SimulationPanelTest::WindowAndCommandLineAgree() {
  QFETCH(QString, file);
  QFETCH(int, mode);
  const QStringList modes = {"montecarlo", "min-deposit", "min-trades"};
  QProcess cli;
  cli.start(QUILLFEN_REPORT, {file, "--simulate", modes[mode], "--units", "dollars", "--win", "45",
                              "--avg-profit", "30", "--avg-loss", "20", "--runs", "400", "--trades",
                              "100", "--max-dd", "30", "--seed", "1"});
  QVERIFY(cli.waitForFinished(120000));
  QCOMPARE(cli.exitCode(), 0);

  program_->Form().State().simulationSeed = 1;
  program_->Form().OpenChosenName(file);
  TMDIChild* w = program_->Form().ReportWindows().constLast();
  w->PageControl2->setCurrentWidget(w->DorvaneTabSheet);
  const SimulationPanel* p = w->simulation;
  EnterSystemInDollars(p, "45");
  Type(p->NumRunsEdit, "400");
  Type(p->NumTradesEdit, "100");
  Type(p->MaxDrawdownEdit, "30");
  p->ComboBox2->setCurrentIndex(mode);
  p->StartButton->click();
  QTRY_COMPARE_WITH_TIMEOUT(p->StartButton->text(), QString("Start simulation"), 120000);

  const QMap<QString, QLineEdit*> boxes = {{"Perfect", p->PerfectEdit},
                                           {"Min deposit", p->MinDepositEdit},
                                           {"Min trades", p->MinTradesEdit},
                                           {"Risk of ruin", p->RiskOfRuinEdit},
                                           {"Balance", p->BalanceEdit},
                                           {"Return", p->ReturnEdit},
                                           {"Profit/trade", p->ProfitPerTradeEdit},
                                           {"Drawdown", p->AvgDrawdownEdit},
                                           {"Error rate", p->ErrorRateEdit},
                                           {"Deviation", p->DevEdit}};
  int compared = 0;
  for (const QString& line : QString::fromUtf8(cli.readAllStandardOutput()).split('\n')) {
    const int colon = line.indexOf(':');
    if (colon < 0 || !boxes.contains(line.left(colon))) continue;
    const QString value = line.mid(colon + 1).trimmed().section("  (", 0, 0);
    QCOMPARE(boxes[line.left(colon)]->text(), value);
    ++compared;
  }
  QCOMPARE(compared, 8);
}

void SimulationPanelTest::HistoryModesShowTheirOwnInputsAndResults() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  const QList<QWidget*> inputs = {p->ReplayComboBox, p->ResampleTradesEdit, p->TargetEdit,
                                  p->MaxLossEdit,    p->DailyLossEdit,      p->ChallengeDaysEdit};
  // Per mode, which of the inputs above it shows.
  const QList<QList<bool>> shown = {
      {false, false, false, false, false, false}, {false, false, false, false, false, false},
      {false, false, false, false, false, false}, {true, true, false, false, false, false},
      {true, false, false, false, false, false},  {false, false, true, true, true, true}};
  QCOMPARE(p->ComboBox2->count(), 6);
  QCOMPARE(p->ComboBox2->itemText(3), "Resample trades");
  QCOMPARE(p->ComboBox2->itemText(4), "Shuffle trades");
  QCOMPARE(p->ComboBox2->itemText(5), "Trading challenge");
  for (int mode : {3, 5, 4, 0, 5, 1, 3, 2}) {
    p->ComboBox2->setCurrentIndex(mode);
    for (int i = 0; i < inputs.size(); ++i) {
      QCOMPARE(inputs[i]->isVisible(), shown[mode][i]);
      // Its caption comes and goes with it.
      for (const QLabel* label : w->DorvaneTabSheet->findChildren<QLabel*>())
        if (label->buddy() == inputs[i]) QCOMPARE(label->isVisible(), shown[mode][i]);
    }
    QCOMPARE(p->PercentilesGroup->isVisible(), mode >= 3);
    QCOMPARE(p->RiskOfRuinEdit->isVisible(), mode < 3);
  }
  QCOMPARE(p->TargetEdit->accessibleName(), "Target %");
  QCOMPARE(p->ReplayComboBox->accessibleName(), "Replay");
}

void SimulationPanelTest::HistoryWindowAndCommandLineAgree_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QStringList>("args");
  QStringList files = {Example("statement.htm")};
  const QString real = testing::StatementsFolder() + "/002-mamolas-detailed-xauusd-4k-trades.htm";
  if (QFile::exists(real)) files << real;
  for (const QString& file : files) {
    const QString name = QFileInfo(file).fileName();
    QTest::newRow(qPrintable(name + " resample"))
        << file << QStringList{"resample", "--trades", "150", "--replay", "money"};
    // The example's balance falls below 0 on the way: it has no shares to replay.
    const QString replay = file == files.front() ? "money" : "percent";
    QTest::newRow(qPrintable(name + " shuffle " + replay))
        << file << QStringList{"shuffle", "--replay", replay};
    QTest::newRow(qPrintable(name + " challenge"))
        << file << QStringList{"challenge",    "--target", "4",      "--max-loss", "6",
                               "--daily-loss", "2.5",      "--days", "25"};
  }
}

// The same inputs and seed give the same table in the window as the command
// line prints, row by row.
void SimulationPanelTest::HistoryWindowAndCommandLineAgree() {
  QFETCH(QString, file);
  QFETCH(QStringList, args);
  QProcess cli;
  cli.start(QUILLFEN_REPORT, QStringList{file, "--simulate"} + args +
                                 QStringList{"--runs", "500", "--max-dd", "20", "--seed", "3"});
  QVERIFY(cli.waitForFinished(120000));
  QCOMPARE(cli.exitCode(), 0);

  program_->Form().State().simulationSeed = 3;
  program_->Form().OpenChosenName(file);
  TMDIChild* w = program_->Form().ReportWindows().constLast();
  w->PageControl2->setCurrentWidget(w->DorvaneTabSheet);
  const SimulationPanel* p = w->simulation;
  const QStringList modes = {"resample", "shuffle", "challenge"};
  p->ComboBox2->setCurrentIndex(3 + static_cast<int>(modes.indexOf(args[0])));
  const QMap<QString, QLineEdit*> boxes = {{"--trades", p->ResampleTradesEdit},
                                           {"--target", p->TargetEdit},
                                           {"--max-loss", p->MaxLossEdit},
                                           {"--daily-loss", p->DailyLossEdit},
                                           {"--days", p->ChallengeDaysEdit}};
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--replay")
      p->ReplayComboBox->setCurrentIndex(args[i + 1] == "percent" ? 1 : 0);
    else
      Type(boxes[args[i]], args[i + 1]);
  }
  Type(p->NumRunsEdit, "500");
  Type(p->MaxDrawdownEdit, "20");
  p->StartButton->click();
  QTRY_COMPARE_WITH_TIMEOUT(p->StartButton->text(), QString("Start simulation"), 120000);
  QVERIFY(p->FanGroup->isVisible());

  QMap<QString, QString> shown;
  const QTableWidget* table = p->PercentilesTable;
  for (int r = 0; r < table->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
      if (table->item(r, c) && !table->item(r, c)->text().isEmpty())
        cells << table->item(r, c)->text();
    shown[table->verticalHeaderItem(r)->text()] = cells.join("  ");
  }
  int compared = 0;
  for (const QString& line : QString::fromUtf8(cli.readAllStandardOutput()).split('\n')) {
    const int colon = static_cast<int>(line.indexOf(':'));
    if (colon < 0 || line.startsWith("Percentiles")) continue;
    QCOMPARE(shown.value(line.left(colon), "(missing)"), line.mid(colon + 1).trimmed());
    ++compared;
  }
  QCOMPARE(compared, table->rowCount());
  QCOMPARE(compared, args[0] == "challenge" ? 9 : 4);
}

void SimulationPanelTest::PicturesTakeTheResultAreasWidth_data() {
  QTest::addColumn<QSize>("windowSize");
  QTest::addColumn<int>("mode");
  for (const QSize size : {QSize(1023, 400), QSize(1100, 620), QSize(1900, 1000)}) {
    const QString name = QString::number(size.width()) + "x" + QString::number(size.height());
    QTest::newRow(qPrintable(name + " final balances")) << size << 0;
    QTest::newRow(qPrintable(name + " fan")) << size << 4;
  }
}

// Each picture spans the column of the results and is as high as its shape
// asks where the window has room, at the top of its box. Pictures of the tab
// are kept with the other looks of the program.
void SimulationPanelTest::PicturesTakeTheResultAreasWidth() {
  QFETCH(QSize, windowSize);
  QFETCH(int, mode);
  TMDIChild* w = OpenOnPanel();
  w->parentWidget()->resize(windowSize);
  const SimulationPanel* p = w->simulation;
  EnterSystemInDollars(p);
  Type(p->NumRunsEdit, "500");
  p->ComboBox2->setCurrentIndex(mode);
  p->StartButton->click();
  QTRY_COMPARE(p->StartButton->text(), QString("Start simulation"));

  QWidget* group = mode == 0 ? p->OutcomeGroup : p->FanGroup;
  const QWidget* results =
      mode == 0 ? w->DorvaneTabSheet->findChild<QWidget*>("ResultsGroup") : p->PercentilesGroup;
  const PaintBox* picture = mode == 0 ? p->OutcomePaintBox : p->FanPaintBox;
  QVERIFY(group->isVisible());
  QCOMPARE(group->width(), results->width());
  QCOMPARE(group->x(), results->x());
  QVERIFY(picture->width() >= group->width() - 30);
  // Below the results, as high as the shape asks or as the tab has room for.
  const int room = w->DorvaneTabSheet->height() - group->y() - 30;
  QVERIFY2(picture->height() >= std::min(static_cast<int>(picture->width() * 0.55), room) - 2,
           qPrintable(QString::number(picture->height())));
  QVERIFY(group->height() <= picture->height() + 60);  // no tall empty box around it
  QDir().mkpath(QUILLFEN_LOOK_OUTPUT);
  w->DorvaneTabSheet->grab().save(QString(QUILLFEN_LOOK_OUTPUT) + "/simulation-picture-" +
                                  QString::number(mode) + "-" +
                                  QString::number(windowSize.width()) + ".png");
}

void SimulationPanelTest::ABadChallengeIsSaidAndPlaysNothing() {
  TMDIChild* w = OpenOnPanel();
  const SimulationPanel* p = w->simulation;
  p->ComboBox2->setCurrentIndex(5);
  Type(p->TargetEdit, "0");
  p->StartButton->click();
  QCOMPARE(p->StartButton->text(), "Start simulation");
  QCOMPARE(program_->Form().statusBar()->currentMessage(),
           "Target % must be above 0 and at most 1000");
  QCOMPARE(p->PercentilesTable->rowCount(), 0);
  QVERIFY(!p->FanGroup->isVisible());

  // The keys a count box turns back: a sign, letters.
  Type(p->DailyLossEdit, "-5x");
  QCOMPARE(p->DailyLossEdit->text(), "5");
  Type(p->TargetEdit, "8");
  p->StartButton->click();
  QTRY_COMPARE(p->StartButton->text(), QString("Start simulation"));
  QVERIFY(p->PercentilesTable->rowCount() > 0);
}

}  // namespace quillfen

QTEST_MAIN(quillfen::SimulationPanelTest)
#include "simulation_panel_test.moc"
