#pragma once

#include <vector>

#include "import/trade_table.h"

namespace quillfen {

// Orders the trade rows by ticket after a statement was added: rows with a
// positive ticket move among their own slots, in ascending order, and rows
// with equal tickets keep their order among themselves; the others keep their
// places, and the spare row stays last. With unique tickets this is the order
// that exchanging every pair of rows i < j whose tickets stand wrong gives.
void SortByTicket(TradeTable& table);

// That order on a sequence of keys: position p of the result holds the index
// of the key that ends there.
std::vector<int> TicketOrder(const std::vector<int>& keys);

}  // namespace quillfen
