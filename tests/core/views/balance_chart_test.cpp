#include "views/balance_chart.h"

#include <gtest/gtest.h>

#include "../support/golden.h"
#include "../support/grid_report.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{224, 0, 0};
constexpr int kFrameItems = 8;

std::vector<LineItem> Lines(const DisplayList& list, std::size_t from = kFrameItems) {
  std::vector<LineItem> lines;
  for (std::size_t i = from; i < list.items.size(); ++i)
    if (auto* line = std::get_if<LineItem>(&list.items[i])) lines.push_back(*line);
  return lines;
}

struct Label {
  int x, y;
  std::string text, fontFamily;
  int pointSize;
};

std::vector<Label> Texts(const DisplayList& list) {
  std::vector<Label> texts;
  for (const DisplayItem& item : list.items)
    if (auto* text = std::get_if<TextItem>(&item))
      texts.push_back({text->x, text->y, std::string(list.TextOf(*text)),
                       std::string(list.FontFamily(*text)), text->pointSize});
  return texts;
}

GridTrade Trade(std::string profit, std::string marker = "") {
  GridTrade t;
  t.profit = std::move(profit);
  t.marker = std::move(marker);
  return t;
}

TEST(BalanceChart, FrameIsSunkenAndFilledTwice) {
  Report report = GridReport({Trade("100.00")}, 1000);
  DisplayList tab =
      PaintBalanceChart(report, report.stats.initialDeposit, 400, 200, ChartSurface::balanceTab);
  ASSERT_GE(tab.items.size(), std::size_t{kFrameItems});
  auto first = std::get<FillItem>(tab.items[0]);
  EXPECT_EQ((std::array{first.left, first.top, first.right, first.bottom}),
            (std::array{0, 0, 400, 200}));
  EXPECT_EQ(first.colour, (Rgb{255, 255, 213}));
  auto inner = std::get<FillItem>(tab.items[7]);
  EXPECT_EQ((std::array{inner.left, inner.top, inner.right, inner.bottom}),
            (std::array{2, 2, 397, 198}));
  auto silver = std::get<LineItem>(tab.items[6]);
  EXPECT_EQ((std::array{silver.x1, silver.y1, silver.x2, silver.y2}),
            (std::array{398, 198, 398, 1}));
  EXPECT_EQ(silver.colour, (Rgb{192, 192, 192}));
  DisplayList picture =
      PaintBalanceChart(report, report.stats.initialDeposit, 700, 241, ChartSurface::reportPicture);
  EXPECT_EQ(std::get<FillItem>(picture.items[0]).colour, (Rgb{255, 255, 255}));
}

TEST(BalanceChart, SingleWinningTradeRisesFromDepositToTopRight) {
  const int w = 400, h = 200;
  DisplayList list =
      PaintBalanceChart(GridReport({Trade("100.00")}, 1000), 1000, w, h, ChartSurface::balanceTab);
  std::vector<LineItem> lines = Lines(list);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ((std::array{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            (std::array{57, h - 8, w - 9, h - 8}));  // deposit line
  EXPECT_EQ((std::array{lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
            (std::array{57, 5, 57, h - 5}));  // axis
  EXPECT_EQ((std::array{lines[2].x1, lines[2].y1, lines[2].x2, lines[2].y2}),
            (std::array{57, h - 8, w - 9, 9}));
  EXPECT_EQ(lines[2].colour, kBlack);
  // No deposit label: y = H - 8 is not below H - 37.
  std::vector<Label> texts = Texts(list);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "    1100");
  EXPECT_EQ((std::array{texts[0].x, texts[0].y}), (std::array{4, 5}));
  EXPECT_EQ(texts[1].text, "    1000");
  EXPECT_EQ((std::array{texts[1].x, texts[1].y}), (std::array{4, h - 13}));
  EXPECT_EQ(texts[0].fontFamily, "Terminal");
  EXPECT_EQ(texts[0].pointSize, 6);
}

TEST(BalanceChart, DepositLabelOnlyInsideItsBand) {
  // Deposit half way: y(1000) = trunc(192 - 183 * 100 / 200) = 100, inside 23 < y < 163.
  DisplayList list = PaintBalanceChart(GridReport({Trade("100.00"), Trade("-200.00")}, 1000), 1000,
                                       400, 200, ChartSurface::balanceTab);
  std::vector<Label> texts = Texts(list);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "    1000");
  EXPECT_EQ((std::array{texts[0].x, texts[0].y}), (std::array{4, 96}));
  EXPECT_EQ(texts[1].text, "    1100");
  EXPECT_EQ(texts[2].text, "     900");
}

TEST(BalanceChart, OnlyTheFrameWhenThereIsNothingToDraw) {
  struct Case {
    const char* name;
    Report report;
    ChartSurface surface;
    bool framedOnly;
  };
  Report unfilled = GridReport({Trade("100.00")}, 1000);
  unfilled.grid1.SetCell(g1::balance, 1, "");
  Case cases[] = {
      {"flat history", GridReport({Trade("0.00"), Trade("0.00")}, 1000), ChartSurface::balanceTab,
       true},
      {"empty list", GridReport({}, 5000), ChartSurface::balanceTab, true},
      {"balance not yet computed", unfilled, ChartSurface::balanceTab, true},
      {"top of 0 on the tab", GridReport({Trade("-50.00")}, 0), ChartSurface::balanceTab, true},
      {"top of 0 in the picture", GridReport({Trade("-50.00")}, 0), ChartSurface::reportPicture,
       false},
      {"flat history in the picture", GridReport({Trade("0.00")}, 0), ChartSurface::reportPicture,
       true},
  };
  for (const Case& c : cases) {
    DisplayList list =
        PaintBalanceChart(c.report, c.report.stats.initialDeposit, 700, 241, c.surface);
    EXPECT_EQ(list.items.size() == kFrameItems, c.framedOnly) << c.name;
  }
}

TEST(BalanceChart, DrawdownRowsColourTheSegmentsEndingThere) {
  std::vector<GridTrade> trades;
  for (int r = 1; r <= 12; ++r)
    trades.push_back(Trade(r <= 4   ? "50.00"
                           : r <= 9 ? "-20.00"
                                    : "30.00",
                           r >= 5 && r <= 9 ? "*" : ""));
  DisplayList list =
      PaintBalanceChart(GridReport(trades, 1000), 1000, 700, 241, ChartSurface::balanceTab);
  std::vector<LineItem> curve = Lines(list);
  curve.erase(curve.begin(), curve.begin() + 2);  // deposit line and axis
  ASSERT_EQ(curve.size(), 12u);
  for (int r = 1; r <= 12; ++r) {
    const LineItem& segment = curve[static_cast<std::size_t>(r - 1)];
    EXPECT_EQ(segment.colour, r >= 5 && r <= 9 ? kRed : kBlack) << "row " << r;
    EXPECT_EQ(segment.x2, 59 + (700 - 68) * r / 12) << "row " << r;
  }
  EXPECT_EQ(curve.back().x2, 700 - 9);
}

TEST(BalanceChart, CurveCountsSwapAndCommissionMagnitude) {
  GridTrade t = Trade("100.00");
  t.swap = "  -5.00";
  t.commission = "  -7.00";
  GridTrade u = Trade("-20.00");
  u.commission = "   3.00";  // a positive commission still lowers the balance
  std::vector<Label> texts =
      Texts(PaintBalanceChart(GridReport({t, u}, 1000), 1000, 700, 241, ChartSurface::balanceTab));
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2].text, "    1088");
  EXPECT_EQ(texts.back().text, "    1000");
}

TEST(BalanceChart, GoldenPicture) {
  std::vector<GridTrade> trades;
  const char* profits[] = {"120.50", "-80.25", "-40.00", "200.00", "-10.00"};
  for (int i = 0; i < 5; ++i) trades.push_back(Trade(profits[i], i == 1 || i == 2 ? "*" : ""));
  testing::ExpectGolden("balance_picture.txt",
                        DisplayListText(PaintBalanceChart(GridReport(trades, 5000), 5000, 700, 241,
                                                          ChartSurface::reportPicture)));
}

}  // namespace
}  // namespace quillfen
