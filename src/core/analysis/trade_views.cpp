#include "analysis/trade_views.h"

#include <array>

#include "analysis/trade_selection.h"

namespace quillfen {

namespace {

// Grid column <- trade-table column; -1 leaves the cell empty.
constexpr int kGrid1Source[kGrid1Columns] = {col::ticket,
                                             col::type,
                                             col::lots,
                                             col::symbol,
                                             col::openDate,
                                             col::openTime,
                                             col::openPrice,
                                             col::closeDate,
                                             col::closeTime,
                                             col::closePrice,
                                             col::duration,
                                             col::pips,
                                             col::profit,
                                             col::balanceSlot,
                                             -1,
                                             -1,
                                             col::pipValuePerLot,
                                             col::commissionPerLot,
                                             col::swapPerLot};

constexpr int kGrid2Source[kGrid2Columns] = {
    col::ticket,   col::type,       col::lots,       col::symbol,     col::openPrice,
    col::stopLoss, col::takeProfit, col::closePrice, col::commission, col::swap,
    col::profit,   col::comment,    col::magic};

constexpr std::array<const char*, 14> kGrid1Headers = {
    "Ticket",     "Type", "Lots",  "Symbol",   "Open date", "Time",   "Open",
    "Close date", "Time", "Close", "Duration", "Pips",      "Profit", "Balance"};
constexpr std::array<const char*, kGrid2Columns> kGrid2Headers = {
    "Ticket", "Type", "Lots", "Symbol", "Open",    "S/L",  "T/P",
    "Close",  "Comm", "Swap", "Profit", "Comment", "Magic"};

}  // namespace

// The cells the statistics walk rewrites are the grids' own.
VisibleGrid NewGrid1() {
  VisibleGrid grid(kGrid1Columns, kGrid1Source, {g1::lots, g1::profit, g1::balance}, g1::marker);
  grid.SetRowCount(2);
  return grid;
}

VisibleGrid NewGrid2() {
  VisibleGrid grid(kGrid2Columns, kGrid2Source, {g2::commission, g2::swap});
  grid.SetRowCount(2);
  return grid;
}

// Grid2's Lots and Profit cells are always Grid1's: the walk writes them alike.
void TradeViews::Bind() {
  grid1.Bind(full);
  grid2.Bind(full);
  grid2.Borrow(g2::lots, grid1, g1::lots);
  grid2.Borrow(g2::profit, grid1, g1::profit);
}

void WriteGridHeaders(TradeViews& views) {
  for (int c = 0; c < static_cast<int>(kGrid1Headers.size()); ++c)
    views.grid1.SetCell(c, 0, kGrid1Headers[static_cast<std::size_t>(c)]);
  for (int c = 0; c < kGrid2Columns; ++c)
    views.grid2.SetCell(c, 0, kGrid2Headers[static_cast<std::size_t>(c)]);
}

}  // namespace quillfen
