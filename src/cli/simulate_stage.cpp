#include "simulate_stage.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "actions/simulation_actions.h"
#include "actions/view_actions.h"
#include "risk/history_pass.h"
#include "risk/history_results.h"
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

SimulationMode ModeOf(const std::string& mode) {
  if (mode == "min-deposit") return SimulationMode::minimumDeposit;
  if (mode == "min-trades") return SimulationMode::minimumTrades;
  if (mode == "resample") return SimulationMode::resampleTrades;
  if (mode == "shuffle") return SimulationMode::shuffleTrades;
  if (mode == "challenge") return SimulationMode::tradingChallenge;
  return SimulationMode::monteCarlo;
}

void ApplyArgs(const SimulationArgs& args, SimulationOptions& panel) {
  panel.mode = ModeOf(args.mode);
  if (args.runs) panel.numRunsText = *args.runs;
  if (args.maxDrawdown) panel.maxDrawdownText = *args.maxDrawdown;
  if (IsHistoryMode(panel.mode)) {
    // The modes that draw from the trades have their own counts.
    if (args.trades) panel.resampleTradesText = *args.trades;
    if (args.days) panel.challengeDaysText = *args.days;
    panel.replayPercent = args.replay == "percent";
    if (args.target) panel.targetText = *args.target;
    if (args.maxLoss) panel.maxLossText = *args.maxLoss;
    if (args.dailyLoss) panel.dailyLossText = *args.dailyLoss;
    return;
  }
  if (args.trades) panel.numTradesText = *args.trades;
  if (args.days) {
    panel.numDaysText = *args.days;
    panel.daysMode = true;
  }
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
    case SimulationMode::resampleTrades:
    case SimulationMode::shuffleTrades:
    case SimulationMode::tradingChallenge:
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

// A history pass as the window's table shows it, the percentiles across.
void PrintHistory(const HistoryResults& h, std::ostream& out) {
  out << "Percentiles:";
  for (const std::string& q : HistoryTableHeading()) out << "  " << q;
  out << '\n';
  for (const ResultRow& row : HistoryTableRows(h)) {
    out << row.caption << ':';
    for (const std::string& cell : row.cells) out << (cell.empty() ? "" : "  ") << cell;
    out << '\n';
  }
}

nlohmann::json PercentilesJson(const PercentileValues& values) {
  nlohmann::json json = nlohmann::json::object();
  for (std::size_t q = 0; q < kPercentiles.size(); ++q)
    json["p" + std::to_string(kPercentiles[q])] = values[q];
  return json;
}

nlohmann::json HistoryJson(const CliRun& run, const HistoryResults& h) {
  nlohmann::json days = nlohmann::json::array();
  for (std::int32_t d = 0; d < h.source.DayCount(); ++d) {
    const std::span<const double> day = h.source.Day(d);
    days.push_back(std::vector<double>(day.begin(), day.end()));
  }
  nlohmann::json json = {{"mode", run.options.simulation.mode},
                         {"runs", h.runs},
                         {"replay", h.percent ? "percent" : "money"},
                         {"source", {{"results", h.source.results}, {"days", std::move(days)}}},
                         {"finalBalance", PercentilesJson(h.finalBalance)},
                         {"maxDrawdownPercent", PercentilesJson(h.maxDrawdownPercent)},
                         {"ruinPercent", h.ruinPercent}};
  if (h.challenge) {
    const ChallengeShares& c = *h.challenge;
    json["challenge"] = {
        {"passPercent", c.passPercent},
        {"failMaxLossPercent", c.failMaxLossPercent},
        {"failDailyLossPercent", c.failDailyLossPercent},
        {"timeoutPercent", c.timeoutPercent},
        {"medianDaysToPass",
         c.medianDaysToPass ? nlohmann::json(*c.medianDaysToPass) : nlohmann::json(nullptr)}};
  }
  return json;
}

int Refuse(const std::string& why) {
  std::cerr << "quillfen-report: --simulate: " << why << '\n';
  return kUsage;
}

}  // namespace

void AddSimulationOptions(CLI::App& app, CliOptions& options) {
  SimulationArgs& a = options.simulation;
  CLI::Option* simulate = app.add_option("--simulate", a.mode, "run the simulation tab's mode")
                              ->check(CLI::IsMember({"montecarlo", "min-deposit", "min-trades",
                                                     "resample", "shuffle", "challenge"}));
  std::vector<CLI::Option*> inputs = {
      app.add_option("--runs", a.runs, "number of simulation runs")->check(kCountText),
      app.add_option("--trades", a.trades,
                     "trades per run (resample: default the report's closed trades)")
          ->check(kCountText),
      app.add_option("--days", a.days,
                     "trades per run from a number of days (challenge: trading days, default 30)")
          ->check(kCountText),
      app.add_option("--max-dd", a.maxDrawdown, "maximum drawdown in percent")->check(kCountText),
      app.add_option("--units", a.units, "trading system in pips or dollars")
          ->check(CLI::IsMember({"pips", "dollars"})),
      app.add_option("--win", a.win, "percentage of winning trades")->check(kBoxText),
      app.add_option("--avg-profit", a.avgProfit, "average winning trade")->check(kBoxText),
      app.add_option("--avg-loss", a.avgLoss, "average losing trade")->check(kBoxText),
      app.add_option("--confidence", a.confidence, "confidence level of the ranges in percent")
          ->check(kCountText),
      app.add_option("--seed", a.seed, "seed every pass with S instead of the clock"),
      app.add_option("--replay", a.replay,
                     "resample and shuffle: add each trade's money, or its share of the balance")
          ->check(CLI::IsMember({"money", "percent"})),
      app.add_option("--target", a.target, "challenge: profit target in percent (default 10)")
          ->check(kBoxText),
      app.add_option("--max-loss", a.maxLoss, "challenge: maximum loss in percent (default 10)")
          ->check(kBoxText),
      app.add_option("--daily-loss", a.dailyLoss,
                     "challenge: daily loss limit in percent (default 5)")
          ->check(kBoxText)};
  for (CLI::Option* input : inputs) input->needs(simulate);
  inputs[1]->excludes(inputs[2]);
}

int SimulationStage(CliRun& run) {
  const SimulationArgs& args = run.options.simulation;
  const std::vector<std::string>& charts = run.options.charts;
  if (std::find(charts.begin(), charts.end(), "fan") != charts.end() &&
      !IsHistoryMode(ModeOf(args.mode))) {
    std::cerr << "quillfen-report: --chart fan: needs --simulate resample, shuffle or challenge\n";
    return kUsage;
  }
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
    case SimulationStart::badInput:
      return Refuse(report.simulationResults.notices.front());
  }
  for (const std::string& notice : report.simulationResults.notices)
    std::cerr << "quillfen-report: " << notice << '\n';

  const std::optional<HistoryResults>& history = report.simulationResults.history;
  if (history && run.options.json) {
    run.json["simulation"] = HistoryJson(run, *history);
  } else if (history) {
    PrintHistory(*history, std::cout);
  } else if (run.options.json) {
    run.json["simulation"] = SimulationJson(run);
  } else {
    for (const auto& [label, text] : Boxes(report))
      std::cout << label << ':' << (text.empty() ? "" : " ") << text << '\n';
  }
  return kOk;
}

}  // namespace quillfen::cli
