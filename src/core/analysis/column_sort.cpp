#include "analysis/column_sort.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

#include "import/text_conversions.h"

namespace quillfen {

namespace {

// A row's place in the column's order: compared as (group, number, first, second).
// Every rule is "exchange when key(i) >= key(j)" over this total order.
struct SortKey {
  int group = 0;
  double number = 0;
  std::string_view first;
  std::string_view second;
};

bool KeyLess(const SortKey& a, const SortKey& b) {
  if (a.group != b.group) return a.group < b.group;
  if (a.number != b.number) return a.number < b.number;
  if (a.first != b.first) return a.first < b.first;
  return a.second < b.second;
}

double RowDuration(const TradeTable& t, int row) {
  return DurationMinutes(t.Cell(col::openDate, row), t.Cell(col::openTime, row),
                         t.Cell(col::closeDate, row), t.Cell(col::closeTime, row));
}

SortKey KeyOf(const TradeTable& t, int column, bool ascending, int row) {
  SortKey key;
  double sign = ascending ? 1 : -1;
  switch (column) {
    case col::ticket:
    case col::magic:
      key.number = TextToWhole(t.Cell(column, row));
      break;
    case col::lots:
    case col::pips:
      key.number = sign * TextToAmount(t.Cell(column, row));
      break;
    case col::duration:
      key.number = sign * RowDuration(t, row);
      break;
    case col::openDate:
      key.first = t.Cell(col::openDate, row);
      key.second = t.Cell(col::openTime, row);
      break;
    case col::closeDate:
      if (t.Cell(col::closeDate, row).empty()) {  // open trades last, by open time alone
        key.group = 1;
        key.first = t.Cell(col::openTime, row);
      } else {
        key.first = t.Cell(col::closeDate, row);
        key.second = t.Cell(col::closeTime, row);
      }
      break;
  }
  return key;
}

bool Toggles(int column) {
  return column == col::lots || column == col::duration || column == col::pips;
}

bool ExchangeByValue(double a, double b, bool ascending) {
  return ascending ? a >= b : a <= b;
}

// The exchange rule of the column for rows i < j, on the cell texts.
bool Exchange(const TradeTable& t, int column, bool ascending, int i, int j) {
  switch (column) {
    case col::ticket:
    case col::magic:
      return TextToWhole(t.Cell(column, i)) >= TextToWhole(t.Cell(column, j));
    case col::lots:
    case col::pips:
      return ExchangeByValue(TextToAmount(t.Cell(column, i)), TextToAmount(t.Cell(column, j)),
                             ascending);
    case col::duration:
      return ExchangeByValue(RowDuration(t, i), RowDuration(t, j), ascending);
    case col::openDate: {
      std::string_view di = t.Cell(col::openDate, i), dj = t.Cell(col::openDate, j);
      if (di != dj) return di > dj;
      return !(t.Cell(col::openTime, i) < t.Cell(col::openTime, j));
    }
    case col::closeDate: {
      std::string_view di = t.Cell(col::closeDate, i), dj = t.Cell(col::closeDate, j);
      if (di.empty() || dj.empty()) {
        if (di.empty() && dj.empty()) return t.Cell(col::openTime, i) >= t.Cell(col::openTime, j);
        return di.empty();
      }
      if (di != dj) return di > dj;
      return !(t.Cell(col::closeTime, i) < t.Cell(col::closeTime, j));
    }
  }
  return false;
}

// New row k is old row order[k]: follows each cycle of the permutation with
// row swaps, so no copy of the table is needed.
void ApplyOrder(TradeTable& table, const std::vector<int>& order) {
  std::vector<bool> placed(order.size(), false);
  for (int start = 0; start < static_cast<int>(order.size()); ++start) {
    int row = start;
    while (!placed[static_cast<std::size_t>(row)] &&
           order[static_cast<std::size_t>(row)] != start) {
      int from = order[static_cast<std::size_t>(row)];
      table.SwapRows(row, from);
      placed[static_cast<std::size_t>(row)] = true;
      row = from;
    }
    placed[static_cast<std::size_t>(row)] = true;
  }
}

}  // namespace

bool IsSortableColumn(int column) {
  return column == col::ticket || column == col::lots || column == col::openDate ||
         column == col::closeDate || column == col::duration || column == col::pips ||
         column == col::magic;
}

// The exchange procedure leaves the rows as a stable sort of the reversed rows
// would: of equal keys, the one met last ends first.
void OrderTradeRows(TradeTable& table, int column, int lastSortColumn) {
  const int rows = table.TradeRows();
  if (!IsSortableColumn(column) || rows < 2) return;
  bool ascending = !Toggles(column) || lastSortColumn == column;
  std::vector<SortKey> keys(static_cast<std::size_t>(rows));
  for (int r = 0; r < rows; ++r)
    keys[static_cast<std::size_t>(r)] = KeyOf(table, column, ascending, r);
  std::vector<int> order(static_cast<std::size_t>(rows));
  std::iota(order.rbegin(), order.rend(), 0);
  std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
    return KeyLess(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)]);
  });
  ApplyOrder(table, order);
}

void ExchangeSortTradeRows(TradeTable& table, int column, int lastSortColumn) {
  const int rows = table.TradeRows();
  if (!IsSortableColumn(column)) return;
  bool ascending = !Toggles(column) || lastSortColumn == column;
  for (int i = 0; i + 1 < rows; ++i)
    for (int j = i + 1; j < rows; ++j)
      if (Exchange(table, column, ascending, i, j)) table.SwapRows(i, j);
}

void SortTradeTable(Report& report, ProgramState& state, int column, Progress& progress,
                    const ChartPainter& paintCharts) {
  const long long rows = report.full.TradeRows();
  // An empty table's two rows are both blank: nothing to sort.
  bool noTrade = rows == 0 || (rows == 1 && report.full.Cell(col::symbol, 0).empty());
  if (!IsSortableColumn(column) || noTrade || report.stats.sortInProgress) return;
  const long long comparisons = rows * (rows - 1) / 2;
  progress.SetRange(comparisons);
  progress.SetPosition(0);
  report.stats.sortInProgress = true;
  progress.Pump();
  OrderTradeRows(report.full, column, state.lastSortColumn);
  progress.SetPosition(comparisons);
  progress.Pump();
  state.lastSortColumn = state.lastSortColumn == column ? -1 : column;
  report.stats.sortInProgress = false;
  FullRefresh(report, paintCharts);
}

}  // namespace quillfen
