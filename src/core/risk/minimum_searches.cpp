#include "risk/minimum_searches.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "program_state.h"
#include "progress.h"
#include "risk/monte_carlo.h"
#include "risk/monte_carlo_settings.h"
#include "risk/simulation_target.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

constexpr double kAcceptedRuin = 0.1;
constexpr int kMaxTradesPasses = 1000;

// The trade draws of a search's passes together, up to kMaxTradeDraws.
class DrawBudget {
 public:
  // Takes the draws of the next pass under the report's settings; false, with
  // the result boxes emptied and the reason said, when they do not fit.
  bool Take(const SimulationTarget& report) {
    const std::int64_t draws = CountsOfPass(report).Draws();
    if (draws <= kMaxTradeDraws - spent_) {
      spent_ += draws;
      ++passes_;
      return true;
    }
    MonteCarloResults& r = report.simulationResults;
    // The boxes hold the last pass's figures, of a deposit or trade count that is no answer.
    for (std::string* text : {&r.perfect, &r.riskOfRuin, &r.balance, &r.returnPercent,
                              &r.profitPerTrade, &r.avgDrawdown, &r.errorRate, &r.deviation,
                              &r.returnRange, &r.balanceRange, &r.drawdownRange, &r.ruinRange})
      text->clear();
    r.profitPerTradeRed = false;
    r.notices.push_back("the search stopped after " + std::to_string(passes_) +
                        " passes without a result: its passes together draw at most " +
                        std::to_string(kMaxTradeDraws) +
                        " trades; fewer runs or trades per run let it finish");
    return false;
  }

 private:
  std::int64_t spent_ = 0;
  int passes_ = 0;
};

bool ExpectsProfit(const SimulationTarget& report) {
  const MonteCarloSettings s = ReadMonteCarloSettings(report.options);
  const double expected = (s.avgProfit * s.winPercent - s.avgLoss * (100 - s.winPercent)) * 0.01;
  return expected > 0;
}

}  // namespace

void SearchMinimumDeposit(const SimulationTarget& report, ProgramState& state, Progress& progress) {
  MonteCarloResults& results = report.simulationResults;
  if (!ExpectsProfit(report)) {
    results.minDeposit = "0";
    return;
  }
  ReportOptions& options = report.options;
  const std::string userDepositText = options.depositText;
  const DepositChoice userChoice = options.deposit;
  options.deposit = DepositChoice::custom;

  // Kept as a whole double: a raised deposit may outgrow 32 bits.
  double deposit = TextToWhole(userDepositText);
  std::string simulated;
  bool raised = false;
  DrawBudget budget;
  for (int i = 0;;) {
    simulated = FormatFixed(deposit, 0, 0);
    options.depositText = simulated;
    results.minDeposit = simulated;
    if (!budget.Take(report)) {
      simulated.clear();  // the deposit reached so far is not the search's answer
      break;
    }
    RunMonteCarloPass(report, state, progress);
    if (state.SimulationStopRequested) break;
    progress.Pump();
    const double ruin = state.LastSimulationFigures.riskOfRuin;
    double step = std::trunc(ruin);
    if (!(step >= 1)) step = 2;
    if (ruin >= kAcceptedRuin) {
      raised = true;
      deposit = std::trunc(deposit * (1 + step * 0.01));
    } else {
      deposit = std::trunc(deposit / (1 + step * 0.01));
    }
    if (!(deposit >= 1)) break;
    ++i;
    if (raised && i >= 10 && !(ruin >= kAcceptedRuin && i < 100)) break;
  }
  results.minDeposit = simulated;
  options.depositText = userDepositText;
  options.deposit = userChoice;
}

void SearchMinimumTrades(const SimulationTarget& report, ProgramState& state, Progress& progress) {
  MonteCarloResults& results = report.simulationResults;
  if (!ExpectsProfit(report)) {
    results.minTrades = "0";
    return;
  }
  SimulationOptions& panel = report.options.simulation;
  const std::string userMaxDrawdownText = panel.maxDrawdownText;
  const std::string userTradesText = panel.numTradesText;
  panel.maxDrawdownText = "100";  // a run is then ruined only below a balance of zero

  DrawBudget budget;
  std::string found;
  for (int n = 1; n <= kMaxTradesPasses; ++n) {
    panel.numTradesText = std::to_string(n);
    results.minTrades = panel.numTradesText;
    found = panel.numTradesText;
    if (!budget.Take(report)) {
      found.clear();
      break;
    }
    RunMonteCarloPass(report, state, progress);
    if (state.SimulationStopRequested) break;
    progress.Pump();
    const SimulationFigures& last = state.LastSimulationFigures;
    if (!(last.avgDrawdown > last.returnPercent)) break;
  }
  panel.maxDrawdownText = userMaxDrawdownText;
  results.minTrades = found;
  panel.numTradesText = userTradesText;
}

}  // namespace quillfen
