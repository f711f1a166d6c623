#pragma once

#include "import/trade_table.h"

namespace quillfen {

// Fills the columns computed from a read trade row: pips, pip value per lot,
// a statement trade's commission, swap and taxes per lot, and the duration.
// Rows are independent: threads may fill different rows at once.
void FillComputedColumns(TradeTable& table, int row, bool statementTrade);

}  // namespace quillfen
