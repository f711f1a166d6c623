#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "import/statement_converter.h"
#include "import/statement_road.h"
#include "messages.h"
#include "progress.h"
#include "report.h"

namespace quillfen::testing {

inline bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// A page whose converted text is the given lines of working text: each line a
// table row. A blank between two digits would read as a thousands separator,
// so there the line is cut into two cells, which the converter joins with
// blanks; every other character stays in its cell as written.
inline std::string PageOfLines(std::string_view text) {
  // The first line opens the page too, so that the page's lines are the text's.
  std::string page = "<html><body><table>";
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    page += "<tr><td>";
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == ' ' && i > 0 && i + 1 < line.size() && IsAsciiDigit(line[i - 1]) &&
          IsAsciiDigit(line[i + 1]))
        page += "</td><td>";
      else
        page += line[i];
    }
    page += "</td></tr>\n";
    at = end + 1;
  }
  return page + "</table></body></html>\n";
}

// Reads the page at path into the report through the road the program reads
// every file by, converting and reading side by side.
inline StatementRead ReadThroughRoad(Report& report, const std::string& path, bool adding,
                                     Messages& messages, Progress* progress = nullptr,
                                     const std::string& workingFile = {}) {
  NoProgress none;
  return ConvertAndReadStatement(report.full, report.stats, path, workingFile, adding,
                                 progress ? *progress : none, messages);
}

// The text the converter makes of the page at path, as the road hands it to
// the reader; the conversion's end in `conversion`.
inline std::string ConvertedText(const std::string& path, Progress& progress,
                                 Conversion* conversion = nullptr) {
  std::string text;
  const Conversion end = ConvertStatement(
      path,
      [&](std::string_view block) {
        text.append(block);
        return true;
      },
      progress);
  if (conversion) *conversion = end;
  return text;
}

}  // namespace quillfen::testing
