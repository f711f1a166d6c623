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

void CopyRow(const TextGrid& from, int fromRow, TextGrid& to, int toRow) {
  for (int c = 0; c < from.Columns(); ++c) to.SetCell(c, toRow, from.Cell(c, fromRow));
  to.SetRowTag(toRow, from.RowTag(fromRow));
}

// The removed rows, in table order, with their places.
void KeepRemovedRows(const TradeTable& table, const std::vector<bool>& remove, int removed,
                     DeletedTrades& record) {
  record.rows.SetRowCount(removed);
  for (int row = 0; row < static_cast<int>(remove.size()); ++row) {
    if (!remove[static_cast<std::size_t>(row)]) continue;
    CopyRow(table, row, record.rows, static_cast<int>(record.rowIndices.size()));
    record.rowIndices.push_back(row);
  }
}

// Later trade rows move up over the removed ones; the row after the last trade
// becomes a blank spare row.
void RemoveRows(TradeTable& table, const std::vector<bool>& remove) {
  int kept = 0;
  for (int row = 0; row < static_cast<int>(remove.size()); ++row)
    if (!remove[static_cast<std::size_t>(row)]) table.SwapRows(kept++, row);
  table.SetRowCount(kept + 1);
  for (int c = 0; c < table.Columns(); ++c) table.SetCell(c, kept, "");
  table.SetRowTag(kept, TextGrid::kNoTag);
}

// Removes the items for which gone holds, from the last, keeping each one's
// place and selection; the record lists them from the first.
template <class Gone>
void DropItems(SelectionList& list, Gone gone, std::vector<DeletedTrades::Item>& record) {
  for (int i = list.Size() - 1; i >= 0; --i) {
    if (!gone(list.Item(i))) continue;
    record.push_back({i, list.Item(i), list.IsSelected(i)});
    list.RemoveAt(i);
  }
  std::reverse(record.begin(), record.end());
}

void DropItemsNoLongerUsed(Report& report, DeletedTrades& record) {
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
  DropItems(
      report.pairsListBox, [&](const std::string& item) { return !symbols.contains(item); },
      record.symbols);
  DropItems(
      report.magicListBox,
      [&](const std::string& item) {
        return item == kNoMagicItem ? !emptyMagic : !magics.contains(item);
      },
      record.magics);
}

// The kept rows move down to make room; each restored row goes to its old
// place, or as near to it as the table's rows allow.
void InsertRows(TradeTable& table, const DeletedTrades& record) {
  const int kept = table.TradeRows();
  const int restored = static_cast<int>(record.rowIndices.size());
  table.SetRowCount(kept + restored + 1);
  int source = kept - 1;
  int next = restored - 1;
  for (int row = kept + restored - 1; row >= 0; --row) {
    if (next >= 0 && (record.rowIndices[static_cast<std::size_t>(next)] >= row || source < 0)) {
      CopyRow(record.rows, next--, table, row);
    } else {
      table.SwapRows(row, source--);
    }
  }
}

void InsertItems(SelectionList& list, const std::vector<DeletedTrades::Item>& items,
                 const std::vector<bool>& selected) {
  for (const DeletedTrades::Item& item : items)
    if (!list.Contains(item.text)) list.Insert(item.index, item.text, item.selected);
  if (static_cast<int>(selected.size()) != list.Size()) return;
  for (int i = 0; i < list.Size(); ++i) list.SetSelected(i, selected[static_cast<std::size_t>(i)]);
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
  DeletedTrades record;
  record.symbolsSelected = report.pairsListBox.Selections();
  record.magicsSelected = report.magicListBox.Selections();
  KeepRemovedRows(report.full, remove, removed, record);
  RemoveRows(report.full, remove);
  DropItemsNoLongerUsed(report, record);
  report.deletions.push_back(std::move(record));
  FullRefresh(report, paintCharts);
  return removed;
}

int RestoreDeletedTrades(Report& report, const ChartPainter& paintCharts) {
  if (report.deletions.empty()) return 0;
  const DeletedTrades record = std::move(report.deletions.back());
  report.deletions.pop_back();
  InsertRows(report.full, record);
  InsertItems(report.pairsListBox, record.symbols, record.symbolsSelected);
  InsertItems(report.magicListBox, record.magics, record.magicsSelected);
  FullRefresh(report, paintCharts);
  return static_cast<int>(record.rowIndices.size());
}

}  // namespace quillfen
