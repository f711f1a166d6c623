#pragma once

#include <ostream>

#include "import/trade_table.h"

namespace quillfen::testing {

// The computed columns of a read trade row, each cell formatted into a string
// of its own: the plain twin of FillComputedColumns.
void FillComputedColumnsPlain(TradeTable& table, int row, bool statementTrade);

// The trade table as text, appended cell by cell to a string: the plain twin
// of WriteTableText.
void WriteTableTextPlain(const TradeTable& table, std::ostream& out);

}  // namespace quillfen::testing
