#include "output_stage.h"

#include <iostream>

#include "import/trade_table.h"
#include "json_output.h"

namespace quillfen::cli {

namespace {

void PrintTable(const TradeTable& table, std::ostream& out) {
  std::string text;
  for (int row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < TradeTable::kColumns; ++column) {
      if (column > 0) text += '\t';
      text += table.Cell(column, row);
    }
    text += '\n';
    if (text.size() > (1 << 16)) {
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      text.clear();
    }
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

void AddOutputOptions(CLI::App& app, CliOptions& options) {
  app.add_flag("--table", options.table,
               "print the trade table: one line per row, 32 tab-separated cells");
  app.add_flag("--json", options.json, "print one JSON object with the figures and rows");
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
  if (run.options.table) PrintTable(run.report.full, std::cout);
  if (run.options.json) WriteJson(std::cout, run.json, run.jsonRows);
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "quillfen-report: cannot write the output\n";
    return kUnwritable;
  }
  return kOk;
}

}  // namespace quillfen::cli
