#include "gui/views/simulation_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <utility>

#include "display_list_painter.h"
#include "gui/views/option_groups.h"
#include "gui/views/paint_box.h"
#include "risk/history_pass.h"
#include "risk/monte_carlo_results.h"
#include "views/fan_chart.h"
#include "views/outcome_chart.h"

namespace quillfen {

namespace {

const QString kStart = "Start simulation";
const QString kStop = "Stop simulation";
const QColor kResultGrey(223, 223, 223);  // colour value 14671839
// A picture under the results is this much as high as it is wide.
constexpr double kPictureAspect = 0.55;

// Typed keys: digits and one period; backspace always. Texts set by the
// program (imported figures) are not checked, as in the typed-key rule.
class DigitKeys final : public QValidator {
 public:
  DigitKeys(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}
  State validate(QString& text, int&) const override {
    if (text.size() > maxLength_ || text.count('.') > 1) return Invalid;
    for (QChar c : text) {
      if (!c.isDigit() && c != '.') return Invalid;
    }
    return Acceptable;
  }

 private:
  int maxLength_;
};

QLineEdit* NumericEdit(const char* name, const QString& text, QWidget* parent,
                       int maxLength = 32767) {
  QLineEdit* edit = NewOptionEdit(name, text, parent);
  edit->setValidator(new DigitKeys(maxLength, edit));
  return edit;
}

// A caption on the left of its box, in one row of a group's grid.
QLineEdit* AddLabelled(QGridLayout* grid, int row, int column, const QString& caption,
                       QLineEdit* edit, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  LabelFor(label, edit);
  grid->addWidget(label, row, column);
  grid->addWidget(edit, row, column + 1);
  return edit;
}

QLineEdit* ResultBox(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setFixedWidth(80);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, kResultGrey);
  edit->setPalette(palette);
  return edit;
}

void SetIfChanged(QLineEdit* edit, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (edit->text() != shown) edit->setText(shown);
}

void ShowResult(QLineEdit* box, const std::string& text, const std::string& range = {}) {
  box->setText(QString::fromStdString(text));
  box->setCursorPosition(0);
  box->setToolTip(QString::fromStdString(range));
}

std::string Text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

}  // namespace

SimulationPanel::SimulationPanel(QGridLayout* grid, QWidget* tab, QWidget* sizingGroup)
    : QObject(tab), sizingGroup_(sizingGroup), tab_(tab) {
  RadioButton1 = NewRadio("RadioButton1", "Use dollar amount", tab, nullptr);
  RadioButton1->setChecked(true);
  RadioButton1->hide();
  grid->addWidget(RadioButton1, 1, 0, Qt::AlignTop);
  BuildTradingSystem(grid, tab);
  BuildSimulation(grid, tab);
  BuildResults(grid, tab);
  BuildOutcome(grid, tab);
  BuildHistoryResults(grid, tab);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(2, 1);
  for (QObject* watched : {static_cast<QObject*>(tab), static_cast<QObject*>(OutcomeGroup),
                           static_cast<QObject*>(FanGroup), static_cast<QObject*>(OutcomePaintBox),
                           static_cast<QObject*>(FanPaintBox)})
    watched->installEventFilter(this);
}

// A picture takes the width of the results' column and the height its shape
// asks, or what the tab has left below the results in a low window; its box
// ends under it. The row asks for no height, so no control ever moves.
void SimulationPanel::FitPictures() {
  constexpr int kBottomMargin = 6;
  for (auto [group, box] : {std::pair<QWidget*, PaintBox*>{OutcomeGroup, OutcomePaintBox},
                            std::pair<QWidget*, PaintBox*>{FanGroup, FanPaintBox}}) {
    if (!group->isVisible()) continue;
    const int chrome = group->sizeHint().height() - box->height();
    const int room = tab_->height() - group->y() - chrome - kBottomMargin;
    const int height = std::max(0, std::min(static_cast<int>(box->width() * kPictureAspect), room));
    if (box->height() != height) box->setFixedHeight(height);
  }
}

bool SimulationPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
      event->type() == QEvent::Move)
    FitPictures();
  return QObject::eventFilter(watched, event);
}

void SimulationPanel::BuildTradingSystem(QGridLayout* grid, QWidget* tab) {
  QWidget* group;
  auto* rows = new QGridLayout;
  NewOptionGroup("Trading system", "TradingSystemGroup", tab, &group)->addLayout(rows);
  AvgProfitEdit =
      AddLabelled(rows, 0, 0, "Avg profit", NumericEdit("AvgProfitEdit", "", group), group);
  AvgProfitEdit->setToolTip("Average profit in pips");
  DollarLabel1 = new QLabel("pips", group);
  rows->addWidget(DollarLabel1, 0, 2);
  AvgLossEdit = AddLabelled(rows, 1, 0, "Avg loss", NumericEdit("AvgLossEdit", "", group), group);
  AvgLossEdit->setToolTip("Average loss in pips");
  DollarLabel2 = new QLabel("pips", group);
  rows->addWidget(DollarLabel2, 1, 2);
  PercWinsEdit =
      AddLabelled(rows, 2, 0, "Wins %", NumericEdit("PercWinsEdit", "", group, 2), group);
  PercWinsEdit->setToolTip("Percentage wins");
  for (QLineEdit* edit : {AvgProfitEdit, AvgLossEdit, PercWinsEdit}) edit->setEnabled(false);

  auto* units = new QButtonGroup(group);
  PipsRadioButton = NewRadio("PipsRadioButton", "Pips", group, units);
  DollarsRadioButton = NewRadio("DollarsRadioButton", "Dollars", group, units);
  DollarsRadioButton->setToolTip("Position sizing has no effect");
  PipsRadioButton->setChecked(true);
  rows->addWidget(PipsRadioButton, 3, 0);
  rows->addWidget(DollarsRadioButton, 3, 1, 1, 2);
  ImportCheckBox = new QCheckBox("Auto import from report", group);
  ImportCheckBox->setObjectName("ImportCheckBox");
  ImportCheckBox->setChecked(true);
  rows->addWidget(ImportCheckBox, 4, 0, 1, 3);
  MaxDrawdownEdit =
      AddLabelled(rows, 5, 0, "Max dd %", NumericEdit("MaxDrawdownEdit", "30", group), group);
  MaxDrawdownEdit->setToolTip("Maximum drawdown");

  auto* counts = new QButtonGroup(group);
  TradesRadioButton = NewRadio("TradesRadioButton", "Trades", group, counts);
  NumTradesEdit = NumericEdit("NumTradesEdit", "100", group);
  NumTradesEdit->setToolTip("Number of trades");
  DaysRadioButton = NewRadio("DaysRadioButton", "Days", group, counts);
  NumDaysEdit = NumericEdit("NumDaysEdit", "365", group);
  TradesRadioButton->setChecked(true);
  NumDaysEdit->setEnabled(false);
  for (auto [row, radio, edit] : {std::tuple{6, TradesRadioButton, NumTradesEdit},
                                  std::tuple{7, DaysRadioButton, NumDaysEdit}}) {
    edit->setAccessibleName(radio->text());
    rows->addWidget(radio, row, 0);
    rows->addWidget(edit, row, 1);
  }

  AccuracyEdit = NumericEdit("AccuracyEdit", "99", group);
  auto* accuracy = new QLabel("Accuracy %", group);
  LabelFor(accuracy, AccuracyEdit);
  ImportButton = new QPushButton("Import from report", group);
  ImportButton->setObjectName("ImportButton");
  for (QWidget* hidden : {static_cast<QWidget*>(AccuracyEdit), static_cast<QWidget*>(accuracy),
                          static_cast<QWidget*>(ImportButton)}) {
    hidden->hide();
  }
  grid->addWidget(group, 0, 1, 2, 1, Qt::AlignTop);

  connect(PipsRadioButton, &QRadioButton::clicked, this, &SimulationPanel::UnitsClick);
  connect(DollarsRadioButton, &QRadioButton::clicked, this, &SimulationPanel::UnitsClick);
  connect(ImportCheckBox, &QCheckBox::toggled, this, &SimulationPanel::ImportToggled);
  connect(TradesRadioButton, &QRadioButton::toggled, this, &SimulationPanel::CountsToggled);
}

void SimulationPanel::BuildSimulation(QGridLayout* grid, QWidget* tab) {
  QWidget* group;
  auto* rows = new QGridLayout;
  NewOptionGroup("Simulation", "SimulationGroup", tab, &group)->addLayout(rows);
  ComboBox2 = new QComboBox(group);
  ComboBox2->setObjectName("ComboBox2");
  ComboBox2->addItems({"Monte Carlo simulation", "Minimum deposit (minimum risk of ruin)",
                       "Minimum # of trades (return larger than drawdown)", "Resample trades",
                       "Shuffle trades", "Trading challenge"});
  rows->addWidget(ComboBox2, 0, 0, 1, 3);
  ProgressBar = new QProgressBar(group);
  ProgressBar->setObjectName("ProgressBar");
  ProgressBar->setTextVisible(false);
  ProgressBar->setValue(0);
  // No caption of its own: the group's heading names it.
  ProgressBar->setAccessibleName("Simulation");
  rows->addWidget(ProgressBar, 1, 0, 1, 3);
  StartButton = new QPushButton(kStart, group);
  StartButton->setObjectName("StartButton");
  rows->addWidget(StartButton, 2, 0);
  NumRunsEdit = AddLabelled(rows, 2, 1, "Runs", NumericEdit("NumRunsEdit", "1000", group), group);
  NumRunsEdit->setToolTip("Number of simulation runs");
  BuildHistoryInputs(rows, group);
  grid->addWidget(group, 0, 2, Qt::AlignTop);
  connect(ComboBox2, &QComboBox::currentIndexChanged, this, &SimulationPanel::ModeChange);
}

void SimulationPanel::BuildResults(QGridLayout* grid, QWidget* tab) {
  QWidget* group;
  auto* rows = new QGridLayout;
  NewOptionGroup("Results", "ResultsGroup", tab, &group)->addLayout(rows);
  PerfectEdit = ResultBox("PerfectEdit", group);
  ResultLabel = new QLabel("Perfect", group);
  LabelFor(ResultLabel, PerfectEdit);
  rows->addWidget(ResultLabel, 0, 0);
  rows->addWidget(PerfectEdit, 0, 1);
  MinDepositEdit = ResultBox("MinDepositEdit", group);
  MinDepositEdit->setAccessibleName("Min deposit");
  MinTradesEdit = ResultBox("MinTradesEdit", group);
  MinTradesEdit->setAccessibleName("Min trades");
  for (QLineEdit* shared : {MinDepositEdit, MinTradesEdit}) {
    shared->hide();
    rows->addWidget(shared, 0, 1);
  }
  struct Place {
    QLineEdit** box;
    const char* name;
    const char* caption;
    int row, column;
  };
  for (const Place& p : {Place{&ErrorRateEdit, "ErrorRateEdit", "Error rate", 0, 2},
                         Place{&RiskOfRuinEdit, "RiskOfRuinEdit", "Risk of ruin", 1, 0},
                         Place{&AvgDrawdownEdit, "AvgDrawdownEdit", "Drawdown", 1, 2},
                         Place{&DevEdit, "DevEdit", "Deviation", 2, 0},
                         Place{&ProfitPerTradeEdit, "ProfitPerTradeEdit", "Profit/trade", 2, 2},
                         Place{&BalanceEdit, "BalanceEdit", "Balance", 3, 0},
                         Place{&ReturnEdit, "ReturnEdit", "Return", 3, 2}}) {
    *p.box = AddLabelled(rows, p.row, p.column, p.caption, ResultBox(p.name, group), group);
  }
  grid->addWidget(group, 1, 2, Qt::AlignTop);
  resultsGroup_ = group;
}

void SimulationPanel::BuildHistoryInputs(QGridLayout* rows, QWidget* group) {
  using enum SimulationMode;
  ReplayComboBox = new QComboBox(group);
  ReplayComboBox->setObjectName("ReplayComboBox");
  ReplayComboBox->addItems({"Money", "Percent"});
  ReplayComboBox->setToolTip("Add each trade's money, or its share of the balance before it");
  auto* replay = new QLabel("Replay", group);
  LabelFor(replay, ReplayComboBox);
  rows->addWidget(replay, 3, 0);
  rows->addWidget(ReplayComboBox, 3, 1, 1, 2);
  modeInputs_.push_back({replay, ReplayComboBox, {resampleTrades, shuffleTrades}});

  struct Place {
    QLineEdit** edit;
    const char* name;
    const char* caption;
    const char* text;
    const char* tip;
    SimulationMode mode;
  };
  int row = 4;
  for (const Place& p :
       {Place{&ResampleTradesEdit, "ResampleTradesEdit", "Trades per run", "",
              "Trades drawn per run; empty: as many as the report has", resampleTrades},
        Place{&TargetEdit, "TargetEdit", "Target %", "10", "Profit target, % of the deposit",
              tradingChallenge},
        Place{&MaxLossEdit, "MaxLossEdit", "Max loss %", "10", "Maximum loss, % of the deposit",
              tradingChallenge},
        Place{&DailyLossEdit, "DailyLossEdit", "Daily loss %", "5",
              "Daily loss limit, % of the day's starting balance", tradingChallenge},
        Place{&ChallengeDaysEdit, "ChallengeDaysEdit", "Days", "30",
              "Trading days to reach the target", tradingChallenge}}) {
    *p.edit = AddLabelled(rows, row, 0, p.caption, NumericEdit(p.name, p.text, group), group);
    (*p.edit)->setToolTip(p.tip);
    modeInputs_.push_back({rows->itemAtPosition(row, 0)->widget(), *p.edit, {p.mode}});
    ++row;
  }
  ResampleTradesEdit->setPlaceholderText("all");
  for (const ModeInput& input : modeInputs_) {
    input.caption->hide();
    input.input->hide();
  }
}

// In place of the result boxes and the final balances, for the modes that
// draw from the report's trades.
void SimulationPanel::BuildHistoryResults(QGridLayout* grid, QWidget* tab) {
  QVBoxLayout* rows = NewOptionGroup("Percentiles", "PercentilesGroup", tab, &PercentilesGroup);
  PercentilesTable = new QTableWidget(PercentilesGroup);
  PercentilesTable->setObjectName("PercentilesTable");
  PercentilesTable->setAccessibleName("Percentiles");
  PercentilesTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PercentilesTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  PercentilesTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QStringList heading;
  for (const std::string& q : HistoryTableHeading()) heading << QString::fromStdString(q);
  PercentilesTable->setColumnCount(static_cast<int>(heading.size()));
  PercentilesTable->setHorizontalHeaderLabels(heading);
  PercentilesTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  rows->addWidget(PercentilesTable);
  PercentilesGroup->hide();
  grid->addWidget(PercentilesGroup, 1, 2, Qt::AlignTop);

  rows = NewOptionGroup("Equity fan", "FanGroup", tab, &FanGroup);
  FanGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  FanPaintBox = new PaintBox(FanGroup);
  FanPaintBox->setObjectName("FanPaintBox");
  FanPaintBox->setAccessibleName("Equity fan");
  rows->addWidget(FanPaintBox);
  FanPaintBox->SetPainter([this](QPainter& painter, QSize size) {
    PaintDisplayList(painter, PaintFanChart(fan_, size.width(), size.height()));
  });
  FanGroup->hide();
  grid->addWidget(FanGroup, 2, 2, Qt::AlignTop);
}

// Below the results, where nothing of the tab stands; shown once a pass has runs
// to show. It takes only the height left below the results and asks for none,
// so that in a low window it never squeezes or moves a control.
void SimulationPanel::BuildOutcome(QGridLayout* grid, QWidget* tab) {
  QVBoxLayout* rows = NewOptionGroup("Final balances", "OutcomeGroup", tab, &OutcomeGroup);
  OutcomeGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  static_cast<QVBoxLayout*>(OutcomeGroup->layout())
      ->setStretch(1, 1);  // the frame, not its caption
  OutcomePaintBox = new PaintBox(OutcomeGroup);
  OutcomePaintBox->setObjectName("OutcomePaintBox");
  OutcomePaintBox->setAccessibleName("Final balances");
  rows->addWidget(OutcomePaintBox);
  OutcomePaintBox->SetPainter([this](QPainter& painter, QSize size) {
    PaintDisplayList(painter, PaintOutcomeChart(outcome_, size.width(), size.height()));
  });
  OutcomeGroup->hide();
  grid->addWidget(OutcomeGroup, 2, 2, Qt::AlignTop);
}

SimulationOptions SimulationPanel::Options(SimulationOptions o) const {
  o.avgProfitText = Text(AvgProfitEdit);
  o.avgLossText = Text(AvgLossEdit);
  o.percWinsText = Text(PercWinsEdit);
  o.dollars = DollarsRadioButton->isChecked();
  o.importFromReport = ImportCheckBox->isChecked();
  o.maxDrawdownText = Text(MaxDrawdownEdit);
  o.daysMode = DaysRadioButton->isChecked();
  o.numTradesText = Text(NumTradesEdit);
  o.numDaysText = Text(NumDaysEdit);
  o.mode = static_cast<SimulationMode>(ComboBox2->currentIndex());
  o.numRunsText = Text(NumRunsEdit);
  o.accuracyText = Text(AccuracyEdit);
  o.replayPercent = ReplayComboBox->currentIndex() == 1;
  o.resampleTradesText = Text(ResampleTradesEdit);
  o.targetText = Text(TargetEdit);
  o.maxLossText = Text(MaxLossEdit);
  o.dailyLossText = Text(DailyLossEdit);
  o.challengeDaysText = Text(ChallengeDaysEdit);
  return o;
}

void SimulationPanel::ShowImported(const SimulationOptions& o) {
  if (!ImportCheckBox->isChecked()) return;
  SetIfChanged(AvgProfitEdit, o.avgProfitText);
  SetIfChanged(AvgLossEdit, o.avgLossText);
  SetIfChanged(PercWinsEdit, o.percWinsText);
}

void SimulationPanel::ShowCounts(const SimulationOptions& o) {
  SetIfChanged(NumRunsEdit, o.numRunsText);
  SetIfChanged(NumTradesEdit, o.numTradesText);
  SetIfChanged(NumDaysEdit, o.numDaysText);
}

void SimulationPanel::EmptyResults() {
  for (QLineEdit* box : {PerfectEdit, RiskOfRuinEdit, BalanceEdit, ReturnEdit, ProfitPerTradeEdit,
                         AvgDrawdownEdit, ErrorRateEdit, DevEdit}) {
    box->clear();
  }
  PercentilesTable->clearSpans();
  PercentilesTable->setRowCount(0);
  FanGroup->hide();
}

void SimulationPanel::ShowResults(const MonteCarloResults& r) {
  ShowResult(PerfectEdit, r.perfect);
  ShowResult(MinDepositEdit, r.minDeposit);
  ShowResult(MinTradesEdit, r.minTrades);
  ShowResult(ErrorRateEdit, r.errorRate);
  ShowResult(RiskOfRuinEdit, r.riskOfRuin, r.ruinRange);
  ShowResult(AvgDrawdownEdit, r.avgDrawdown, r.drawdownRange);
  ShowResult(DevEdit, r.deviation);
  ShowResult(ProfitPerTradeEdit, r.profitPerTrade);
  ShowResult(BalanceEdit, r.balance, r.balanceRange);
  ShowResult(ReturnEdit, r.returnPercent, r.returnRange);
  QPalette palette = ProfitPerTradeEdit->palette();
  palette.setColor(QPalette::Text, r.profitPerTradeRed ? Qt::red : Qt::black);
  ProfitPerTradeEdit->setPalette(palette);
  outcome_ = r.outcome;
  OutcomeGroup->setVisible(!outcome_.Empty());
  OutcomePaintBox->update();
  ShowHistory(r);
}

void SimulationPanel::ShowHistory(const MonteCarloResults& r) {
  const std::vector<ResultRow> rows =
      r.history ? HistoryTableRows(*r.history) : std::vector<ResultRow>{};
  PercentilesTable->clearSpans();
  PercentilesTable->setRowCount(static_cast<int>(rows.size()));
  QStringList captions;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const ResultRow& row = rows[static_cast<std::size_t>(i)];
    captions << QString::fromStdString(row.caption);
    // A figure of its own stands across the percentiles' columns.
    const bool single = row.cells.size() == 1;
    if (single) PercentilesTable->setSpan(i, 0, 1, PercentilesTable->columnCount());
    for (int c = 0; c < (single ? 1 : PercentilesTable->columnCount()); ++c) {
      const std::size_t at = static_cast<std::size_t>(c);
      auto* item =
          new QTableWidgetItem(at < row.cells.size() ? QString::fromStdString(row.cells[at]) : "");
      item->setTextAlignment((single ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
      PercentilesTable->setItem(i, c, item);
    }
  }
  PercentilesTable->setVerticalHeaderLabels(captions);
  // The whole table shows, without scrolling: its column widens to it.
  PercentilesTable->resizeColumnsToContents();
  PercentilesTable->resizeRowsToContents();
  const int frame = 2 * PercentilesTable->frameWidth();
  PercentilesTable->setFixedSize(PercentilesTable->verticalHeader()->sizeHint().width() +
                                     PercentilesTable->horizontalHeader()->length() + frame,
                                 PercentilesTable->horizontalHeader()->sizeHint().height() +
                                     PercentilesTable->verticalHeader()->length() + frame);
  fan_ = r.history ? r.history->fan : EquityFan{};
  FanGroup->setVisible(!fan_.Empty());
  FanPaintBox->update();
}

bool SimulationPanel::Running() const {
  return StartButton->text() == kStop;
}

void SimulationPanel::SetRunning(bool running) {
  StartButton->setText(running ? kStop : kStart);
  StartButton->setAccessibleName(StartButton->text());
}

void SimulationPanel::DisableStatementChoices() {
  ImportCheckBox->setChecked(false);
  ImportCheckBox->setEnabled(false);
  DaysRadioButton->setEnabled(false);
}

void SimulationPanel::UnitsClick() {
  const bool dollars = DollarsRadioButton->isChecked();
  sizingGroup_->setVisible(!dollars);
  RadioButton1->setVisible(dollars);
  DollarLabel1->setText(dollars ? "$" : "pips");
  DollarLabel2->setText(DollarLabel1->text());
}

void SimulationPanel::ImportToggled(bool checked) {
  for (QLineEdit* edit : {AvgProfitEdit, AvgLossEdit, PercWinsEdit}) edit->setEnabled(!checked);
}

void SimulationPanel::CountsToggled() {
  NumTradesEdit->setEnabled(TradesRadioButton->isChecked());
  NumDaysEdit->setEnabled(!TradesRadioButton->isChecked());
}

void SimulationPanel::ModeChange(int index) {
  const auto mode = static_cast<SimulationMode>(index);
  const bool history = IsHistoryMode(mode);
  for (const ModeInput& input : modeInputs_) {
    const bool shown = std::find(input.modes.begin(), input.modes.end(), mode) != input.modes.end();
    input.caption->setVisible(shown);
    input.input->setVisible(shown);
  }
  // The result boxes and their picture belong to the other modes.
  resultsGroup_->setVisible(!history);
  PercentilesGroup->setVisible(history);
  OutcomeGroup->setVisible(!history && !outcome_.Empty());
  FanGroup->setVisible(history && !fan_.Empty());
  if (history) return;
  static const char* const kCaptions[] = {"Perfect", "Min deposit", "Min trades"};
  ResultLabel->setText(kCaptions[index]);
  QLineEdit* shown[] = {PerfectEdit, MinDepositEdit, MinTradesEdit};
  for (int i = 0; i < 3; ++i) shown[i]->setVisible(i == index);
  ResultLabel->setBuddy(shown[index]);
}

}  // namespace quillfen
