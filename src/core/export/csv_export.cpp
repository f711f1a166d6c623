#include "export/csv_export.h"

#include "analysis/statistics.h"
#include "analysis/trade_selection.h"
#include "io/replacing_file.h"
#include "program_state.h"
#include "report.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

constexpr const char* kHeader =
    "Ticket;Open date;Open time;Type;Lots;Item;Open price;S/L;T/P;Close date;Close time;"
    "Close price;Comm;Swap;Duration;Pips;Profit;Balance;Dd;Magic;Comment";

void ConvertCharacters(std::string& line, std::size_t from, const CsvChoices& choices) {
  for (std::size_t i = from; i < line.size(); ++i) {
    char& c = line[i];
    if (!choices.decimalComma && c == ',') c = '.';
    if (choices.decimalComma && c == '.') c = ',';
    if (!choices.fieldSemicolon && c == ';') c = '\t';
  }
}

void AppendField(std::string& line, std::string_view field) {
  line += field;
  line += ';';
}

void AppendStandardLine(const Report& report, int r, const CsvChoices& choices, std::string& out) {
  const VisibleGrid& a = report.grid1;
  const VisibleGrid& b = report.grid2;
  const bool closed = !a.Cell(g1::closeDate, r).empty();
  const std::size_t start = out.size();
  AppendField(out, a.Cell(g1::ticket, r));
  AppendField(out, a.Cell(g1::openDate, r));
  AppendField(out, a.Cell(g1::openTime, r));
  AppendField(out, a.Cell(g1::type, r));
  AppendField(out, a.Cell(g1::lots, r));
  AppendField(out, a.Cell(g1::symbol, r));
  AppendField(out, a.Cell(g1::openPrice, r));
  AppendField(out, b.Cell(g2::stopLoss, r));
  AppendField(out, b.Cell(g2::takeProfit, r));
  AppendField(out, closed ? a.Cell(g1::closeDate, r) : "");
  AppendField(out, closed ? a.Cell(g1::closeTime, r) : "");
  AppendField(out, a.Cell(g1::closePrice, r));
  AppendField(out, b.Cell(g2::commission, r));
  AppendField(out, b.Cell(g2::swap, r));
  AppendField(out, TradeDuration(a.Cell(g1::openDate, r), a.Cell(g1::openTime, r),
                                 a.Cell(g1::closeDate, r), a.Cell(g1::closeTime, r), false));
  AppendField(out, a.Cell(g1::pips, r));
  AppendField(out, a.Cell(g1::profit, r));
  AppendField(out, a.Cell(g1::balance, r));
  AppendField(out, a.Cell(g1::marker, r));
  AppendField(out, b.Cell(g2::magic, r));
  AppendField(out, b.Cell(g2::comment, r));
  ConvertCharacters(out, start, choices);
  out += "\r\n";
}

void AppendCompactLine(const Report& report, int r, std::string& out) {
  const VisibleGrid& a = report.grid1;
  auto add = [&out](std::string_view text) { out += text; };
  add(a.Cell(g1::openDate, r));
  add(" ");
  add(a.Cell(g1::openTime, r));
  add(", ");
  add(a.Cell(g1::openPrice, r));
  add(", ");
  add(a.Cell(g1::closeDate, r));
  add(" ");
  add(a.Cell(g1::closeTime, r));
  add(", ");
  add(a.Cell(g1::closePrice, r));
  add(", ");
  add(report.grid2.Cell(g2::stopLoss, r));
  add(a.Cell(g1::type, r) == "buy" ? ", 1, " : ", -1, ");
  add(a.Cell(g1::profit, r));
  add(", , ");
  add(a.Cell(g1::lots, r));
  add("\r\n");
}

}  // namespace

CsvChoices CsvChoicesOf(const Report& report, const ProgramState& state) {
  return {report.options.csvDecimalComma, report.options.csvFieldSemicolon,
          state.CompactCsvRequested};
}

std::string CsvText(const Report& report, const CsvChoices& choices) {
  std::string out;
  const int rows = report.grid1.RowCount();
  out.reserve(static_cast<std::size_t>(rows) * 160);
  if (!choices.compact) {
    std::string header = kHeader;
    if (!choices.fieldSemicolon)
      for (char& c : header)
        if (c == ';') c = '\t';
    out += header + "\r\n";
  }
  for (int r = 1; r < rows; ++r) {
    // The blank row of an empty list is not a trade.
    if (report.grid1.Cell(g1::ticket, r).empty()) continue;
    if (!choices.compact)
      AppendStandardLine(report, r, choices, out);
    else if (!report.grid1.Cell(g1::closeDate, r).empty())
      AppendCompactLine(report, r, out);
  }
  return out;
}

bool WriteCsvFile(const Report& report, const CsvChoices& choices, const std::string& path,
                  std::string* error) {
  return WriteWholeFile(path, CsvText(report, choices), error);
}

bool ExportCsv(Report& report, const ProgramState& state, const std::string& path,
               std::string* error) {
  RecomputeStatistics(report);
  return WriteCsvFile(report, CsvChoicesOf(report, state), path, error);
}

}  // namespace quillfen
