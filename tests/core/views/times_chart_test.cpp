#include "views/times_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "../support/golden.h"
#include "../support/grid_report.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;

constexpr Rgb kGreen{0, 192, 0};
constexpr Rgb kRed{192, 0, 0};
constexpr int kFrameItems = 8;

// 2010/01/06 is a Wednesday.
GridTrade Closed(std::string closeDate, std::string closeTime, std::string pips) {
  GridTrade t;
  t.openDate = "2010/01/04";
  t.openTime = "23:10";
  t.closeDate = std::move(closeDate);
  t.closeTime = std::move(closeTime);
  t.pips = std::move(pips);
  return t;
}

std::vector<FillItem> Bars(const DisplayList& list) {
  std::vector<FillItem> bars;
  for (std::size_t i = kFrameItems; i < list.items.size(); ++i)
    if (auto* fill = std::get_if<FillItem>(&list.items[i])) bars.push_back(*fill);
  return bars;
}

TEST(TimesChart, WeekGridAtWidth856) {
  const int w = 856, h = 400;
  DisplayList list = PaintTimesChart(GridReport({}, 5000).grid1, w, h, TimesBasis::closeTimes);
  std::vector<TextItem> labels;
  std::vector<LineItem> lines;
  for (std::size_t i = kFrameItems; i < list.items.size(); ++i) {
    if (auto* text = std::get_if<TextItem>(&list.items[i])) labels.push_back(*text);
    if (auto* line = std::get_if<LineItem>(&list.items[i])) lines.push_back(*line);
  }
  ASSERT_EQ(labels.size(), 7u);
  ASSERT_EQ(lines.size(), 9u);  // seven day lines, the week's end, the middle line
  EXPECT_EQ(labels[0].x, 28 + 2);
  EXPECT_EQ(lines[0].x1, 28);
  EXPECT_EQ(list.TextOf(labels[1]), "Monday");
  EXPECT_EQ(labels[1].x, 144);
  EXPECT_EQ(labels[1].y, h / 8);
  EXPECT_EQ((std::array{lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
            (std::array{142, h / 8, 142, h * 7 / 8}));
  EXPECT_EQ(lines[7].x1, 826);
  EXPECT_EQ((std::array{lines[8].x1, lines[8].y1, lines[8].x2, lines[8].y2}),
            (std::array{28, h / 2, 826, h / 2}));
  EXPECT_TRUE(Bars(list).empty());
}

TEST(TimesChart, WednesdayAfternoonWinIsOneFullScaleBar) {
  const int w = 856, h = 400;
  DisplayList list =
      PaintTimesChart(GridReport({Closed("2010/01/06", "14:37", "35.7")}, 5000).grid1, w, h,
                      TimesBasis::closeTimes);
  std::vector<FillItem> bars = Bars(list);
  ASSERT_EQ(bars.size(), 1u);
  const double hour = w / 180.0;
  EXPECT_EQ(bars[0].colour, kGreen);
  EXPECT_EQ(bars[0].left, static_cast<int>(28 + 86 * hour));
  EXPECT_EQ(bars[0].right, static_cast<int>(28 + 4 + 86 * hour));
  EXPECT_EQ(bars[0].top, static_cast<int>(h * 0.5 - h / 3.0));  // 35 of a scale of 35
  EXPECT_EQ(bars[0].bottom, h / 2);
}

TEST(TimesChart, SlotSumsTruncateAtEveryAddition) {
  struct Case {
    const char* name;
    std::vector<const char*> pips;
    double win, loss;
  };
  const Case cases[] = {
      {"two +0.6 give 0, not 1", {"0.6", "0.6"}, 0, 0},
      {"+1.6 and +1.6 give 2", {"1.6", "1.6"}, 2, 0},
      {"-0.6 then -0.6 give 0", {"-0.6", "-0.6"}, 0, 0},
      {"-2.5 and -2.5 give -4", {"-2.5", "-2.5"}, 0, -4},
      {"zero pips count as a loss of 0", {"0"}, 0, 0},
  };
  for (const Case& c : cases) {
    std::vector<GridTrade> trades;
    for (const char* p : c.pips) trades.push_back(Closed("2010/01/06", "14:00", p));
    WeekSlots slots = BucketPipsByHour(GridReport(trades, 5000).grid1, TimesBasis::closeTimes);
    EXPECT_EQ(slots.winPipsBySlot[86], c.win) << c.name;
    EXPECT_EQ(slots.lossPipsBySlot[86], c.loss) << c.name;
  }
}

TEST(TimesChart, ScaleNeverFallsBelowTenPips) {
  const int h = 300;
  DisplayList list = PaintTimesChart(
      GridReport({Closed("2010/01/06", "14:00", "4"), Closed("2010/01/07", "09:00", "-3.2")}, 5000)
          .grid1,
      900, h, TimesBasis::closeTimes);
  std::vector<FillItem> bars = Bars(list);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].colour, kGreen);
  EXPECT_EQ(bars[0].top, static_cast<int>(h * 0.5 - 4.0 / 10 * h / 3));
  EXPECT_EQ(bars[1].colour, kRed);
  EXPECT_EQ(bars[1].top, h / 2);
  EXPECT_EQ(bars[1].bottom, static_cast<int>(h * 0.5 + 3.0 / 10 * h / 3));
}

TEST(TimesChart, OpenTimesMoveOvernightTradesAndCountOpenOnes) {
  GridTrade overnight = Closed("2010/01/05", "02:00", "12");  // opened Monday 23:10
  GridTrade open = Closed("", "", "-15");
  open.openDate = "2010/01/08";  // Friday
  open.openTime = "08:05";
  Report report = GridReport({overnight, open}, 5000);
  WeekSlots byClose = BucketPipsByHour(report.grid1, TimesBasis::closeTimes);
  EXPECT_EQ(byClose.winPipsBySlot[2 * 24 + 2], 12);
  EXPECT_EQ(byClose.lossPipsBySlot[5 * 24 + 8], 0);
  WeekSlots byOpen = BucketPipsByHour(report.grid1, TimesBasis::openTimes);
  EXPECT_EQ(byOpen.winPipsBySlot[2 * 24 + 2], 0);
  EXPECT_EQ(byOpen.winPipsBySlot[1 * 24 + 23], 12);
  EXPECT_EQ(byOpen.lossPipsBySlot[5 * 24 + 8], -15);
}

// The broker's clock moved: Saturday 23:30 under +1 h is Sunday 0:00, a day
// ahead turns the week by 24 slots, and a moment that cannot be read takes no slot.
TEST(TimesChart, TimeShiftMovesTradesAcrossTheWeek) {
  const Report report =
      GridReport({Closed("2010/01/09", "23:30", "7"), Closed("2010/01/06", "14:00", "-4"),
                  Closed("2010/13/45", "14:00", "9")},
                 5000);
  const WeekSlots plain = BucketPipsByHour(report.grid1, TimesBasis::closeTimes);
  EXPECT_EQ(plain.winPipsBySlot[6 * 24 + 23], 7);
  WeekSlots shifted = BucketPipsByHour(report.grid1, TimesBasis::closeTimes, 60);
  EXPECT_EQ(shifted.winPipsBySlot[0], 7);
  EXPECT_EQ(shifted.lossPipsBySlot[86 + 1], -4);
  EXPECT_EQ(std::count_if(shifted.winPipsBySlot.begin(), shifted.winPipsBySlot.end(),
                          [](double p) { return p != 0; }),
            1);
  shifted = BucketPipsByHour(report.grid1, TimesBasis::closeTimes, -24 * 60);
  EXPECT_EQ(shifted.winPipsBySlot[5 * 24 + 23], 7);
  EXPECT_EQ(shifted.lossPipsBySlot[86 - 24], -4);
  shifted = BucketPipsByHour(report.grid1, TimesBasis::closeTimes, 24 * 60);
  EXPECT_EQ(shifted.winPipsBySlot[23], 7);
  EXPECT_EQ(shifted.lossPipsBySlot[86 + 24], -4);
}

TEST(TimesChart, MalformedCellsNeverLeaveTheWeek) {
  std::vector<GridTrade> trades = {Closed("20", "14:00", "5"), Closed("2010/01/06", "99:00", "5"),
                                   Closed("xxxx/yy/zz", "123456789012", "5"),
                                   Closed("2010/13/45", "-3:00", "5")};
  Report report = GridReport(trades, 5000);
  DisplayList list = PaintTimesChart(report.grid1, 856, 400, TimesBasis::closeTimes);
  for (const FillItem& bar : Bars(list)) {
    EXPECT_GE(bar.left, 28);
    EXPECT_LE(bar.right, 826 + 4);
  }
}

TEST(TimesChart, OnlyTheFrameBeforeTheStatisticsRan) {
  Report report = GridReport({Closed("2010/01/06", "14:00", "5")}, 5000);
  report.grid1.SetCell(g1::balance, 1, "");
  EXPECT_EQ(PaintTimesChart(report.grid1, 856, 400, TimesBasis::closeTimes).items.size(),
            std::size_t{kFrameItems});
}

TEST(TimesChart, Golden) {
  std::vector<GridTrade> trades = {
      Closed("2010/01/06", "14:37", "35.7"), Closed("2010/01/06", "14:59", "-12.4"),
      Closed("2010/01/08", "21:00", "8"), Closed("2010/01/10", "00:15", "-40")};
  testing::ExpectGolden("times_close.txt",
                        DisplayListText(PaintTimesChart(GridReport(trades, 5000).grid1, 856, 400,
                                                        TimesBasis::closeTimes)));
}

}  // namespace
}  // namespace quillfen
