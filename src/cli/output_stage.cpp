#include "output_stage.h"

#include <iostream>

#include "import/trade_table.h"

namespace quillfen::cli {

namespace {

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int follow = c < 0x80           ? 0
                 : (c >> 5) == 0x6  ? 1
                 : (c >> 4) == 0xE  ? 2
                 : (c >> 3) == 0x1E ? 3
                                    : -1;
    if (follow < 0 || i + static_cast<std::size_t>(follow) >= text.size() + (follow == 0))
      return false;
    for (int k = 1; k <= follow; ++k)
      if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) >> 6) != 0x2)
        return false;
    i += static_cast<std::size_t>(follow) + 1;
  }
  return true;
}

void PrintTable(const TradeTable& table, std::ostream& out) {
  for (int row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < TradeTable::kColumns; ++column) {
      if (column > 0) out << '\t';
      out << table.Cell(column, row);
    }
    out << '\n';
  }
}

}  // namespace

nlohmann::json JsonText(std::string_view text) {
  if (IsUtf8(text)) return std::string(text);
  std::string utf8;
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8.push_back(c);
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return utf8;
}

void AddOutputOptions(CLI::App& app, CliOptions& options) {
  app.add_flag("--table", options.table,
               "print the trade table: one line per row, 32 tab-separated cells");
  app.add_flag("--json", options.json, "print one JSON object with the figures and rows");
}

nlohmann::json ReaderStatsJson(const ReportStatistics& stats) {
  return {{"statementDeposit", stats.statementDeposit},
          {"initialDeposit", stats.initialDeposit},
          {"depositTotal", stats.depositTotal},
          {"withdrawalTotal", stats.withdrawalTotal},
          {"interestTotal", stats.interestTotal},
          {"rebateTotal", stats.rebateTotal},
          {"feeTotal", stats.feeTotal}};
}

int ImportJsonStage(CliRun& run) {
  if (!run.options.json) return kOk;
  nlohmann::json& json = run.json;
  json["stats"].update(ReaderStatsJson(run.report.stats));
  json["messages"] = nlohmann::json::array();
  for (const auto& text : run.messages.texts) json["messages"].push_back(JsonText(text));
  json["statements"] = nlohmann::json::array();
  for (const auto& path : run.report.statements) json["statements"].push_back(JsonText(path));
  nlohmann::json rows = nlohmann::json::array();
  const TradeTable& table = run.report.full;
  for (int row = 0; row < table.TradeRows(); ++row) {
    nlohmann::json cells = nlohmann::json::array();
    for (int column = 0; column < TradeTable::kColumns; ++column)
      cells.push_back(JsonText(table.Cell(column, row)));
    rows.push_back(std::move(cells));
  }
  json["tableRows"] = std::move(rows);
  return kOk;
}

int OutputStage(CliRun& run) {
  if (run.options.table) PrintTable(run.report.full, std::cout);
  if (run.options.json) std::cout << run.json.dump(2) << '\n';
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "quillfen-report: cannot write the output\n";
    return kUnwritable;
  }
  return kOk;
}

}  // namespace quillfen::cli
