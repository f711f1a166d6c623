#include "actions/simulation_actions.h"

#include <string>
#include <vector>

#include "actions/report_guard.h"
#include "analysis/statistics.h"
#include "risk/minimum_searches.h"
#include "risk/monte_carlo.h"
#include "risk/simulation_start.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

// Steps 1, 2 and 4 of the button; caps the counts in `options` when accepted.
SimulationStart Refusal(const ReportStatistics& stats, ReportOptions& options,
                        std::vector<std::string>* notices = nullptr) {
  if (!SimulationDepositAccepted(options.deposit, options.depositText, stats))
    return options.deposit == DepositChoice::statement ? SimulationStart::noStatementDeposit
                                                       : SimulationStart::zeroDeposit;
  if (!SimulationInputsAccepted(options, notices)) return SimulationStart::emptyInput;
  return SimulationStart::ran;
}

SimulationTarget TargetOf(Report& report) {
  return {report.grid1, report.stats, report.options, report.simulationResults};
}

}  // namespace

void RunSimulation(Report& report, ProgramState& state, Progress& progress) {
  state.SimulationStopRequested = false;
  MonteCarloResults& r = report.simulationResults;
  for (std::string* box : {&r.perfect, &r.riskOfRuin, &r.balance, &r.returnPercent,
                           &r.profitPerTrade, &r.avgDrawdown, &r.errorRate, &r.deviation})
    box->clear();
  r.outcome = {};
  r.notices.clear();
  switch (report.options.simulation.mode) {
    case SimulationMode::monteCarlo:
      RunMonteCarloPass(TargetOf(report), state, progress);
      break;
    case SimulationMode::minimumDeposit:
      SearchMinimumDeposit(TargetOf(report), state, progress);
      r.outcome = {};  // the picture is of one pass, not of a search's last
      break;
    case SimulationMode::minimumTrades:
      SearchMinimumTrades(TargetOf(report), state, progress);
      r.outcome = {};
      break;
  }
}

SimulationStart StartSimulation(Report& report, ProgramState& state, const ReportOptions& options,
                                Progress& progress, const std::function<void()>& starting) {
  if (!TakeOptions(report, options)) return SimulationStart::refused;
  std::vector<std::string> notices;
  const SimulationStart refusal = Refusal(report.stats, report.options, &notices);
  if (refusal != SimulationStart::ran) return refusal;
  if (report.options.simulation.mode == SimulationMode::monteCarlo)
    CapPassDraws(TargetOf(report), notices);
  if (starting) starting();
  RunSimulation(report, state, progress);
  std::vector<std::string>& said = report.simulationResults.notices;
  said.insert(said.begin(), notices.begin(), notices.end());
  return SimulationStart::ran;
}

bool ChooseSimulationUnits(Report& report, const ReportOptions& options) {
  if (!TakeOptions(report, options)) return false;
  ImportReportFigures(report.stats, report.options.simulation);
  return true;
}

SimulationStart PressStopSimulation(const Report& report, ProgramState& state,
                                    const ReportOptions& options) {
  // The running pass reads report.options; the check works on a copy.
  ReportOptions checked = options;
  const SimulationStart refusal = Refusal(report.stats, checked);
  if (refusal == SimulationStart::ran) StopSimulation(state);
  return refusal;
}

void StopSimulation(ProgramState& state) {
  state.SimulationStopRequested = true;
}

std::string DaysForTradesText(const Report& report, std::string_view tradesText) {
  return std::to_string(
      DaysForTrades(report.grid1.RowCount(), report.stats.periodDays, TextToWhole(tradesText)));
}

std::string TradesForDaysText(const Report& report, std::string_view daysText) {
  return std::to_string(
      TradesForDays(report.grid1.RowCount(), report.stats.periodDays, TextToWhole(daysText)));
}

}  // namespace quillfen
