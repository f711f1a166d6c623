#include "output_stage.h"

#include <cstdio>
#include <iostream>

#include "export/table_text.h"
#include "json_output.h"
#include "views/balance_chart.h"
#include "views/display_list.h"
#include "views/fan_chart.h"
#include "views/times_chart.h"

namespace quillfen::cli {

namespace {

// The display list of a chart as the window draws it on a canvas of the given size.
std::string ChartText(const Report& report, const std::string& kind, int width, int height) {
  if (kind == "balance")
    return DisplayListText(PaintBalanceChart(report, report.stats.initialDeposit, width, height,
                                             ChartSurface::balanceTab));
  if (kind == "fan") {
    const auto& history = report.simulationResults.history;
    return DisplayListText(PaintFanChart(history ? history->fan : EquityFan{}, width, height));
  }
  const TimesBasis basis = kind == "open-times" ? TimesBasis::openTimes : TimesBasis::closeTimes;
  return DisplayListText(
      PaintTimesChart(report.grid1, width, height, basis, report.options.timeShiftMinutes));
}

}  // namespace

void AddOutputOptions(CLI::App& app, CliOptions& options) {
  app.add_flag("--table", options.table,
               "print the trade table: one line per row, 32 tab-separated cells");
  app.add_flag("--json", options.json, "print one JSON object with the figures and rows");
  app.add_option("--chart", options.charts,
                 "print a chart's display list (with --json: under charts); may be repeated")
      ->check(CLI::IsMember({"balance", "open-times", "close-times", "fan"}));
  app.add_option_function<std::string>(
         "--chart-size",
         [&options](const std::string& value) {
           if (std::sscanf(value.c_str(), "%dx%d", &options.chartWidth, &options.chartHeight) !=
                   2 ||
               options.chartWidth < 1 || options.chartHeight < 1 || options.chartWidth > 10000 ||
               options.chartHeight > 10000)
             throw CLI::ValidationError("--chart-size", "expected WIDTHxHEIGHT, each 1 to 10000");
         },
         "the charts' canvas (default 700x241)")
      ->type_name("WIDTHxHEIGHT");
}

int ImportJsonStage(CliRun& run) {
  if (!run.options.json) return kOk;
  nlohmann::json& json = run.json;
  json["messages"] = nlohmann::json::array();
  for (const auto& text : run.messages.texts) json["messages"].push_back(JsonText(text));
  json["statements"] = nlohmann::json::array();
  for (const auto& path : run.report.statements) json["statements"].push_back(JsonText(path));
  const TradeTable& table = run.report.full;
  run.jsonRows["tableRows"] = {CellsOf(table), 0, table.TradeRows(), TradeTable::kColumns};
  return kOk;
}

int OutputStage(CliRun& run) {
  const CliOptions& o = run.options;
  for (const std::string& kind : o.charts) {
    std::string text = ChartText(run.report, kind, o.chartWidth, o.chartHeight);
    if (o.json)
      run.json["charts"][kind] = std::move(text);
    else
      std::cout << text;
  }
  if (run.options.table) WriteTableText(run.report.full, std::cout);
  if (run.options.json) WriteJson(std::cout, run.json, run.jsonRows);
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "quillfen-report: cannot write the output\n";
    return kUnwritable;
  }
  return kOk;
}

}  // namespace quillfen::cli
