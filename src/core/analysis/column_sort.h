#pragma once

#include "import/trade_table.h"

namespace quillfen {

// The order a column sort last left the trade rows in; column -1 while they
// stand as read.
struct SortedOrder {
  int column = -1;
  bool ascending = true;
};

// The trade-table column that a mouse press on header column headerColumn of
// Grid1 (grid 1) or Grid2 (grid 2) arms, or -1 for a header that sorts nothing.
int HeaderSortColumn(int grid, int headerColumn);

// Whether that header is drawn silver as the armed one.
bool HeaderShowsArmed(int grid, int headerColumn, int armedSortColumn);

// The direction arrow beside the silver of an armed header: +1 ascending, -1
// descending, 0 none. Only while the rows stand in that column's order, and not
// on a date header whose time header beside it carries the arrow.
int HeaderSortArrow(int grid, int headerColumn, int armedSortColumn, const SortedOrder& sortedBy);

// Whether a header double click on this trade-table column sorts: ticket, lots,
// open date, close date, duration, pips and magic.
bool IsSortableColumn(int column);

// Whether a sort by the column orders ascending: the toggling columns (lots,
// duration, pips) descend first and ascend when sorted twice in a row.
bool SortsAscending(int column, int lastSortColumn);

// Orders the trade rows (the spare row stays last) by the column's exchange
// rule. lastSortColumn == column selects the ascending direction of the
// toggling columns (lots, duration, pips). O(n log n).
void OrderTradeRows(TradeTable& table, int column, int lastSortColumn);

// Whether a double click on the column's header orders anything: a column
// with a rule, on a table with a trade.
bool SortsAnything(const TradeTable& table, int column);

}  // namespace quillfen
