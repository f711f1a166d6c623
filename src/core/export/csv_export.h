#pragma once

#include <string>

#include "analysis/trade_views.h"
#include "program_state.h"
#include "report_options.h"

namespace quillfen {

// The Options tab's two CSV choices and the program-wide compact request.
struct CsvChoices {
  bool decimalComma = true;
  bool fieldSemicolon = true;
  bool compact = false;
};

CsvChoices CsvChoicesOf(const ReportOptions& options, const ProgramState& state);

// The file's text with "\r\n" line ends: the standard format (header and one
// line of 21 fields per trade) or the compact one (closed trades only).
std::string CsvText(const TradeViews& views, const CsvChoices& choices);

// Writes the visible trades as they stand in the grids, replacing the file
// only when the whole text is written; false (with the reason in *error) when
// the file cannot be written.
bool WriteCsvFile(const TradeViews& views, const CsvChoices& choices, const std::string& path,
                  std::string* error = nullptr);

}  // namespace quillfen
