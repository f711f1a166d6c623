#include "analysis/trade_deletion.h"

#include <algorithm>
#include <deque>
#include <unordered_map>
#include <unordered_set>

#include "analysis/trade_selection.h"

namespace quillfen {

namespace {

using CaseInsensitiveSet =
    std::unordered_set<std::string_view, CaseInsensitiveHash, CaseInsensitiveEqual>;

// Marks, for each ticket in turn, the first trade row with that ticket that is
// not yet marked, as successive searches from the top after each removal find them.
std::vector<bool> RowsToRemove(const TradeTable& table, const std::vector<std::string>& tickets) {
  std::unordered_map<std::string_view, std::deque<int>> rowsByTicket;
  for (int row = 0; row < table.TradeRows(); ++row)
    rowsByTicket[table.Cell(col::ticket, row)].push_back(row);
  std::vector<bool> remove(static_cast<std::size_t>(table.TradeRows()), false);
  for (const std::string& ticket : tickets) {
    auto found = rowsByTicket.find(ticket);
    if (found == rowsByTicket.end() || found->second.empty()) continue;
    remove[static_cast<std::size_t>(found->second.front())] = true;
    found->second.pop_front();
  }
  return remove;
}

// Later trade rows move up over the removed ones; the row after the last trade
// becomes a blank spare row.
void RemoveRows(TradeTable& table, const std::vector<bool>& remove) {
  int kept = 0;
  for (int row = 0; row < static_cast<int>(remove.size()); ++row)
    if (!remove[static_cast<std::size_t>(row)]) table.SwapRows(kept++, row);
  table.SetRowCount(kept + 1);
  for (int c = 0; c < table.Columns(); ++c) table.SetCell(c, kept, "");
}

void DropItemsNoLongerUsed(Report& report) {
  const TradeTable& table = report.full;
  CaseInsensitiveSet symbols, magics;
  bool emptyMagic = false;
  for (int row = 0; row < table.TradeRows(); ++row) {
    symbols.insert(table.Cell(col::symbol, row));
    std::string_view magic = table.Cell(col::magic, row);
    if (magic.empty())
      emptyMagic = true;
    else
      magics.insert(magic);
  }
  SelectionList& pairs = report.pairsListBox;
  for (int i = pairs.Size() - 1; i >= 0; --i)
    if (!symbols.contains(pairs.Item(i))) pairs.RemoveAt(i);
  SelectionList& magicList = report.magicListBox;
  for (int i = magicList.Size() - 1; i >= 0; --i) {
    bool none = magicList.Item(i) == kNoMagicItem;
    if (none ? !emptyMagic : !magics.contains(magicList.Item(i))) magicList.RemoveAt(i);
  }
}

}  // namespace

int FindGridRow(const Report& report, std::string_view ticket) {
  for (int row = 1; row < report.grid1.RowCount(); ++row)
    if (!ticket.empty() && report.grid1.Cell(0, row) == ticket) return row;
  return -1;
}

int DeleteTrades(Report& report, const std::vector<int>& gridRows,
                 const ChartPainter& paintCharts) {
  if (report.grid1.RowCount() == 2 && report.pairsListBox.Size() == 1) return 0;
  std::vector<std::string> tickets;
  for (int row : gridRows) {
    std::string_view ticket = report.grid1.Cell(0, row);
    if (row >= 1 && !ticket.empty()) tickets.emplace_back(ticket);
  }
  std::vector<bool> remove = RowsToRemove(report.full, tickets);
  int removed = static_cast<int>(std::count(remove.begin(), remove.end(), true));
  if (removed == 0) return 0;
  RemoveRows(report.full, remove);
  DropItemsNoLongerUsed(report);
  FullRefresh(report, paintCharts);
  return removed;
}

}  // namespace quillfen
