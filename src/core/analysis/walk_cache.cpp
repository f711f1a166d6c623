#include "analysis/walk_cache.h"

#include <algorithm>
#include <limits>

#include "analysis/trade_selection.h"
#include "io/run_beside.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

// Moments past what 32 bits hold (after the year 5900) count as unreadable.
std::int32_t StoredMinutes(long long minutes) {
  return minutes > 0 && minutes <= std::numeric_limits<std::int32_t>::max()
             ? static_cast<std::int32_t>(minutes)
             : 0;
}

// CellDateTime's day count of a moment CellMinutes read.
double DayCount(long long minutes) {
  if (minutes == 0) return 0;
  const long long days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
  return static_cast<double>(days) + static_cast<double>(minutes - days * 1440) / 1440.0;
}

}  // namespace

void StableSortByClose(std::vector<int>& rows, const std::vector<WalkRow>& walked) {
  auto minutes = [&walked](int r) {
    return static_cast<std::uint32_t>(walked[static_cast<std::size_t>(r)].closeMinutes);
  };
  // Lists mostly stand in close order already.
  if (std::is_sorted(rows.begin(), rows.end(),
                     [&](int a, int b) { return minutes(a) < minutes(b); }))
    return;
  // Two counting passes over 16 bits each of the moment, the row in the low
  // half riding along: each pass keeps the order of equal digits.
  std::vector<std::uint64_t> keys(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i)
    keys[i] = std::uint64_t{minutes(rows[i])} << 32 | static_cast<std::uint32_t>(rows[i]);
  std::vector<std::uint64_t> spare(keys.size());
  for (int shift : {32, 48}) {
    std::vector<std::size_t> starts((1 << 16) + 1, 0);
    for (std::uint64_t key : keys) ++starts[(key >> shift & 0xFFFF) + 1];
    for (std::size_t d = 1; d < starts.size(); ++d) starts[d] += starts[d - 1];
    for (std::uint64_t key : keys) spare[starts[key >> shift & 0xFFFF]++] = key;
    keys.swap(spare);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(keys[i] & 0xFFFFFFFF);
}

namespace {

WalkRow ReadRow(const VisibleGrid& grid1, int r, TradePeriod& period) {
  WalkRow row;
  row.trade = !grid1.Cell(g1::ticket, r).empty();
  row.lots = TextToAmount(grid1.Cell(g1::lots, r));
  row.pips = TextToAmount(grid1.Cell(g1::pips, r));
  row.pipValuePerLot = TextToAmount(grid1.Cell(g1::pipValuePerLot, r));
  row.commissionPerLot = TextToAmount(grid1.Cell(g1::commissionPerLot, r));
  row.swapPerLot = TextToAmount(grid1.Cell(g1::swapPerLot, r));
  if (row.pipValuePerLot == 0) row.printedProfit = TextToAmount(grid1.TableCell(col::profit, r));
  const std::string_view closeDate = grid1.Cell(g1::closeDate, r);
  row.closed = !closeDate.empty();
  const long long open = CellMinutes(grid1.Cell(g1::openDate, r), grid1.Cell(g1::openTime, r));
  const long long close = CellMinutes(closeDate, grid1.Cell(g1::closeTime, r));
  row.openMinutes = StoredMinutes(open);
  row.closeMinutes = StoredMinutes(close);
  period.Add(DayCount(open), DayCount(close));
  return row;
}

}  // namespace

std::vector<WalkRow>& WalkCache::Rows(VisibleGrid& grid1, VisibleGrid& grid2, Progress* pump) {
  const std::size_t count = static_cast<std::size_t>(grid1.RowCount());
  if (stamp1_ == grid1.Stamp() && stamp2_ == grid2.Stamp() && rows_.size() == count) return rows_;
  rows_.resize(count);
  period_ = {};
  closeOrdered_ = false;
  // Rows are read apart from each other: a large grid's second half on a
  // second thread, while this one reads the first and lets events in.
  const VisibleGrid& grid = grid1;
  auto read = [&](int first, int end, TradePeriod& period, Progress* events) {
    for (int r = first; r < end; ++r) {
      PumpEveryRows(events, r);
      rows_[static_cast<std::size_t>(r)] = ReadRow(grid, r, period);
    }
  };
  const int rows = grid1.RowCount();
  if (rows < splitFrom_) {
    read(1, rows, period_, pump);
  } else {
    TradePeriod second;
    RunBeside([&] { read(rows / 2, rows, second, nullptr); },
              [&] { read(1, rows / 2, period_, pump); }, [] {});
    period_.Add(second);
  }
  Keep(grid1, grid2);
  return rows_;
}

const std::vector<int>& WalkCache::CloseOrder() {
  if (closeOrdered_) return closeOrder_;
  closeOrder_.clear();
  unreadableCloses_ = 0;
  for (std::size_t r = 1; r < rows_.size(); ++r) {
    const WalkRow& row = rows_[r];
    if (!row.trade || !row.closed) continue;
    if (row.closeMinutes == 0)
      ++unreadableCloses_;
    else
      closeOrder_.push_back(static_cast<int>(r));
  }
  StableSortByClose(closeOrder_, rows_);
  closeOrdered_ = true;
  return closeOrder_;
}

void WalkCache::Keep(VisibleGrid& grid1, VisibleGrid& grid2) {
  stamp1_ = grid1.Stamp();
  stamp2_ = grid2.Stamp();
}

}  // namespace quillfen
