#pragma once

#include "import/trade_table.h"

namespace quillfen::testing {

// The computed columns of a read trade row, each cell formatted into a string
// of its own: the plain twin of FillComputedColumns.
void FillComputedColumnsPlain(TradeTable& table, int row, bool statementTrade);

}  // namespace quillfen::testing
