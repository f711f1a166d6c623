#include "exchange_sort.h"

#include <string_view>

#include "analysis/column_sort.h"
#include "text/text_conversions.h"

namespace quillfen::testing {

namespace {

double Duration(const TradeTable& t, int row) {
  return DurationMinutes(t.Cell(col::openDate, row), t.Cell(col::openTime, row),
                         t.Cell(col::closeDate, row), t.Cell(col::closeTime, row));
}

bool ExchangeByValue(double a, double b, bool ascending) {
  return ascending ? a >= b : a <= b;
}

// The exchange rule of the column for rows i < j, on the cell texts.
bool Exchange(const TradeTable& t, int column, bool ascending, int i, int j) {
  switch (column) {
    case col::ticket:
      return TextToWhole(t.Cell(column, i)) >= TextToWhole(t.Cell(column, j));
    case col::magic:
      return TextToLongWhole(t.Cell(column, i)) >= TextToLongWhole(t.Cell(column, j));
    case col::lots:
    case col::pips:
      return ExchangeByValue(TextToAmount(t.Cell(column, i)), TextToAmount(t.Cell(column, j)),
                             ascending);
    case col::duration:
      return ExchangeByValue(Duration(t, i), Duration(t, j), ascending);
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

}  // namespace

void ExchangeSortTradeRows(TradeTable& table, int column, int lastSortColumn) {
  const int rows = table.TradeRows();
  if (!IsSortableColumn(column)) return;
  bool ascending = SortsAscending(column, lastSortColumn);
  for (int i = 0; i + 1 < rows; ++i)
    for (int j = i + 1; j < rows; ++j)
      if (Exchange(table, column, ascending, i, j)) table.SwapRows(i, j);
}

}  // namespace quillfen::testing
