#include "analysis/trade_deletion.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "analysis/trade_selection.h"

namespace quillfen {

namespace {

using CaseInsensitiveSet =
    std::unordered_set<std::string_view, CaseInsensitiveHash, CaseInsensitiveEqual>;

// The table rows that these grid rows show, ascending, each once. A grid row
// knows its table row: equal tickets of two added statements, one of them
// hidden, never stand in for each other.
std::vector<int> TableRowsShown(const VisibleGrid& grid, const std::vector<int>& gridRows) {
  std::vector<int> rows;
  for (int row : gridRows) {
    const int tableRow = grid.TableRow(row);
    if (row >= 1 && tableRow >= 0 && !grid.Cell(0, row).empty()) rows.push_back(tableRow);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

// The removed rows, in table order, with their places.
void KeepRemovedRows(const TradeTable& table, const std::vector<int>& rows, DeletedTrades& record) {
  record.rowIndices = rows;
  record.cells.reserve(rows.size() * TradeTable::kDataColumns);
  for (int row : rows) {
    record.rowTags.push_back(table.RowTag(row));
    for (int c = 0; c < TradeTable::kDataColumns; ++c)
      record.cells.emplace_back(table.Cell(c, row));
  }
}

// Later trade rows move up over the removed ones; the row after the last trade
// becomes a blank spare row. Rows above the first removed one stay as they are.
void RemoveRows(TradeTable& table, const std::vector<int>& rows) {
  int kept = rows.front();
  auto next = rows.begin();
  for (int row = rows.front(); row < table.TradeRows(); ++row) {
    if (next != rows.end() && *next == row) {
      ++next;
      continue;
    }
    table.SwapRows(kept++, row);
  }
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

// Only the items of the removed rows can have gone: the table is searched for
// those alone, and only until each is found again.
void DropItemsNoLongerUsed(const DeletionTarget& report, DeletedTrades& record) {
  CaseInsensitiveSet symbols, magics;
  bool emptyMagic = false;
  for (std::size_t r = 0; r < record.rowIndices.size(); ++r) {
    const std::string* row = &record.cells[r * TradeTable::kDataColumns];
    symbols.insert(row[col::symbol]);
    if (row[col::magic].empty())
      emptyMagic = true;
    else
      magics.insert(row[col::magic]);
  }
  const TradeTable& table = report.full;
  for (int row = 0; row < table.TradeRows(); ++row) {
    if (symbols.empty() && magics.empty() && !emptyMagic) break;
    symbols.erase(table.Cell(col::symbol, row));
    std::string_view magic = table.Cell(col::magic, row);
    if (magic.empty())
      emptyMagic = false;
    else
      magics.erase(magic);
  }
  DropItems(
      report.pairsListBox, [&](const std::string& item) { return symbols.contains(item); },
      record.symbols);
  DropItems(
      report.magicListBox,
      [&](const std::string& item) {
        return item == kNoMagicItem ? emptyMagic : magics.contains(item);
      },
      record.magics);
}

// The kept rows move down to make room; each restored row goes to its old
// place, or as near to it as the table's rows allow. Rows above the first
// restored place stay where they are.
void InsertRows(TradeTable& table, const DeletedTrades& record) {
  const int kept = table.TradeRows();
  const int restored = static_cast<int>(record.rowIndices.size());
  table.SetRowCount(kept + restored + 1);
  int source = kept - 1;
  int next = restored - 1;
  for (int row = kept + restored - 1; next >= 0; --row) {
    if (record.rowIndices[static_cast<std::size_t>(next)] >= row || source < 0) {
      const std::string* cells =
          &record.cells[static_cast<std::size_t>(next) * TradeTable::kDataColumns];
      for (int c = 0; c < TradeTable::kDataColumns; ++c) table.SetCell(c, row, cells[c]);
      table.SetRowTag(row, record.rowTags[static_cast<std::size_t>(next)]);
      --next;
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

void RemoveTableRows(const DeletionTarget& report, const std::vector<int>& rows) {
  DeletedTrades record;
  record.symbolsSelected = report.pairsListBox.Selections();
  record.magicsSelected = report.magicListBox.Selections();
  KeepRemovedRows(report.full, rows, record);
  RemoveRows(report.full, rows);
  DropItemsNoLongerUsed(report, record);
  report.deletions.push_back(std::move(record));
}

// How many trade rows of the table hold each symbol and each magic number.
struct ItemUses {
  std::unordered_map<std::string_view, int, CaseInsensitiveHash, CaseInsensitiveEqual> symbols;
  std::unordered_map<std::string_view, int, CaseInsensitiveHash, CaseInsensitiveEqual> magics;
  int emptyMagics = 0;

  explicit ItemUses(const TradeTable& table) {
    for (int row = 0; row < table.TradeRows(); ++row) {
      ++symbols[table.Cell(col::symbol, row)];
      std::string_view magic = table.Cell(col::magic, row);
      if (magic.empty())
        ++emptyMagics;
      else
        ++magics[magic];
    }
  }
  // Takes the row's uses; true when it was the last row of its symbol or magic number.
  bool TakeLast(const TradeTable& table, int row) {
    bool last = --symbols[table.Cell(col::symbol, row)] == 0;
    std::string_view magic = table.Cell(col::magic, row);
    last |= magic.empty() ? --emptyMagics == 0 : --magics[magic] == 0;
    return last;
  }
};

// The table rows that Deletes of tickets[next ...] one after another take, as
// the grid shows each after the ones before: the grid keeps its order, so
// each ticket's row is its first shown row not yet taken. Stops after a row
// that was the last of a list item, since the list then changes what the grid
// shows; next is left at the first ticket not done.
std::vector<int> TakeShownRows(const DeletionTarget& report,
                               const std::vector<std::string>& tickets, std::size_t& next) {
  const VisibleGrid& grid = report.grid1;
  std::unordered_map<std::string_view, std::vector<int>> shownRows;
  for (std::size_t k = next; k < tickets.size(); ++k)
    if (!tickets[k].empty()) shownRows.try_emplace(tickets[k]);
  for (int row = grid.RowCount() - 1; row >= 1; --row) {
    auto found = shownRows.find(grid.Cell(0, row));
    if (found != shownRows.end() && grid.TableRow(row) >= 0)
      found->second.push_back(grid.TableRow(row));  // the first shown row last
  }
  ItemUses uses(report.full);
  int shown = grid.RowCount() - 1;
  std::vector<int> rows;
  while (next < tickets.size()) {
    auto found = shownRows.find(tickets[next++]);
    if (found == shownRows.end() || found->second.empty()) continue;
    // The only trade of a window with one symbol stays.
    if (shown == 1 && report.pairsListBox.Size() == 1) continue;
    const int row = found->second.back();
    found->second.pop_back();
    rows.push_back(row);
    --shown;
    if (uses.TakeLast(report.full, row)) break;
  }
  return rows;
}

}  // namespace

int FindGridRow(const VisibleGrid& grid1, std::string_view ticket) {
  for (int row = 1; row < grid1.RowCount(); ++row)
    if (!ticket.empty() && grid1.Cell(0, row) == ticket) return row;
  return -1;
}

int DeleteTrades(const DeletionTarget& report, const std::vector<int>& gridRows) {
  if (report.grid1.RowCount() == 2 && report.pairsListBox.Size() == 1) return 0;
  const std::vector<int> rows = TableRowsShown(report.grid1, gridRows);
  if (rows.empty()) return 0;
  RemoveTableRows(report, rows);
  return static_cast<int>(rows.size());
}

int DeleteNextTickets(const DeletionTarget& report, const std::vector<std::string>& tickets,
                      std::size_t& next) {
  while (next < tickets.size()) {
    std::vector<int> rows = TakeShownRows(report, tickets, next);
    if (rows.empty()) continue;
    std::sort(rows.begin(), rows.end());
    RemoveTableRows(report, rows);
    return static_cast<int>(rows.size());
  }
  return 0;
}

int RestoreDeletedTrades(const DeletionTarget& report) {
  if (report.deletions.empty()) return 0;
  const DeletedTrades record = std::move(report.deletions.back());
  report.deletions.pop_back();
  InsertRows(report.full, record);
  InsertItems(report.pairsListBox, record.symbols, record.symbolsSelected);
  InsertItems(report.magicListBox, record.magics, record.magicsSelected);
  return static_cast<int>(record.rowIndices.size());
}

}  // namespace quillfen
