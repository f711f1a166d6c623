#include "simulate_stage.h"

#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "actions/simulation_actions.h"
#include "actions/view_actions.h"
#include "terminal_progress.h"

namespace quillfen::cli {

namespace {

// The simulation tab's numeric boxes take digits and one period only.
const CLI::Validator kBoxText(
    [](std::string& text) -> std::string {
      if (text.find_first_not_of("0123456789.") != std::string::npos ||
          text.find('.') != text.rfind('.'))
        return "only digits and one period, as the simulation tab accepts";
      return {};
    },
    "DIGITS");

// A count box is read as a 32-bit whole number: a larger one would read as 0
// and play nothing.
const CLI::Validator kCountText(
    [](std::string& text) -> std::string {
      if (std::string why = kBoxText(text); !why.empty()) return why;
      const std::string whole = text.substr(0, text.find('.'));
      std::int32_t count = 0;
      if (std::from_chars(whole.data(), whole.data() + whole.size(), count).ec ==
          std::errc::result_out_of_range)
        return "a count of at most 2147483647";
      return {};
    },
    "COUNT");

void ApplyArgs(const SimulationArgs& args, SimulationOptions& panel) {
  panel.mode = args.mode == "min-deposit"  ? SimulationMode::minimumDeposit
               : args.mode == "min-trades" ? SimulationMode::minimumTrades
                                           : SimulationMode::monteCarlo;
  if (args.runs) panel.numRunsText = *args.runs;
  if (args.trades) panel.numTradesText = *args.trades;
  if (args.days) {
    panel.numDaysText = *args.days;
    panel.daysMode = true;
  }
  if (args.maxDrawdown) panel.maxDrawdownText = *args.maxDrawdown;
  if (args.confidence) panel.accuracyText = *args.confidence;
  // Typing into the trading system's boxes means the import is off.
  if (args.win || args.avgProfit || args.avgLoss) panel.importFromReport = false;
  if (args.win) panel.percWinsText = *args.win;
  if (args.avgProfit) panel.avgProfitText = *args.avgProfit;
  if (args.avgLoss) panel.avgLossText = *args.avgLoss;
}

std::string WithRange(const std::string& box, const std::string& range) {
  return range.empty() ? box : box + "  (" + range + ")";
}

// The result boxes in the order of the tab, with their tooltips.
std::vector<std::pair<std::string, std::string>> Boxes(const Report& report) {
  const MonteCarloResults& r = report.simulationResults;
  std::vector<std::pair<std::string, std::string>> boxes;
  switch (report.options.simulation.mode) {
    case SimulationMode::monteCarlo:
      boxes.emplace_back("Perfect", r.perfect);
      break;
    case SimulationMode::minimumDeposit:
      boxes.emplace_back("Min deposit", r.minDeposit);
      break;
    case SimulationMode::minimumTrades:
      boxes.emplace_back("Min trades", r.minTrades);
      break;
  }
  boxes.emplace_back("Risk of ruin", WithRange(r.riskOfRuin, r.ruinRange));
  boxes.emplace_back("Balance", WithRange(r.balance, r.balanceRange));
  boxes.emplace_back("Return", WithRange(r.returnPercent, r.returnRange));
  boxes.emplace_back("Profit/trade", r.profitPerTrade + (r.profitPerTradeRed ? "  (red)" : ""));
  boxes.emplace_back("Drawdown", WithRange(r.avgDrawdown, r.drawdownRange));
  boxes.emplace_back("Error rate", r.errorRate);
  boxes.emplace_back("Deviation", r.deviation);
  return boxes;
}

nlohmann::json SimulationJson(const CliRun& run) {
  const MonteCarloResults& r = run.report.simulationResults;
  const SimulationFigures& f = run.state.LastSimulationFigures;
  return {{"mode", run.options.simulation.mode},
          {"perfect", r.perfect},
          {"minDeposit", r.minDeposit},
          {"minTrades", r.minTrades},
          {"riskOfRuin", r.riskOfRuin},
          {"balance", r.balance},
          {"return", r.returnPercent},
          {"profitPerTrade", r.profitPerTrade},
          {"profitPerTradeRed", r.profitPerTradeRed},
          {"avgDrawdown", r.avgDrawdown},
          {"errorRate", r.errorRate},
          {"deviation", r.deviation},
          {"ruinRange", r.ruinRange},
          {"balanceRange", r.balanceRange},
          {"returnRange", r.returnRange},
          {"drawdownRange", r.drawdownRange},
          {"lastSimulationFigures",
           {{"riskOfRuin", f.riskOfRuin},
            {"avgDrawdown", f.avgDrawdown},
            {"return", f.returnPercent}}}};
}

int Refuse(const std::string& why) {
  std::cerr << "quillfen-report: --simulate: " << why << '\n';
  return kUsage;
}

}  // namespace

void AddSimulationOptions(CLI::App& app, CliOptions& options) {
  SimulationArgs& a = options.simulation;
  CLI::Option* simulate = app.add_option("--simulate", a.mode, "run the simulation tab's mode")
                              ->check(CLI::IsMember({"montecarlo", "min-deposit", "min-trades"}));
  std::vector<CLI::Option*> inputs = {
      app.add_option("--runs", a.runs, "number of simulation runs")->check(kCountText),
      app.add_option("--trades", a.trades, "trades per run")->check(kCountText),
      app.add_option("--days", a.days, "trades per run from a number of days")->check(kCountText),
      app.add_option("--max-dd", a.maxDrawdown, "maximum drawdown in percent")->check(kCountText),
      app.add_option("--units", a.units, "trading system in pips or dollars")
          ->check(CLI::IsMember({"pips", "dollars"})),
      app.add_option("--win", a.win, "percentage of winning trades")->check(kBoxText),
      app.add_option("--avg-profit", a.avgProfit, "average winning trade")->check(kBoxText),
      app.add_option("--avg-loss", a.avgLoss, "average losing trade")->check(kBoxText),
      app.add_option("--confidence", a.confidence, "confidence level of the ranges in percent")
          ->check(kCountText),
      app.add_option("--seed", a.seed, "seed every pass with S instead of the clock")};
  for (CLI::Option* input : inputs) input->needs(simulate);
  inputs[1]->excludes(inputs[2]);
}

int SimulationStage(CliRun& run) {
  const SimulationArgs& args = run.options.simulation;
  if (args.mode.empty()) return kOk;
  Report& report = run.report;
  ReportOptions options = report.options;
  options.simulation.dollars = args.units == "dollars";
  ChooseSimulationUnits(report, options);
  options = report.options;
  ApplyArgs(args, options.simulation);
  if (args.seed) run.state.simulationSeed = *args.seed;
  TerminalProgress progress(std::cerr, ::isatty(STDERR_FILENO) == 1);
  const SimulationStart start = StartSimulation(report, run.state, options, progress);
  progress.Finish();
  switch (start) {
    case SimulationStart::ran:
      break;
    case SimulationStart::noStatementDeposit:
      return Refuse("the statement has no initial deposit");
    case SimulationStart::zeroDeposit:
      return Refuse("the initial deposit is 0");
    case SimulationStart::emptyInput:
      return Refuse("an input box is empty");
    case SimulationStart::refused:
      return Refuse("the report is busy");
  }
  for (const std::string& notice : report.simulationResults.notices)
    std::cerr << "quillfen-report: " << notice << '\n';

  if (run.options.json) {
    run.json["simulation"] = SimulationJson(run);
  } else {
    for (const auto& [label, text] : Boxes(report))
      std::cout << label << ':' << (text.empty() ? "" : " ") << text << '\n';
  }
  return kOk;
}

}  // namespace quillfen::cli
