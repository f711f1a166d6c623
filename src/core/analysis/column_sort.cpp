#include "analysis/column_sort.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/key_order.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

// Rows in the order that a stable sort of the reversed rows by key gives.
template <class Key, class Less = std::less<Key>>
std::vector<int> ReversedStableOrder(std::vector<Key> keys, Less less = {}) {
  std::vector<std::pair<Key, int>> entries;
  entries.reserve(keys.size());
  for (int row = static_cast<int>(keys.size()) - 1; row >= 0; --row)
    entries.emplace_back(std::move(keys[static_cast<std::size_t>(row)]), row);
  std::stable_sort(entries.begin(), entries.end(),
                   [&less](const auto& a, const auto& b) { return less(a.first, b.first); });
  std::vector<int> order;
  order.reserve(entries.size());
  for (const auto& entry : entries) order.push_back(entry.second);
  return order;
}

// The same order by a radix sort, for keys whose unsigned order is the
// rule's: fed from the last row, equal keys keep the reversed rows' order.
template <class KeyOf>
std::vector<int> ReversedRadixOrder(int rows, KeyOf keyOf) {
  std::vector<KeyedIndex> entries;
  entries.reserve(static_cast<std::size_t>(std::max(rows, 0)));
  for (int row = rows - 1; row >= 0; --row)
    entries.push_back({keyOf(row), static_cast<std::uint32_t>(row)});
  OrderByKey(entries);
  std::vector<int> order;
  order.reserve(entries.size());
  for (const KeyedIndex& entry : entries) order.push_back(static_cast<int>(entry.index));
  return order;
}

// A number as a key whose unsigned order is the numbers' order; 0 and -0,
// equal numbers, give one key.
std::uint64_t NumberKey(double value) {
  constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
  const auto bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
  return bits & kSign ? ~bits : bits | kSign;
}

// A date or time key of the text rules, compared as (group, first, second) byte-wise.
struct TextKey {
  int group = 0;
  std::string_view first;
  std::string_view second;
};

bool TextKeyLess(const TextKey& a, const TextKey& b) {
  if (a.group != b.group) return a.group < b.group;
  if (a.first != b.first) return a.first < b.first;
  return a.second < b.second;
}

TextKey TextKeyOf(const TradeTable& t, int column, int row) {
  if (column == col::openDate) return {0, t.Cell(col::openDate, row), t.Cell(col::openTime, row)};
  if (t.Cell(col::closeDate, row).empty())  // open trades last, by open time alone
    return {1, t.Cell(col::openTime, row), {}};
  return {0, t.Cell(col::closeDate, row), t.Cell(col::closeTime, row)};
}

bool DigitsAt(std::string_view text, std::initializer_list<int> positions) {
  for (int p : positions)
    if (text[static_cast<std::size_t>(p)] < '0' || text[static_cast<std::size_t>(p)] > '9')
      return false;
  return true;
}

int Number(std::string_view text, int first, int count) {
  int value = 0;
  for (int i = first; i < first + count; ++i)
    value = value * 10 + (text[static_cast<std::size_t>(i)] - '0');
  return value;
}

// Codes that order as the texts do byte-wise, for the shapes the reader writes:
// "" , "yyyy/mm/dd", and "" , "hh:mm", "hh:mm:ss". -1 for any other text.
std::int64_t DateCode(std::string_view date) {
  if (date.empty()) return 0;
  if (date.size() != 10 || date[4] != '/' || date[7] != '/' ||
      !DigitsAt(date, {0, 1, 2, 3, 5, 6, 8, 9}))
    return -1;
  return 1 + Number(date, 0, 4) * 10000 + Number(date, 5, 2) * 100 + Number(date, 8, 2);
}

std::int64_t TimeCode(std::string_view time) {
  if (time.empty()) return 0;
  if ((time.size() != 5 && time.size() != 8) || time[2] != ':' || !DigitsAt(time, {0, 1, 3, 4}))
    return -1;
  int seconds = 0;  // "hh:mm" comes before "hh:mm:00"
  if (time.size() == 8) {
    if (time[5] != ':' || !DigitsAt(time, {6, 7})) return -1;
    seconds = 1 + Number(time, 6, 2);
  }
  return 1 + (Number(time, 0, 2) * 100 + Number(time, 3, 2)) * 101 + seconds;
}

// The text keys as integers when every cell has a shape DateCode and TimeCode know.
std::optional<std::vector<std::int64_t>> CodedTextKeys(const TradeTable& t, int column) {
  constexpr std::int64_t kTimeCodes = std::int64_t{1} << 21;
  constexpr std::int64_t kGroup = std::int64_t{1} << 60;
  std::vector<std::int64_t> codes;
  codes.reserve(static_cast<std::size_t>(t.TradeRows()));
  for (int row = 0; row < t.TradeRows(); ++row) {
    TextKey key = TextKeyOf(t, column, row);
    std::int64_t first = key.group == 1 ? TimeCode(key.first) : DateCode(key.first);
    std::int64_t second = TimeCode(key.second);
    if (first < 0 || second < 0) return std::nullopt;
    codes.push_back(key.group * kGroup + (key.group == 1 ? first : first * kTimeCodes + second));
  }
  return codes;
}

std::vector<int> OrderOfTextRule(const TradeTable& t, int column) {
  if (auto codes = CodedTextKeys(t, column))  // codes are not below 0
    return ReversedRadixOrder(static_cast<int>(codes->size()), [&codes](int row) {
      return static_cast<std::uint64_t>((*codes)[static_cast<std::size_t>(row)]);
    });
  std::vector<TextKey> keys;
  for (int row = 0; row < t.TradeRows(); ++row) keys.push_back(TextKeyOf(t, column, row));
  return ReversedStableOrder(std::move(keys), TextKeyLess);
}

double RowDuration(const TradeTable& t, int row) {
  return DurationMinutes(t.Cell(col::openDate, row), t.Cell(col::openTime, row),
                         t.Cell(col::closeDate, row), t.Cell(col::closeTime, row));
}

// Magic numbers in their 64-bit order; a double would round those beyond 2^53.
std::vector<int> OrderOfMagicRule(const TradeTable& t) {
  return ReversedRadixOrder(t.TradeRows(), [&t](int row) {
    constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
    return static_cast<std::uint64_t>(TextToLongWhole(t.Cell(col::magic, row))) ^ kSign;
  });
}

// Descending rules sort by the negated value: "value(i) <= value(j)" is "-value(i) >= -value(j)".
std::vector<int> OrderOfNumberRule(const TradeTable& t, int column, bool ascending) {
  if (column == col::magic) return OrderOfMagicRule(t);
  auto key = [&](int row) {
    double value = column == col::ticket     ? TextToWhole(t.Cell(column, row))
                   : column == col::duration ? RowDuration(t, row)
                                             : TextToAmount(t.Cell(column, row));
    return ascending ? value : -value;
  };
  bool none = false;
  std::vector<int> order = ReversedRadixOrder(t.TradeRows(), [&](int row) {
    const double value = key(row);
    none |= std::isnan(value);
    return NumberKey(value);
  });
  if (!none) return order;
  // A number that is none (from no cell yet) leaves the order to comparisons.
  std::vector<double> keys;
  for (int row = 0; row < t.TradeRows(); ++row) keys.push_back(key(row));
  return ReversedStableOrder(std::move(keys));
}

bool Toggles(int column) {
  return column == col::lots || column == col::duration || column == col::pips;
}

}  // namespace

bool SortsAscending(int column, int lastSortColumn) {
  return !Toggles(column) || lastSortColumn == column;
}

bool IsSortableColumn(int column) {
  return column == col::ticket || column == col::lots || column == col::openDate ||
         column == col::closeDate || column == col::duration || column == col::pips ||
         column == col::magic;
}

int HeaderSortColumn(int grid, int headerColumn) {
  if (headerColumn == 0) return col::ticket;
  if (grid == 2) return headerColumn == 12 ? col::magic : -1;
  switch (headerColumn) {
    case 2:
      return col::lots;
    case 4:
    case 5:
      return col::openDate;
    case 7:
    case 8:
      return col::closeDate;
    case 10:
      return col::duration;
    case 11:
      return col::pips;
    default:
      return -1;
  }
}

// Grid2 shows its Lots header silver for an armed lots column, though its own
// Lots header arms nothing; the magic header is never drawn silver.
bool HeaderShowsArmed(int grid, int headerColumn, int armedSortColumn) {
  if (armedSortColumn == col::magic) return false;
  if (grid == 2) {
    return (headerColumn == 0 && armedSortColumn == col::ticket) ||
           (headerColumn == 2 && armedSortColumn == col::lots);
  }
  return HeaderSortColumn(1, headerColumn) == armedSortColumn && armedSortColumn != -1;
}

int HeaderSortArrow(int grid, int headerColumn, int armedSortColumn, const SortedOrder& sortedBy) {
  if (!HeaderShowsArmed(grid, headerColumn, armedSortColumn) || sortedBy.column != armedSortColumn)
    return 0;
  // The date texts fill their headers; the time header beside them has room.
  if (grid == 1 && (headerColumn == 4 || headerColumn == 7)) return 0;
  return sortedBy.ascending ? 1 : -1;
}

// The exchange procedure leaves the rows as a stable sort of the reversed rows
// would: of equal keys, the one met last ends first.
void OrderTradeRows(TradeTable& table, int column, int lastSortColumn) {
  if (!IsSortableColumn(column) || table.TradeRows() < 2) return;
  bool ascending = SortsAscending(column, lastSortColumn);
  bool textRule = column == col::openDate || column == col::closeDate;
  table.PermuteRows(
      0, textRule ? OrderOfTextRule(table, column) : OrderOfNumberRule(table, column, ascending));
}

bool SortsAnything(const TradeTable& table, int column) {
  const int rows = table.TradeRows();
  // An empty table's two rows are both blank: nothing to sort.
  const bool noTrade = rows == 0 || (rows == 1 && table.Cell(col::symbol, 0).empty());
  return IsSortableColumn(column) && !noTrade;
}

}  // namespace quillfen
