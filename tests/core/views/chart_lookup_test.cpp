#include "views/chart_lookup.h"

#include <gtest/gtest.h>

#include "../support/grid_report.h"
#include "views/chart_frame.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;

GridTrade Trade(std::string ticket, std::string profit) {
  GridTrade t;
  t.ticket = std::move(ticket);
  t.profit = std::move(profit);
  return t;
}

// The end points of the curve's segments, as the chart paints them.
std::vector<std::pair<int, int>> CurvePoints(const DisplayList& list) {
  std::vector<std::pair<int, int>> points;
  for (const DisplayItem& item : list.items)
    if (auto* line = std::get_if<LineItem>(&item)) points.emplace_back(line->x2, line->y2);
  return std::vector(points.end() - 3, points.end());
}

TEST(BalanceTradeAt, FindsTheTradeWhosePointIsNearestAcross) {
  const int w = 400, h = 200;
  GridTrade last = Trade("103", "200.00");
  last.closeDate = "2010/02/01";
  last.closeTime = "09:15";
  const Report report =
      GridReport({Trade("101", "100.00"), Trade("102", "-50.00"), std::move(last)}, 1000);
  const auto painted = CurvePoints(
      PaintBalanceChart(report, report.stats.initialDeposit, w, h, ChartSurface::balanceTab));
  for (int number = 1; number <= 3; ++number) {
    const auto [x, y] = painted[static_cast<std::size_t>(number - 1)];
    auto found = BalanceTradeAt(report, report.stats.initialDeposit, w, h, x + 3, 100);
    ASSERT_TRUE(found) << number;
    EXPECT_EQ(found->number, number);
    EXPECT_EQ(std::pair(found->point.x, found->point.y), std::pair(x, y));
  }
  auto third = BalanceTradeAt(report, report.stats.initialDeposit, w, h, w - 3, 2);
  ASSERT_TRUE(third);
  EXPECT_EQ((std::array{third->ticket, third->closeDate, third->closeTime, third->profit}),
            (std::array<std::string, 4>{"103", "2010/02/01", "09:15", "200.00"}));
  EXPECT_EQ(third->balance, "      1250.00");

  // Left of the axis, on the frame, or with only the frame drawn, no trade.
  EXPECT_FALSE(BalanceTradeAt(report, report.stats.initialDeposit, w, h, 56, 100));
  EXPECT_FALSE(BalanceTradeAt(report, report.stats.initialDeposit, w, h, 200, h - 2));
  EXPECT_FALSE(BalanceTradeAt(GridReport({Trade("1", "0.00")}, 1000), 1000, w, h, 200, 100));
  EXPECT_FALSE(BalanceTradeAt(Report{}, 0, w, h, 200, 100));
}

TEST(BalanceTradeAt, TradesSharingAColumnAreToldApartByHeight) {
  std::vector<GridTrade> trades;
  for (int i = 1; i <= 64; ++i) trades.push_back(Trade(std::to_string(i), i % 2 ? "100" : "-100"));
  const Report report = GridReport(trades, 1000);
  const int w = 100, h = 200;  // 32 pixels across for 64 trades
  const BalanceCurve curve =
      TraceBalanceCurve(report, report.stats.initialDeposit, w, h, ChartSurface::balanceTab);
  ASSERT_EQ(curve.points[7].x, curve.points[8].x);
  for (int k : {7, 8}) {
    const BalanceCurve::Point p = curve.points[static_cast<std::size_t>(k)];
    EXPECT_EQ(BalanceTradeAt(report, report.stats.initialDeposit, w, h, p.x, p.y)->number, k + 1);
  }
}

TEST(TimesSlotAt, EveryPixelOfTheWeekBelongsToTheSlotPaintedThere) {
  const int w = 856, h = 400;
  GridTrade wednesday;  // 2010/01/06 is a Wednesday
  wednesday.closeDate = "2010/01/06";
  wednesday.closeTime = "14:37";
  wednesday.pips = "35.7";
  GridTrade loss = wednesday;
  loss.pips = "-12.4";
  const Report report = GridReport({wednesday, loss, loss}, 5000);
  const WeekSpan week = TimesChartWeek(w);
  auto start = [&](int slot) { return ChartPixel(week.left + slot * week.hour); };
  for (int x = week.left; x < week.end; ++x) {
    auto slot = TimesSlotAt(report.grid1, w, h, TimesBasis::closeTimes, x, h / 2);
    ASSERT_TRUE(slot) << x;
    const int index = slot->weekday * 24 + slot->hour;
    EXPECT_LE(start(index), x);
    if (index + 1 < kWeekSlots) {
      EXPECT_GT(start(index + 1), x) << x;
    }
  }
  auto busy = TimesSlotAt(report.grid1, w, h, TimesBasis::closeTimes, start(86) + 1, h / 8);
  ASSERT_TRUE(busy);
  EXPECT_EQ(std::tuple(busy->weekday, busy->hour, busy->winPips, busy->lossPips),
            std::tuple(3, 14, 35.0, -24.0));
  auto last = TimesSlotAt(report.grid1, w, h, TimesBasis::openTimes, week.end - 1, h * 7 / 8);
  EXPECT_EQ(std::tuple(last->weekday, last->hour, last->winPips), std::tuple(6, 23, 0.0));

  EXPECT_FALSE(TimesSlotAt(report.grid1, w, h, TimesBasis::closeTimes, week.left - 1, h / 2));
  EXPECT_FALSE(TimesSlotAt(report.grid1, w, h, TimesBasis::closeTimes, week.end, h / 2));
  EXPECT_FALSE(TimesSlotAt(report.grid1, w, h, TimesBasis::closeTimes, 300, h / 8 - 1));
  EXPECT_FALSE(TimesSlotAt(Report{}.grid1, w, h, TimesBasis::closeTimes, 300, h / 2));
}

}  // namespace
}  // namespace quillfen
