#include "views/fan_chart.h"

#include <gtest/gtest.h>

#include <variant>

#include "../support/display_items.h"

namespace quillfen {
namespace {

using testing::Fills;

// Two places over 10 trades: the bands open from the deposit and widen.
EquityFan TwoPlaces() {
  EquityFan fan;
  fan.deposit = 1000;
  fan.steps = 10;
  fan.at = {5, 10};
  fan.balances = {{900, 950, 1000, 1050, 1100}, {800, 900, 1000, 1100, 1200}};
  return fan;
}

TEST(FanChart, BandsFillEveryColumnBetweenTheirPercentiles) {
  // Plot 6 .. 94 across, 18 .. 82 down: 800 at 82, 1200 at 18, 16 pixels per 100.
  const DisplayList list = PaintFanChart(TwoPlaces(), 100, 100);
  const std::vector<FillItem> outer = Fills(list, kFanOuter);
  const std::vector<FillItem> inner = Fills(list, kFanInner);
  ASSERT_EQ(outer.size(), 88u);
  ASSERT_EQ(inner.size(), 88u);
  EXPECT_EQ(outer.front().left, 6);
  EXPECT_EQ(outer.back().right, 94);
  // The last column stands at the last place: 5 to 95 % is 1200 down to 800.
  EXPECT_EQ(outer.back().top, 18);
  EXPECT_EQ(outer.back().bottom, 83);
  EXPECT_EQ(inner.back().top, 34);     // 1100
  EXPECT_EQ(inner.back().bottom, 67);  // 900, and its pixel row
  // Near the start the bands hug the deposit.
  EXPECT_LE(outer.front().bottom - outer.front().top, 4);

  bool depositLine = false;
  for (const DisplayItem& item : list.items)
    if (const auto* line = std::get_if<LineItem>(&item); line && line->colour == kFanDeposit)
      depositLine = depositLine || (line->y1 == 50 && line->y2 == 50 && line->x2 - line->x1 == 88);
  EXPECT_TRUE(depositLine);
}

TEST(FanChart, NothingToDrawLeavesTheFrame) {
  const DisplayList empty = PaintFanChart(EquityFan{}, 100, 100);
  EXPECT_TRUE(Fills(empty, kFanOuter).empty());
  const DisplayList tiny = PaintFanChart(TwoPlaces(), 20, 20);
  EXPECT_TRUE(Fills(tiny, kFanOuter).empty());
}

}  // namespace
}  // namespace quillfen
