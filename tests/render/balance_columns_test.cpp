#include <gtest/gtest.h>

#include <random>
#include <variant>

#include "core/support/grid_report.h"
#include "display_list_painter.h"
#include "views/balance_chart.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;

// A random walk with long flat stretches, sudden jumps and one drawdown
// period in red, as a backtest of many trades gives.
Report WalkReport(int trades, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> kind(0, 9), cents(-9000, 9000);
  std::uniform_int_distribution<int> place(1, trades);
  int first = place(random), last = place(random);
  if (first > last) std::swap(first, last);
  std::vector<GridTrade> rows(static_cast<std::size_t>(trades));
  for (int r = 1; r <= trades; ++r) {
    GridTrade& t = rows[static_cast<std::size_t>(r - 1)];
    t.ticket = std::to_string(r);
    const int k = kind(random);
    const int amount = k < 3 ? 0 : k == 9 ? 40 * cents(random) : cents(random);
    t.profit = FormatFixed(amount / 100.0, 0, 2);
    t.marker = r >= first && r <= last ? "*" : "";
  }
  return GridReport(rows, 10000);
}

// The plain twin: the chart as painted with a line for every trade of the
// traced curve in place of its balance line (the black and red lines).
DisplayList PaintEveryLine(const Report& report, int width, int height, ChartSurface surface) {
  constexpr Rgb kBlack{0, 0, 0};
  constexpr Rgb kRed{224, 0, 0};
  const DisplayList painted =
      PaintBalanceChart(report, report.stats.initialDeposit, width, height, surface);
  const BalanceCurve curve =
      TraceBalanceCurve(report, report.stats.initialDeposit, width, height, surface);
  DisplayList every(width, height);
  every.strings = painted.strings;
  bool lineDrawn = false;
  for (const DisplayItem& item : painted.items) {
    const LineItem* line = std::get_if<LineItem>(&item);
    if (line && (line->colour == kBlack || line->colour == kRed)) {
      if (lineDrawn) continue;
      lineDrawn = true;
      int x = 57, y = curve.depositY;
      for (const BalanceCurve::Point& p : curve.points) {
        every.Line(x, y, p.x, p.y, p.drawdown ? kRed : kBlack);
        x = p.x;
        y = p.y;
      }
      continue;
    }
    every.items.push_back(item);
  }
  return every;
}

// The merged columns against a line for every trade, pixel for pixel, on
// canvases narrower and wider than the trades are many.
TEST(BalanceChartColumns, MergedColumnsPaintTheSamePixelsAsEveryLine) {
  struct Case {
    int trades;
    unsigned seed;
  };
  for (const Case c : {Case{700, 1}, Case{757, 2}, Case{5000, 3}, Case{20000, 4}}) {
    const Report report = WalkReport(c.trades, c.seed);
    for (const QSize size : {QSize(300, 120), QSize(824, 346), QSize(700, 241)}) {
      for (const ChartSurface surface : {ChartSurface::balanceTab, ChartSurface::reportPicture}) {
        const DisplayList merged = PaintBalanceChart(report, report.stats.initialDeposit,
                                                     size.width(), size.height(), surface);
        const DisplayList every = PaintEveryLine(report, size.width(), size.height(), surface);
        SCOPED_TRACE(::testing::Message()
                     << c.trades << " trades on " << size.width() << "x" << size.height());
        if (c.trades > 2 * size.width()) {
          EXPECT_LT(merged.items.size(), every.items.size());
        }
        EXPECT_TRUE(RenderDisplayList(merged) == RenderDisplayList(every));
      }
    }
  }
}

}  // namespace
}  // namespace quillfen
