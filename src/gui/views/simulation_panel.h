#pragma once

#include <QObject>

#include <vector>
#include "report_options.h"

#include "risk/history_results.h"
#include "risk/outcome_histogram.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QWidget;

namespace quillfen {

struct MonteCarloResults;
class PaintBox;

// The simulation tab's own controls beside its deposit and sizing twins, and
// what they do among themselves; the report window connects what needs the report.
class SimulationPanel : public QObject {
  Q_OBJECT
 public:
  // Fills the tab's grid right of the twins; sizingGroup hides while Dollars is checked.
  SimulationPanel(QGridLayout* grid, QWidget* tab, QWidget* sizingGroup);

  QRadioButton* RadioButton1;
  QLineEdit* AvgProfitEdit;
  QLabel* DollarLabel1;
  QLineEdit* AvgLossEdit;
  QLabel* DollarLabel2;
  QLineEdit* PercWinsEdit;
  QRadioButton* PipsRadioButton;
  QRadioButton* DollarsRadioButton;
  QCheckBox* ImportCheckBox;
  QLineEdit* MaxDrawdownEdit;
  QRadioButton* TradesRadioButton;
  QLineEdit* NumTradesEdit;
  QRadioButton* DaysRadioButton;
  QLineEdit* NumDaysEdit;
  QComboBox* ComboBox2;
  QProgressBar* ProgressBar;
  QPushButton* StartButton;
  QLineEdit* NumRunsEdit;
  QLabel* ResultLabel;
  QLineEdit* PerfectEdit;
  QLineEdit* MinDepositEdit;
  QLineEdit* MinTradesEdit;
  QLineEdit* ErrorRateEdit;
  QLineEdit* RiskOfRuinEdit;
  QLineEdit* AvgDrawdownEdit;
  QLineEdit* DevEdit;
  QLineEdit* ProfitPerTradeEdit;
  QLineEdit* BalanceEdit;
  QLineEdit* ReturnEdit;
  QLineEdit* AccuracyEdit;
  QPushButton* ImportButton;
  // The final balances of the last Monte Carlo pass, under the results.
  QWidget* OutcomeGroup;
  PaintBox* OutcomePaintBox;
  // The modes that draw from the report's trades: their inputs, shown with
  // their mode only, and their results in place of the boxes and the bars.
  QComboBox* ReplayComboBox;
  QLineEdit* ResampleTradesEdit;
  QLineEdit* TargetEdit;
  QLineEdit* MaxLossEdit;
  QLineEdit* DailyLossEdit;
  QLineEdit* ChallengeDaysEdit;
  QWidget* PercentilesGroup;
  QTableWidget* PercentilesTable;
  QWidget* FanGroup;
  PaintBox* FanPaintBox;

  // The panel's boxes and choices over the rest of `options`.
  SimulationOptions Options(SimulationOptions options) const;
  // The trading system's figures as the last recompute imported them, while importing.
  void ShowImported(const SimulationOptions& options);
  // The counts as the start left them, a count above its cap written as the cap.
  void ShowCounts(const SimulationOptions& options);
  // The boxes a pass empties before it plays.
  void EmptyResults();
  void ShowResults(const MonteCarloResults& results);
  // The button reads "Stop simulation" while a pass runs.
  bool Running() const;
  void SetRunning(bool running);
  // A window without a statement: nothing to import, no span to count days in.
  void DisableStatementChoices();

 private:
  void BuildTradingSystem(QGridLayout* grid, QWidget* tab);
  void BuildSimulation(QGridLayout* grid, QWidget* tab);
  void BuildResults(QGridLayout* grid, QWidget* tab);
  void BuildOutcome(QGridLayout* grid, QWidget* tab);
  void BuildHistoryInputs(QGridLayout* rows, QWidget* group);
  void BuildHistoryResults(QGridLayout* grid, QWidget* tab);
  void ShowHistory(const MonteCarloResults& results);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void FitPictures();
  void UnitsClick();
  void ImportToggled(bool checked);
  void CountsToggled();
  void ModeChange(int index);

  QWidget* sizingGroup_;
  QWidget* tab_;
  QWidget* resultsGroup_ = nullptr;
  // Each input of the history modes with its caption, and the modes it shows in.
  struct ModeInput {
    QWidget* caption;
    QWidget* input;
    std::vector<SimulationMode> modes;
  };
  std::vector<ModeInput> modeInputs_;
  OutcomeHistogram outcome_;
  EquityFan fan_;
};

}  // namespace quillfen
