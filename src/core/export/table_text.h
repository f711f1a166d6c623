#pragma once

#include <ostream>

#include "import/trade_table.h"

namespace quillfen {

// The trade table as text: a line per row, its cells separated by tabs.
void WriteTableText(const TradeTable& table, std::ostream& out);

}  // namespace quillfen
