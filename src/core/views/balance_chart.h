#pragma once

#include <vector>

#include "analysis/trade_views.h"
#include "views/display_list.h"

namespace quillfen {

// Where the balance chart is drawn: the Balance tab, or the picture of the
// detailed HTML export, which has a white background and draws a top value of 0.
enum class ChartSurface { balanceTab, reportPicture };

inline constexpr int kReportImageWidth = 700;
inline constexpr int kReportImageHeight = 241;

// The curve's geometry on a canvas: where the chart puts each visible trade.
struct BalanceCurve {
  struct Point {
    int x, y;
    bool drawdown;  // the segment that ends here is red
  };
  // False when only the frame shows: no statistics yet, or a flat history.
  bool drawn = false;
  double deposit = 0, top = 0, bottom = 0;
  int depositY = 0;
  std::vector<Point> points;  // after grid row r at r - 1
};

BalanceCurve TraceBalanceCurve(const TradeViews& views, double initialDeposit, int width,
                               int height, ChartSurface surface);

// The balance after each visible trade, the drawdown period in red, from the
// cells the statistics engine last wrote.
// With more trades than pixel columns, each column's vertical lines of one
// colour are drawn as one: the same pixels, from a list the size of the canvas.
DisplayList PaintBalanceChart(const TradeViews& views, double initialDeposit, int width, int height,
                              ChartSurface surface);
// Across the balance chart, the segments of grid rows first to last of
// `trades` rows: where a chosen drawdown episode is marked.
struct ChartSpan {
  int left, right;
};
ChartSpan BalanceChartSpan(int width, int firstRow, int lastRow, int trades);

}  // namespace quillfen
