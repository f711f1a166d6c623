#pragma once

#include <string>

namespace quillfen {

struct Report;
struct ProgramState;

// The Options tab's two CSV choices and the program-wide compact request.
struct CsvChoices {
  bool decimalComma = true;
  bool fieldSemicolon = true;
  bool compact = false;
};

CsvChoices CsvChoicesOf(const Report& report, const ProgramState& state);

// The file's text with "\r\n" line ends: the standard format (header and one
// line of 21 fields per trade) or the compact one (closed trades only).
std::string CsvText(const Report& report, const CsvChoices& choices);

// Writes the visible trades as they stand in the grids, replacing the file
// only when the whole text is written; false (with the reason in *error) when
// the file cannot be written.
bool WriteCsvFile(const Report& report, const CsvChoices& choices, const std::string& path,
                  std::string* error = nullptr);

// The CSV export of a report whose figures (the Lots, Profit, Comm, Swap,
// Balance and marker cells) are current: the file with the report's CSV
// choices and the program-wide compact request.
bool ExportCsv(const Report& report, const ProgramState& state, const std::string& path,
               std::string* error = nullptr);

}  // namespace quillfen
