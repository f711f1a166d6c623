#pragma once

#include <optional>
#include <string>

#include "views/balance_chart.h"
#include "views/times_chart.h"

namespace quillfen {

// The trade under the mouse on the Balance tab's chart: the one whose point of
// the curve is nearest across, and of those at that x the nearest up or down.
struct BalanceChartTrade {
  int number;  // its grid row, from 1
  BalanceCurve::Point point;
  // As the trades grid shows them.
  std::string ticket, closeDate, closeTime, profit, balance;
};

// Nothing when the mouse is off the curve's area (left of the axis, on the
// frame) or the chart shows only its frame.
std::optional<BalanceChartTrade> BalanceTradeAt(const TradeViews& views, double initialDeposit,
                                                int width, int height, int x, int y);

// The hour slot of the week under the mouse on the Times chart.
struct TimesChartSlot {
  int weekday;  // 0 = Sunday
  int hour;
  double winPips;   // as its bars show them
  double lossPips;  // zero or negative
};

// Nothing when the mouse is outside the week's grid or the chart shows only its frame.
std::optional<TimesChartSlot> TimesSlotAt(const VisibleGrid& grid1, int width, int height,
                                          TimesBasis basis, int x, int y, int shiftMinutes = 0);

}  // namespace quillfen
