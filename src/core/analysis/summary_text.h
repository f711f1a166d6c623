#pragma once

#include <string>
#include <vector>

#include "report.h"

namespace quillfen {

// The Summary tab's fixed-layout lines for these figures; empty when the
// grids show no trade.
std::vector<std::string> SummaryLines(const Report& report);

// Replaces report.summaryMemo with SummaryLines and offers the figures to the
// simulation inputs. Does nothing while a sort runs.
void BuildSummaryText(Report& report);

}  // namespace quillfen
