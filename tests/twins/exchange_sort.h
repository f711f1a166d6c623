#pragma once

#include "import/trade_table.h"

namespace quillfen::testing {

// The column sort by the quadratic exchange procedure, each rule written as
// the cell comparison it is: the plain twin the fast order is checked and
// measured against.
void ExchangeSortTradeRows(TradeTable& table, int column, int lastSortColumn);

}  // namespace quillfen::testing
