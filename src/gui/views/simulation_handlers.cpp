// The report window's handlers of the simulation tab.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "actions/simulation_actions.h"
#include "gui/app/gui_progress.h"
#include "gui/views/mdi_child.h"
#include "gui/views/simulation_panel.h"

namespace quillfen {

namespace {

bool DepositRefused(SimulationStart start) {
  return start == SimulationStart::noStatementDeposit || start == SimulationStart::zeroDeposit;
}

}  // namespace

void TMDIChild::ConnectSimulationHandlers() {
  const SimulationPanel* p = simulation;
  for (QRadioButton* radio :
       {tradeSettings1.orgDepositRadioButton, tradeSettings1.depositRadioButton,
        positionSizing1.originalPositionRadioButton, positionSizing1.fixedMiniLotsRadioButton,
        positionSizing1.fixedStandardLotsRadioButton, positionSizing1.fixedMiniAmountRadioButton,
        positionSizing1.fixedStandardAmountRadioButton}) {
    connect(radio, &QRadioButton::clicked, this, [this, radio] { SimulationRadioClick(radio); });
  }
  connect(p->ImportCheckBox, &QCheckBox::clicked, this, &TMDIChild::ImportCheckBoxClick);
  connect(p->TradesRadioButton, &QRadioButton::toggled, this, &TMDIChild::FollowCounts);
  connect(p->StartButton, &QPushButton::clicked, this, &TMDIChild::StartButtonClick);
  for (QWidget* edit : {p->NumTradesEdit, p->NumDaysEdit}) edit->installEventFilter(this);
}

void TMDIChild::SimulationKeyEvent(QObject* watched, QEvent* event) {
  const SimulationPanel* p = simulation;
  if (event->type() == QEvent::KeyPress && watched == tradeSettings1.depositEdit &&
      !static_cast<QKeyEvent*>(event)->text().isEmpty()) {
    // Typing a deposit chooses it; the figures follow before the key lands.
    tradeSettings1.depositRadioButton->setChecked(true);
    CopySimulationTabToOptions();
    RecomputeAndSummarise();
  } else if (event->type() == QEvent::KeyRelease) {
    // Typing into the chosen count's box carries the other along.
    if ((watched == p->NumTradesEdit && p->TradesRadioButton->isChecked()) ||
        (watched == p->NumDaysEdit && p->DaysRadioButton->isChecked()))
      FollowCounts();
  }
}

void TMDIChild::CopySimulationTabToOptions() {
  CopyTradeSettings(tradeSettings1, tradeSettings);
  CopyPositionSizing(positionSizing1, positionSizing);
}

void TMDIChild::SimulationRadioClick(const QRadioButton* radio) {
  if (!radio->isChecked()) return;
  CopySimulationTabToOptions();
  ListBoxClick();
}

void TMDIChild::ImportCheckBoxClick() {
  if (!simulation->ImportCheckBox->isChecked()) return;
  CopySimulationTabToOptions();
  RecomputeAndSummarise();
}

// The box of the choice not taken follows the chosen one.
void TMDIChild::FollowCounts() {
  const SimulationPanel* p = simulation;
  if (p->TradesRadioButton->isChecked()) {
    p->NumDaysEdit->setText(
        QString::fromStdString(DaysForTradesText(report, p->NumTradesEdit->text().toStdString())));
  } else {
    p->NumTradesEdit->setText(
        QString::fromStdString(TradesForDaysText(report, p->NumDaysEdit->text().toStdString())));
  }
}

void TMDIChild::StartButtonClick() {
  const ReportOptions options = SimulationTabOptions();
  if (simulation->Running()) {
    if (!DepositRefused(PressStopSimulation(report, state_, options))) CopySimulationTabToOptions();
    return;
  }
  GuiProgress progress(simulation->ProgressBar);
  const SimulationStart start = StartSimulation(report, state_, options, progress, [this] {
    CopySimulationTabToOptions();
    simulation->ShowCounts(report.options.simulation);
    simulation->SetRunning(true);
    simulation->EmptyResults();
  });
  if (start == SimulationStart::emptyInput) CopySimulationTabToOptions();
  if (start == SimulationStart::badInput) {
    // Why the trades make no pass, where the window says such things.
    QString why = QString::fromStdString(report.simulationResults.notices.front());
    why[0] = why[0].toUpper();
    if (auto* frame = qobject_cast<QMainWindow*>(window())) frame->statusBar()->showMessage(why);
    simulation->ShowResults(report.simulationResults);
  }
  if (start != SimulationStart::ran) return;
  simulation->SetRunning(false);
  simulation->ShowResults(report.simulationResults);
  if (closeAfterPass_) {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    frame ? frame->close() : close();
    return;
  }
  ShowSimulationNotices();
}

// What the start cut or could not do, in the message box.
void TMDIChild::ShowSimulationNotices() {
  QStringList lines;
  for (const std::string& notice : report.simulationResults.notices) {
    QString line = QString::fromStdString(notice);
    line[0] = line[0].toUpper();
    lines << line + '.';
  }
  if (!lines.isEmpty()) showMessage_(lines.join('\n'));
}

}  // namespace quillfen
