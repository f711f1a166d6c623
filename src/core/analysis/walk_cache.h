#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "analysis/visible_grid.h"
#include "progress.h"

namespace quillfen {

// One row of Grid1/Grid2 as the statistics walk sees it: its inputs as numbers,
// and the values whose texts the walk left in the cells it writes.
struct WalkRow {
  static constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

  bool trade = false;       // the Ticket cell is not empty
  std::int8_t marked = -1;  // the drawdown marker: 1 "*", 0 empty, -1 unknown
  bool closed = false;      // the Close date cell is not empty
  // The open and close moments in minutes from day 0 of CellMinutes; 0 when unreadable.
  std::int32_t openMinutes = 0;
  std::int32_t closeMinutes = 0;
  double lots = 0;  // the Lots cell, read again after each rewrite
  double pips = 0;
  double pipValuePerLot = 0;
  double commissionPerLot = 0;
  double swapPerLot = 0;
  double printedProfit = 0;  // read only for a trade without a pip value

  // What the cells show; kUnknown (never equal to a value) until the walk wrote them.
  double lotsShown = kUnknown;
  double profitShown = kUnknown;
  double commissionShown = kUnknown;
  double swapShown = kUnknown;
  double balanceShown = kUnknown;

  // What the last walk booked for a trade: the money it changed the balance
  // by, and the balance just before it.
  double result = 0;
  double balanceBefore = 0;
};

// Earliest opening and latest opening or closing over all rows, from the date
// and time cells as CellDateTime reads them.
struct TradePeriod {
  double earliest = 0;
  double latest = 0;

  void Add(double open, double close) {
    if (open != 0 && (earliest == 0 || open < earliest)) earliest = open;
    latest = std::max({latest, open, close});
  }
  void Add(const TradePeriod& other) { Add(other.earliest, other.latest); }
  // Moments are whole minutes: round away the binary error before cutting to days.
  double Days() const {
    long long minutes = std::llround(std::fabs(latest - earliest) * 1440);
    return static_cast<double>(minutes / 1440);
  }
};

// Orders rows by their close moments, equal moments in the given order; the
// plain twin is std::stable_sort.
void StableSortByClose(std::vector<int>& rows, const std::vector<WalkRow>& walked);

// The walk's view of every row, read from the cells once and trusted while the
// grids' stamps say that no cell or row changed since the walk last left them:
// a recompute over unchanged rows then reads no text and rewrites only the
// cells whose values differ.
class WalkCache {
 public:
  // Grids of this many rows or more are read on two threads.
  static constexpr int kSplitFrom = 1 << 16;
  explicit WalkCache(int splitFrom = kSplitFrom) : splitFrom_(splitFrom) {}

  // Row r of the result is row r of the grids; read afresh when either grid changed.
  // A pump, when given, lets events in while the rows are read.
  std::vector<WalkRow>& Rows(VisibleGrid& grid1, VisibleGrid& grid2, Progress* pump = nullptr);
  // After the walk: its own writes leave the rows in step with the grids.
  void Keep(VisibleGrid& grid1, VisibleGrid& grid2);
  // The period of the rows last read; the walk writes no date or time.
  const TradePeriod& Period() const { return period_; }
  // The rows of the closed trades with a readable close moment, by that moment,
  // equal moments in row order; kept while the rows are. A shift of the clock
  // moves every moment alike and leaves the order as it is.
  const std::vector<int>& CloseOrder();
  // Closed trades left out of that order: their close moment cannot be read.
  int UnreadableCloses() {
    CloseOrder();
    return unreadableCloses_;
  }
  // The rows as the last read and walk left them.
  const std::vector<WalkRow>& Kept() const { return rows_; }

 private:
  int splitFrom_;
  std::uint64_t stamp1_ = 0;
  std::uint64_t stamp2_ = 0;
  std::vector<WalkRow> rows_;
  TradePeriod period_;
  std::vector<int> closeOrder_;
  bool closeOrdered_ = false;
  int unreadableCloses_ = 0;
};

}  // namespace quillfen
