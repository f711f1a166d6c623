#pragma once

#include <vector>

#include "import/trade_table.h"

namespace quillfen {

// Orders the trade rows by ticket after a statement was added, as exchanging
// every pair of rows i < j whose positive tickets stand in the wrong order
// would: rows with a positive ticket move among their own slots, the others
// keep their places, the spare row stays last.
void SortByTicket(TradeTable& table);

// That exchange procedure on a sequence of keys: position p of the result holds
// the index of the key that ends there.
std::vector<int> ExchangeOrder(const std::vector<int>& keys);

}  // namespace quillfen
