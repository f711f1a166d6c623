#pragma once

#include <string>
#include <vector>

#include "analysis/visible_grid.h"
#include "import/report_statistics.h"

namespace quillfen {

// The Summary tab's fixed-layout lines for these figures; empty when Grid1
// shows no trade.
std::vector<std::string> SummaryLines(const VisibleGrid& grid1, const ReportStatistics& s);

}  // namespace quillfen
