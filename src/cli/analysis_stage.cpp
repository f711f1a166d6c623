#include "analysis_stage.h"

#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "actions/view_actions.h"
#include "analysis/calendar_moment.h"
#include "analysis/time_shift.h"
#include "analysis/trade_selection.h"
#include "json_output.h"
#include "text/text_conversions.h"

namespace quillfen::cli {

namespace {

const std::map<std::string, int> kSortColumns = {
    {"ticket", col::ticket},   {"lots", col::lots},         {"open", col::openDate},
    {"close", col::closeDate}, {"duration", col::duration}, {"pips", col::pips},
    {"magic", col::magic}};

const std::map<std::string, SizingChoice> kSizingKinds = {
    {"mini-lots", SizingChoice::miniLots},
    {"standard-lots", SizingChoice::standardLots},
    {"mini-amount", SizingChoice::miniAmount},
    {"standard-amount", SizingChoice::standardAmount}};

// An amount as a user types one into a box: digits with at most one period,
// within what money amounts can be. Anything else (a sign, an exponent, nan)
// would be read as some other number without a word.
std::optional<double> PlainAmount(const std::string& text) {
  constexpr double kLargest = 1e15;
  if (text.find_first_not_of("0123456789.") != std::string::npos ||
      text.find('.') != text.rfind('.') || text.find_first_of("0123456789") == std::string::npos)
    return std::nullopt;
  const double value = TextToAmount(text);
  if (!(value < kLargest)) return std::nullopt;
  return value;
}

void SetDeposit(ReportOptions& options, const std::string& value) {
  if (value == "statement") {
    options.deposit = DepositChoice::statement;
    return;
  }
  if (!PlainAmount(value))
    throw CLI::ValidationError("--deposit",
                               "expected statement or an amount such as 5000 or "
                               "2500.50, got " +
                                   value);
  options.deposit = DepositChoice::custom;
  options.depositText = value;
}

// "original", or KIND:TEXT with TEXT going into that mode's edit field.
void SetSizing(ReportOptions& options, const std::string& value) {
  if (value == "original") {
    options.sizing = SizingChoice::original;
    return;
  }
  std::size_t colon = value.find(':');
  auto kind = kSizingKinds.find(value.substr(0, colon));
  if (colon == std::string::npos || kind == kSizingKinds.end())
    throw CLI::ValidationError("--sizing", "expected original or KIND:VALUE, got " + value);
  options.sizing = kind->second;
  std::string text = value.substr(colon + 1);
  if (auto amount = PlainAmount(text); !amount || *amount <= 0)
    throw CLI::ValidationError("--sizing", "expected a positive amount after " +
                                               value.substr(0, colon + 1) + ", got " + text);
  switch (kind->second) {
    case SizingChoice::miniLots:
      options.miniContractsText = text;
      break;
    case SizingChoice::standardLots:
      options.standardContractsText = text;
      break;
    case SizingChoice::miniAmount:
      options.miniAmountText = text;
      break;
    default:
      options.standardAmountText = text;
      break;
  }
}

void SetLimits(ReportOptions& options, const std::string& value) {
  std::vector<std::string> texts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = value.find(',', start)) != std::string::npos; start = comma + 1)
    texts.push_back(value.substr(start, comma - start));
  texts.push_back(value.substr(start));
  std::vector<double> limits;
  for (const std::string& text : texts)
    if (auto amount = PlainAmount(text); amount && *amount > 0) limits.push_back(*amount);
  // Limits of 0 or a minimum above its maximum size every trade to nothing or to one size.
  if (texts.size() != 4 || limits.size() != 4 || limits[0] > limits[1] || limits[2] > limits[3])
    throw CLI::ValidationError("--limits",
                               "expected four positive amounts MINMINI,MAXMINI,MINSTD,MAXSTD, "
                               "each minimum at most its maximum, got " +
                                   value);
  options.minMiniLotsText = texts[0];
  options.maxMiniLotsText = texts[1];
  options.minStandardLotsText = texts[2];
  options.maxStandardLotsText = texts[3];
}

// Says which names of an option the report does not hold; true when it holds all.
bool AllKnown(const char* option, const std::vector<std::string>& unknown) {
  if (unknown.empty()) return true;
  std::cerr << "quillfen-report: " << option << ": the report holds no";
  for (std::size_t i = 0; i < unknown.size(); ++i)
    std::cerr << (i == 0 ? " " : ", ") << '"' << unknown[i] << '"';
  std::cerr << '\n';
  return false;
}

nlohmann::json ItemsJson(const SelectionList& list) {
  nlohmann::json items = nlohmann::json::array();
  for (const std::string& item : list.Items()) items.push_back(JsonText(item));
  return items;
}

// One object per item, the figures as numbers; no profit factor without losses.
nlohmann::json BreakdownJson(const std::vector<BreakdownRow>& rows, const char* itemKey) {
  nlohmann::json items = nlohmann::json::array();
  for (const BreakdownRow& row : rows)
    items.push_back({{itemKey, JsonText(row.item)},
                     {"trades", row.trades},
                     {"netProfit", row.netProfit},
                     {"winPercent", row.winPercent},
                     {"profitFactor", row.hasLosses ? nlohmann::json(row.profitFactor) : nullptr},
                     {"expectedPayoff", row.expectedPayoff},
                     {"maximalDrawdown", row.maximalDrawdown},
                     {"largestWin", row.largestWin},
                     {"largestLoss", row.largestLoss}});
  return items;
}

// Months as "YYYY-MM", episodes' moments as "YYYY-MM-DD HH:MM"; a return or
// percentage without a balance above 0 to take it of is null.
void AddTimeFiguresJson(nlohmann::json& json, const TimeFigures& figures) {
  json["months"] = nlohmann::json::array();
  for (const MonthResult& month : figures.returns.months) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d-%02d", month.year, month.month);
    json["months"].push_back({{"month", name},
                              {"profit", month.profit},
                              {"returnPercent", month.returnPercent},
                              {"trades", month.trades}});
  }
  json["years"] = nlohmann::json::array();
  for (const YearResult& year : figures.returns.years)
    json["years"].push_back(
        {{"year", year.year}, {"profit", year.profit}, {"returnPercent", year.returnPercent}});
  json["drawdowns"] = nlohmann::json::array();
  for (const DrawdownEpisode& episode : figures.drawdowns)
    json["drawdowns"].push_back(
        {{"start", MomentText(episode.start)},
         {"low", MomentText(episode.low)},
         {"recovery", episode.recovery ? nlohmann::json(MomentText(*episode.recovery)) : nullptr},
         {"depth", episode.depth},
         {"depthPercent", episode.depthPercent},
         {"days", episode.days},
         {"recoveryDays", episode.recoveryDays ? nlohmann::json(*episode.recoveryDays) : nullptr}});
}

nlohmann::json StatisticsJson(const Report& report) {
  const ReportStatistics& s = report.stats;
  return {{"statementDeposit", s.statementDeposit},
          {"interestTotal", s.interestTotal},
          {"depositTotal", s.depositTotal},
          {"withdrawalTotal", s.withdrawalTotal},
          {"rebateTotal", s.rebateTotal},
          {"feeTotal", s.feeTotal},
          {"initialDeposit", s.initialDeposit},
          {"runningBalance", s.runningBalance},
          {"maxBalance", s.maxBalance},
          {"minBalance", s.minBalance},
          {"netProfit", s.netProfit},
          {"peakNetProfit", s.peakNetProfit},
          {"grossProfit", s.grossProfit},
          {"grossLoss", s.grossLoss},
          {"commissionTotal", s.commissionTotal},
          {"swapTotal", s.swapTotal},
          {"tradeCount", s.tradeCount},
          {"winCount", s.winCount},
          {"lossCount", s.lossCount},
          {"percentProfitable", s.percentProfitable},
          {"averageWin", s.averageWin},
          {"averageLoss", s.averageLoss},
          {"totalLots", s.totalLots},
          {"totalPips", s.totalPips},
          {"averagePips", s.averagePips},
          {"winPips", s.winPips},
          {"lossPips", s.lossPips},
          {"averageWinPips", s.averageWinPips},
          {"averageLossPips", s.averageLossPips},
          {"totalPipsPerLot", s.totalPipsPerLot},
          {"averagePipsPerLot", s.averagePipsPerLot},
          {"winPipsPerLot", s.winPipsPerLot},
          {"lossPipsPerLot", s.lossPipsPerLot},
          {"averageWinPipsPerLot", s.averageWinPipsPerLot},
          {"averageLossPipsPerLot", s.averageLossPipsPerLot},
          {"largestWin", s.largestWin},
          {"largestWinPips", s.largestWinPips},
          {"largestLoss", s.largestLoss},
          {"largestLossPips", s.largestLossPips},
          {"returnPercent", s.returnPercent},
          {"maxDrawdownPercent", s.maxDrawdownPercent},
          {"maxDrawdown", s.maxDrawdown},
          {"periodDays", s.periodDays},
          {"sortInProgress", report.busy == BusyWith::sorting}};
}

}  // namespace

void AddAnalysisOptions(CLI::App& app, CliOptions& options) {
  ReportOptions& o = options.analysis;
  app.add_flag("--summary", options.summary,
               "print the summary text as the Summary tab shows it (the default output)");
  app.add_option_function<std::string>(
         "--deposit", [&o](const std::string& value) { SetDeposit(o, value); },
         "statement, or the initial deposit to use")
      ->type_name("statement|AMOUNT");
  app.add_option_function<std::string>(
         "--sizing", [&o](const std::string& value) { SetSizing(o, value); },
         "position sizing: original, mini-lots:N, standard-lots:N, mini-amount:A, "
         "standard-amount:A")
      ->type_name("MODE");
  app.add_option_function<std::string>(
         "--limits", [&o](const std::string& value) { SetLimits(o, value); },
         "lot limits (default 0.01,50,0.01,100)")
      ->type_name("MINMINI,MAXMINI,MINSTD,MAXSTD");
  app.add_option_function<std::string>(
         "--display",
         [&options](const std::string& value) {
           options.analysis.display = value == "closed" ? DisplayFilter::closed
                                      : value == "open" ? DisplayFilter::open
                                                        : DisplayFilter::all;
           options.displayGiven = true;
         },
         "display filter")
      ->check(CLI::IsMember({"all", "closed", "open"}));
  app.add_option("--symbols", options.symbols, "symbols to select (default: all)")->delimiter(',');
  app.add_option("--magics", options.magics,
                 "magic numbers to select, None for trades without one (default: all)")
      ->delimiter(',');
  app.add_option_function<std::string>(
         "--time-shift",
         [&o](const std::string& value) {
           const std::optional<int> minutes = TimeShiftMinutes(value);
           if (!minutes)
             throw CLI::ValidationError("--time-shift",
                                        std::string(kTimeShiftMessage) + " Got " + value);
           o.timeShiftMinutes = *minutes;
         },
         "the broker's clock moved by H hours (quarter hours) for the Times chart, months and "
         "drawdowns")
      ->type_name("H");
  // Sorts and deletions keep their command-line order: each value is taken as it is parsed.
  app.add_option_function<std::string>(
         "--sort",
         [&options](const std::string& value) {
           options.tableEdits.push_back({kSortColumns.at(value), {}});
         },
         "sort as a double click on that header; may be repeated")
      ->check(CLI::IsMember({"ticket", "lots", "open", "close", "duration", "pips", "magic"}))
      ->trigger_on_parse();
  app.add_option_function<std::string>(
         "--delete",
         [&options](const std::string& value) {
           options.tableEdits.push_back({-1, value});
         },
         "delete that trade as the Delete key does; may be repeated")
      ->type_name("TICKET")
      ->trigger_on_parse();
}

int PrepareStage(CliRun& run) {
  run.report.options = run.options.analysis;
  PrepareReport(run.report);
  return kOk;
}

int SelectionStage(CliRun& run) {
  const CliOptions& options = run.options;
  Report& report = run.report;
  const bool selecting = !options.symbols.empty() || !options.magics.empty();
  if (options.displayGiven) {
    FilterDisplay(report, report.options);
    // The filter rebuilds the lists and grids only; a selection refreshes them all.
    if (!selecting) ApplyOptions(report, report.options);
  }
  if (!selecting) return kOk;
  const NamedSelections named = SelectionsNamed(report, options.symbols, options.magics);
  // An unknown name would select nothing, and a list with nothing selected shows every trade.
  const bool symbolsKnown = AllKnown("--symbols", named.unknownSymbols);
  if (!AllKnown("--magics", named.unknownMagics) || !symbolsKnown) return kUsage;
  SelectTrades(report, report.options, named.selections);
  return kOk;
}

int TableEditStage(CliRun& run) {
  NoProgress progress;
  const ReportOptions options = run.report.options;
  // Deletions in a row go together: one refresh after them, not one each.
  std::vector<std::string> tickets;
  for (const CliOptions::TableEdit& edit : run.options.tableEdits) {
    if (edit.sortColumn < 0) {
      tickets.push_back(edit.ticket);
      continue;
    }
    if (!tickets.empty()) DeleteTicketRows(run.report, options, std::exchange(tickets, {}));
    SortColumn(run.report, run.state, options, edit.sortColumn, progress);
  }
  if (!tickets.empty()) DeleteTicketRows(run.report, options, tickets);
  return kOk;
}

int LeftOutClosesStage(CliRun& run) {
  const std::string leftOut = UnreadableClosesMessage(run.report.timeFigures);
  if (!leftOut.empty()) {
    std::cerr << "quillfen-report: " << leftOut << '\n';
    run.messages.Show(leftOut);
  }
  return kOk;
}

int AnalysisJsonStage(CliRun& run) {
  if (!run.options.json) return kOk;
  const Report& report = run.report;
  nlohmann::json& json = run.json;
  json["stats"].update(StatisticsJson(report));
  json["summary"] = nlohmann::json::array();
  for (const std::string& line : report.summaryMemo) json["summary"].push_back(JsonText(line));
  json["terminalFigures"] = nlohmann::json::object();
  for (const FigureLine& line : report.terminalFigures)
    json["terminalFigures"][line.label] = JsonText(line.text);
  json["printedFigures"] = nlohmann::json::object();
  for (const PrintedFigure& figure : report.stats.printedFigures)
    json["printedFigures"][figure.label] = JsonText(figure.text);
  json["breakdown"] = {{"symbols", BreakdownJson(report.breakdown.symbols, "symbol")},
                       {"magics", BreakdownJson(report.breakdown.magics, "magic")}};
  AddTimeFiguresJson(json, report.timeFigures);
  // Header row first, every row of both grids.
  run.jsonRows["grid1"] = {CellsOf(report.grid1), 0, report.grid1.RowCount(),
                           report.grid1.Columns()};
  run.jsonRows["grid2"] = {CellsOf(report.grid2), 0, report.grid2.RowCount(),
                           report.grid2.Columns()};
  json["symbols"] = ItemsJson(report.pairsListBox);
  json["magics"] = ItemsJson(report.magicListBox);
  return kOk;
}

int SummaryOutputStage(CliRun& run) {
  const CliOptions& options = run.options;
  // The summary is the default output: printed unless another output was asked for.
  const bool otherOutput =
      options.json || options.table || !options.charts.empty() || !options.simulation.mode.empty();
  if (!options.summary && otherOutput) return kOk;
  for (const std::string& line : run.report.summaryMemo) std::cout << line << '\n';
  for (const std::string& line : run.report.terminalMemo) std::cout << line << '\n';
  for (const std::string& line : run.report.printedMemo) std::cout << line << '\n';
  return kOk;
}

}  // namespace quillfen::cli
