#include "actions/simulation_actions.h"

#include <string>
#include <vector>

#include "actions/report_guard.h"
#include "analysis/statistics.h"
#include "analysis/trade_selection.h"
#include "report_parts.h"
#include "risk/history_pass.h"
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

// The selected closed trades as the walk just booked them, in its order.
SourceTrades SourceOfWalk(Report& report) {
  const std::vector<WalkRow>& rows = report.walkCache.Rows(report.grid1, report.grid2);
  std::vector<DrawnTrade> trades;
  for (int r = 1; r < report.grid1.RowCount(); ++r) {
    const WalkRow& row = rows[static_cast<std::size_t>(r)];
    const std::string_view closeDate = report.grid1.Cell(g1::closeDate, r);
    if (row.trade && !closeDate.empty())
      trades.push_back({row.result, row.balanceBefore, closeDate});
  }
  return MakeSourceTrades(trades);
}

void ClearResults(MonteCarloResults& r) {
  for (std::string* box : {&r.perfect, &r.riskOfRuin, &r.balance, &r.returnPercent,
                           &r.profitPerTrade, &r.avgDrawdown, &r.errorRate, &r.deviation})
    box->clear();
  r.outcome = {};
  r.history.reset();
  r.notices.clear();
}

SimulationStart StartHistoryPass(Report& report, ProgramState& state, Progress& progress,
                                 const std::function<void()>& starting,
                                 std::vector<std::string>& notices) {
  RecomputeStatistics(report, report.stats, report.options);
  const SourceTrades source = SourceOfWalk(report);
  SimulationOptions& panel = report.options.simulation;
  if (std::string why = HistoryRefusal(panel, source); !why.empty()) {
    ClearResults(report.simulationResults);
    report.simulationResults.notices.push_back(std::move(why));
    return SimulationStart::badInput;
  }
  const HistoryModel model = ReadHistoryModel(panel, source, report.stats.initialDeposit);
  CapHistoryDraws(panel, model, source, notices);
  if (starting) starting();
  state.SimulationStopRequested = false;
  ClearResults(report.simulationResults);
  RunHistoryPass(source, model, TextToWhole(panel.numRunsText), state, progress,
                 report.simulationResults);
  return SimulationStart::ran;
}

}  // namespace

void RunSimulation(Report& report, ProgramState& state, Progress& progress) {
  state.SimulationStopRequested = false;
  MonteCarloResults& r = report.simulationResults;
  ClearResults(r);
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
    case SimulationMode::resampleTrades:
    case SimulationMode::shuffleTrades:
    case SimulationMode::tradingChallenge:
      break;  // started with their trades only, by StartSimulation
  }
}

SimulationStart StartSimulation(Report& report, ProgramState& state, const ReportOptions& options,
                                Progress& progress, const std::function<void()>& starting) {
  if (!TakeOptions(report, options)) return SimulationStart::refused;
  std::vector<std::string> notices;
  const SimulationStart refusal = Refusal(report.stats, report.options, &notices);
  if (refusal != SimulationStart::ran) return refusal;
  if (IsHistoryMode(report.options.simulation.mode)) {
    const SimulationStart start = StartHistoryPass(report, state, progress, starting, notices);
    if (start != SimulationStart::ran) return start;
    std::vector<std::string>& said = report.simulationResults.notices;
    said.insert(said.begin(), notices.begin(), notices.end());
    return start;
  }
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
