#pragma once

#include <string>
#include <vector>

#include "analysis/deleted_trades.h"
#include "analysis/selection_list.h"
#include "analysis/visible_grid.h"
#include "import/trade_table.h"

namespace quillfen {

// What a deletion reads and changes: the trade table, shown through Grid1,
// the two lists, and the deletions kept for Undo.
struct DeletionTarget {
  TradeTable& full;
  const VisibleGrid& grid1;
  SelectionList& pairsListBox;
  SelectionList& magicListBox;
  std::vector<DeletedTrades>& deletions;
};

// The Delete key on the grids: removes from the trade table the row that each
// given grid row shows and drops the list items that no longer occur; the
// views are left to the refresh. Refuses to delete the only trade of a window
// with one symbol. Gives the number of trade rows removed. What it removed is
// kept in the target's deletions.
int DeleteTrades(const DeletionTarget& target, const std::vector<int>& gridRows);

// Deletes of tickets[next ...] one after another, each taking the first grid
// row that shows its ticket then, as FindGridRow and DeleteTrades in turn
// would, up to a row that was the last of a list item: the list then changes
// what the grid shows, so the views must be refreshed before the next call.
// The rows taken are kept as one deletion; next is left at the first ticket
// not done. Gives the number of trade rows removed (0 once next is at the end).
int DeleteNextTickets(const DeletionTarget& target, const std::vector<std::string>& tickets,
                      std::size_t& next);

// Undo of the latest deletion kept: its rows go back to their places in the
// table and its list items to theirs, selected as they were; the views are
// left to the refresh. Gives the number of trade rows put back.
int RestoreDeletedTrades(const DeletionTarget& target);

// The grid row (from 1) that shows this ticket, or -1.
int FindGridRow(const VisibleGrid& grid1, std::string_view ticket);

}  // namespace quillfen
