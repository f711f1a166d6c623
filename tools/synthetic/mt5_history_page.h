#pragma once

#include "synthetic/mt5_deals.h"
#include "synthetic/page_writer.h"

namespace quillfen::synthetic {

// A MetaTrader 5 account history report ("Trade History Report"): header
// lines, Positions, Orders, Deals of 13, 14 (Fee) or 15 (Cost, Fee) columns
// with a footer of totals, Open Positions and Working Orders when there are
// any, the account lines, and Results last.
void WriteMt5HistoryPage(PageWriter& out, const Mt5History& history, bool japanese,
                         int dealsColumns, std::uint64_t seed);

}  // namespace quillfen::synthetic
