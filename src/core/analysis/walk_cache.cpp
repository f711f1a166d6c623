#include "analysis/walk_cache.h"

#include "analysis/trade_selection.h"
#include "io/run_beside.h"
#include "text/text_conversions.h"

namespace quillfen {

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
  period.Add(CellDateTime(grid1.Cell(g1::openDate, r), grid1.Cell(g1::openTime, r)),
             CellDateTime(grid1.Cell(g1::closeDate, r), grid1.Cell(g1::closeTime, r)));
  return row;
}

}  // namespace

std::vector<WalkRow>& WalkCache::Rows(VisibleGrid& grid1, VisibleGrid& grid2, Progress* pump) {
  const std::size_t count = static_cast<std::size_t>(grid1.RowCount());
  if (stamp1_ == grid1.Stamp() && stamp2_ == grid2.Stamp() && rows_.size() == count) return rows_;
  rows_.resize(count);
  period_ = {};
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

void WalkCache::Keep(VisibleGrid& grid1, VisibleGrid& grid2) {
  stamp1_ = grid1.Stamp();
  stamp2_ = grid2.Stamp();
}

}  // namespace quillfen
