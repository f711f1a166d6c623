#include "export/csv_export.h"

#include "analysis/statistics.h"
#include "analysis/trade_selection.h"
#include "io/replacing_file.h"
#include "program_state.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

constexpr const char* kHeader =
    "Ticket;Open date;Open time;Type;Lots;Item;Open price;S/L;T/P;Close date;Close time;"
    "Close price;Comm;Swap;Duration;Pips;Profit;Balance;Dd;Magic;Comment";

// A field the statement wrote freely, or one of the program's own numbers,
// dates and words.
enum class Field { own, text };

bool IsNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.empty()) return false;
  int separators = 0;
  for (char c : text) {
    if (c == '.' || c == ',')
      ++separators;
    else if (!IsDigit(c))
      return false;
  }
  return separators <= 1 && text.size() > static_cast<std::size_t>(separators);
}

// Spreadsheets run a text that starts like this as a formula.
bool StartsLikeFormula(std::string_view text) {
  if (text.empty()) return false;
  const char c = text.front();
  return c == '=' || c == '+' || c == '@' || c == '\t' || c == '\r' ||
         (c == '-' && !IsNumber(text));
}

// The decimal choice turns every decimal character of a field, text included;
// a field that holds the separator, a quote or a line end is quoted, its
// quotes doubled, so that it stays one field; a text that a spreadsheet would
// run gets a leading apostrophe, which shows it as text.
void AppendField(std::string& line, std::string_view field, Field kind, const CsvChoices& choices) {
  const char separator = choices.fieldSemicolon ? ';' : '\t';
  const std::size_t start = line.size();
  if (kind == Field::text && StartsLikeFormula(field)) line += '\'';
  line += field;
  bool quoted = false;
  for (std::size_t i = start; i < line.size(); ++i) {
    char& c = line[i];
    if (!choices.decimalComma && c == ',') c = '.';
    if (choices.decimalComma && c == '.') c = ',';
    quoted |= c == separator || c == '"' || c == '\r' || c == '\n';
  }
  if (quoted) {
    std::string text = line.substr(start);
    line.resize(start);
    line += '"';
    for (char c : text) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  line += separator;
}

void AppendStandardLine(const TradeViews& report, int r, const CsvChoices& choices,
                        std::string& out) {
  const VisibleGrid& a = report.grid1;
  const VisibleGrid& b = report.grid2;
  const bool closed = !a.Cell(g1::closeDate, r).empty();
  auto add = [&](std::string_view field, Field kind = Field::own) {
    AppendField(out, field, kind, choices);
  };
  add(a.Cell(g1::ticket, r));
  add(a.Cell(g1::openDate, r));
  add(a.Cell(g1::openTime, r));
  add(a.Cell(g1::type, r));
  add(a.Cell(g1::lots, r));
  add(a.Cell(g1::symbol, r), Field::text);
  add(a.Cell(g1::openPrice, r));
  add(b.Cell(g2::stopLoss, r));
  add(b.Cell(g2::takeProfit, r));
  add(closed ? a.Cell(g1::closeDate, r) : "");
  add(closed ? a.Cell(g1::closeTime, r) : "");
  add(a.Cell(g1::closePrice, r));
  add(b.Cell(g2::commission, r));
  add(b.Cell(g2::swap, r));
  add(TradeDuration(a.Cell(g1::openDate, r), a.Cell(g1::openTime, r), a.Cell(g1::closeDate, r),
                    a.Cell(g1::closeTime, r), false));
  add(a.Cell(g1::pips, r));
  add(a.Cell(g1::profit, r));
  add(a.Cell(g1::balance, r));
  add(a.Cell(g1::marker, r));
  add(b.Cell(g2::magic, r));
  add(b.Cell(g2::comment, r), Field::text);
  out += "\r\n";
}

void AppendCompactLine(const TradeViews& report, int r, std::string& out) {
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

CsvChoices CsvChoicesOf(const ReportOptions& options, const ProgramState& state) {
  return {options.csvDecimalComma, options.csvFieldSemicolon, state.CompactCsvRequested};
}

std::string CsvText(const TradeViews& report, const CsvChoices& choices) {
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

bool WriteCsvFile(const TradeViews& report, const CsvChoices& choices, const std::string& path,
                  std::string* error) {
  return WriteWholeFile(path, CsvText(report, choices), error);
}

}  // namespace quillfen
