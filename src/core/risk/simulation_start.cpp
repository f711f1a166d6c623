#include "risk/simulation_start.h"

#include <string>

#include "program_state.h"
#include "report.h"
#include "risk/minimum_searches.h"
#include "risk/monte_carlo.h"
#include "text/text_conversions.h"

namespace quillfen {

bool SimulationDepositAccepted(DepositChoice choice, std::string_view depositText,
                               const ReportStatistics& stats) {
  if (choice == DepositChoice::statement) return stats.statementDeposit != 0;
  return TextToWhole(depositText) != 0;
}

namespace {

void CapCount(std::string& text, std::int32_t maximum) {
  if (TextToWhole(text) > maximum) text = std::to_string(maximum);
}

}  // namespace

bool SimulationInputsAccepted(ReportOptions& options) {
  SimulationOptions& panel = options.simulation;
  for (const std::string* text :
       {&options.depositText, &panel.avgProfitText, &panel.percWinsText, &panel.maxDrawdownText,
        &panel.avgLossText, &panel.numTradesText, &panel.numRunsText}) {
    if (text->empty()) return false;
  }
  CapCount(panel.numRunsText, kMaxSimulationRuns);
  CapCount(panel.numTradesText, kMaxTradesPerRun);
  CapCount(panel.numDaysText, kMaxDaysPerRun);
  return true;
}

void RunSimulation(Report& report, ProgramState& state, Progress& progress) {
  state.SimulationStopRequested = false;
  MonteCarloResults& r = report.simulationResults;
  for (std::string* box : {&r.perfect, &r.riskOfRuin, &r.balance, &r.returnPercent,
                           &r.profitPerTrade, &r.avgDrawdown, &r.errorRate, &r.deviation})
    box->clear();
  r.outcome = {};
  switch (report.options.simulation.mode) {
    case SimulationMode::monteCarlo:
      RunMonteCarloPass(report, state, progress);
      break;
    case SimulationMode::minimumDeposit:
      SearchMinimumDeposit(report, state, progress);
      r.outcome = {};  // the picture is of one pass, not of a search's last
      break;
    case SimulationMode::minimumTrades:
      SearchMinimumTrades(report, state, progress);
      r.outcome = {};
      break;
  }
}

}  // namespace quillfen
