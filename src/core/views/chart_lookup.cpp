#include "views/chart_lookup.h"

#include <algorithm>
#include <cstdlib>

#include "analysis/trade_selection.h"
#include "views/chart_frame.h"

namespace quillfen {

std::optional<BalanceChartTrade> BalanceTradeAt(const TradeViews& views, double initialDeposit,
                                                int width, int height, int x, int y) {
  if (x < 57 || x > width - 3 || y < 2 || y > height - 3) return std::nullopt;
  const BalanceCurve curve =
      TraceBalanceCurve(views, initialDeposit, width, height, ChartSurface::balanceTab);
  if (!curve.drawn || curve.points.empty()) return std::nullopt;
  // Many trades share a column of pixels on a long history: the height tells them apart.
  auto distance = [x, y](BalanceCurve::Point p) {
    return std::pair{std::abs(p.x - x), std::abs(p.y - y)};
  };
  const auto nearest = std::min_element(curve.points.begin(), curve.points.end(),
                                        [&](auto a, auto b) { return distance(a) < distance(b); });
  const int row = static_cast<int>(nearest - curve.points.begin()) + 1;
  const VisibleGrid& grid = views.grid1;
  return BalanceChartTrade{row,
                           *nearest,
                           std::string(grid.Cell(g1::ticket, row)),
                           std::string(grid.Cell(g1::closeDate, row)),
                           std::string(grid.Cell(g1::closeTime, row)),
                           std::string(grid.Cell(g1::profit, row)),
                           std::string(grid.Cell(g1::balance, row))};
}

std::optional<TimesChartSlot> TimesSlotAt(const VisibleGrid& grid1, int width, int height,
                                          TimesBasis basis, int x, int y, int shiftMinutes) {
  const WeekSpan week = TimesChartWeek(width);
  if (x < week.left || x >= week.end || y < height / 8 || y > height * 7 / 8) return std::nullopt;
  if (grid1.Cell(g1::balance, 1).empty()) return std::nullopt;
  auto start = [&week](int slot) { return ChartPixel(week.left + slot * week.hour); };
  int slot = std::clamp(ChartPixel((x - week.left) / week.hour), 0, kWeekSlots - 1);
  while (slot + 1 < kWeekSlots && start(slot + 1) <= x) ++slot;
  while (slot > 0 && start(slot) > x) --slot;
  const WeekSlots sums = BucketPipsByHour(grid1, basis, shiftMinutes);
  const auto index = static_cast<std::size_t>(slot);
  return TimesChartSlot{slot / 24, slot % 24, sums.winPipsBySlot[index],
                        sums.lossPipsBySlot[index]};
}

}  // namespace quillfen
