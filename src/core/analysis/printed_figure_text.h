#pragma once

#include <string>
#include <vector>

#include "import/printed_figure.h"

namespace quillfen {

// The Summary tab's section of the figures a report printed that its trades
// cannot give (equity drawdowns, ratios, the test's history), after a blank
// line and a heading; empty when the report printed none of them.
std::vector<std::string> PrintedMemoLines(const std::vector<PrintedFigure>& figures);

}  // namespace quillfen
