#include "views/balance_chart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/trade_selection.h"
#include "text/number_format.h"
#include "text/text_conversions.h"
#include "views/chart_frame.h"

namespace quillfen {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{224, 0, 0};
constexpr const char* kLabelFont = "Terminal";
constexpr int kLabelPoints = 6;

struct RowChange {
  double change;  // profit + swap - |commission|
  bool drawdown;  // the row's marker holds "*"
};

// One pass over the rows, reading each row's cells once.
std::vector<RowChange> RowChanges(const TradeViews& report) {
  const int n = report.grid1.RowCount() - 1;
  std::vector<RowChange> rows(static_cast<std::size_t>(std::max(n, 0)));
  for (int r = 1; r <= n; ++r) {
    // The rows are far apart in memory; fetch the cells a few rows ahead.
    if (const int ahead = r + 16; ahead <= n) {
      report.grid1.Prefetch(g1::profit, ahead);
      report.grid1.Prefetch(g1::marker, ahead);
      report.grid2.Prefetch(g2::commission, ahead);
      report.grid2.Prefetch(g2::swap, ahead);
    }
    rows[static_cast<std::size_t>(r - 1)] = {
        TextToAmount(report.grid1.Cell(g1::profit, r)) +
            TextToAmount(report.grid2.Cell(g2::swap, r)) -
            std::fabs(TextToAmount(report.grid2.Cell(g2::commission, r))),
        report.grid1.Cell(g1::marker, r).find('*') != std::string_view::npos};
  }
  return rows;
}

// Where balances go up and down the canvas; drawn is false when only the frame shows.
struct CurveScale {
  bool drawn = false;
  double deposit = 0, top = 0, bottom = 0;
  int height = 0;
  int Y(double v) const {
    return ChartPixel((height - 8) - (height - 17) * (v - bottom) / (top - bottom));
  }
};

CurveScale ScaleCurve(const std::vector<RowChange>& rows, double deposit, int height,
                      ChartSurface surface) {
  double top = deposit, bottom = deposit, b = deposit;
  for (const RowChange& row : rows) {
    b += row.change;
    top = std::max(top, b);
    bottom = std::min(bottom, b);
  }
  const bool flat = (surface == ChartSurface::balanceTab && top == 0) || top == bottom;
  return {!flat, deposit, top, bottom, height};
}

// Trades are spaced evenly across; the last one lands at width - 9.
int PointX(int width, long long r, long long n) {
  return 59 + static_cast<int>((width - 68) * r / n);
}

// The balance line, one line per trade; or, where trades outnumber the pixel
// columns, each run of vertical lines of one colour in one column drawn as the
// single line that covers the same pixels. The runs follow each other along the
// line, so the pixels they cover are one unbroken stretch.
class BalanceLine {
 public:
  BalanceLine(DisplayList& list, bool mergeColumns) : list_(list), merge_(mergeColumns) {}
  ~BalanceLine() { Flush(); }

  void Add(int x1, int y1, int x2, int y2, Rgb colour) {
    if (!merge_ || x1 != x2) {
      Flush();
      return list_.Line(x1, y1, x2, y2, colour);
    }
    if (y1 == y2) return;  // no pixel: the end point is left out
    const int low = y1 < y2 ? y1 : y2 + 1;
    const int high = y1 < y2 ? y2 - 1 : y1;
    if (open_ && (x1 != x_ || !(colour == colour_))) Flush();
    if (!open_) {
      open_ = true;
      x_ = x1;
      colour_ = colour;
      low_ = low;
      high_ = high;
    }
    low_ = std::min(low_, low);
    high_ = std::max(high_, high);
  }

 private:
  void Flush() {
    if (open_) list_.Line(x_, low_, x_, high_ + 1, colour_);
    open_ = false;
  }

  DisplayList& list_;
  bool merge_;
  bool open_ = false;
  int x_ = 0, low_ = 0, high_ = 0;
  Rgb colour_;
};

}  // namespace

BalanceCurve TraceBalanceCurve(const TradeViews& report, double initialDeposit, int width,
                               int height, ChartSurface surface) {
  BalanceCurve curve;
  if (report.grid1.Cell(g1::balance, 1).empty()) return curve;
  const std::vector<RowChange> rows = RowChanges(report);
  const CurveScale scale = ScaleCurve(rows, initialDeposit, height, surface);
  if (!scale.drawn) return curve;
  curve = {true, scale.deposit, scale.top, scale.bottom, scale.Y(scale.deposit), {}};
  curve.points.resize(rows.size());
  const long long n = static_cast<long long>(rows.size());
  double b = scale.deposit;
  for (long long r = 1; r <= n; ++r) {
    const RowChange& row = rows[static_cast<std::size_t>(r - 1)];
    b += row.change;
    curve.points[static_cast<std::size_t>(r - 1)] = {PointX(width, r, n), scale.Y(b), row.drawdown};
  }
  return curve;
}

DisplayList PaintBalanceChart(const TradeViews& report, double initialDeposit, int width,
                              int height, ChartSurface surface) {
  DisplayList list(width, height);
  DrawChartFrame(list, surface == ChartSurface::balanceTab ? kChartPaleYellow : kChartWhite);
  if (report.grid1.Cell(g1::balance, 1).empty()) return list;
  const std::vector<RowChange> rows = RowChanges(report);
  const CurveScale scale = ScaleCurve(rows, initialDeposit, height, surface);
  if (!scale.drawn) return list;

  const int w = width, h = height;
  const int depositY = scale.Y(scale.deposit);
  list.Line(57, depositY, w - 9, depositY, kChartGrey);
  list.Line(57, 5, 57, h - 5, kChartGrey);
  if (23 < depositY && depositY < h - 37)
    list.Text(4, depositY - 4, kChartGrey, kLabelFont, kLabelPoints,
              FormatFixed(scale.deposit, 8, 0));

  // The curve is drawn as it is traced, without keeping its points.
  const long long n = static_cast<long long>(rows.size());
  const bool merge = n > w - 68;
  list.items.reserve(list.items.size() + (merge ? 4 * static_cast<std::size_t>(w) : rows.size()) +
                     2);
  {
    BalanceLine line(list, merge);
    int x = 57, lastY = depositY;
    double b = scale.deposit;
    for (long long r = 1; r <= n; ++r) {
      const RowChange& row = rows[static_cast<std::size_t>(r - 1)];
      b += row.change;
      const int nextX = PointX(w, r, n);
      const int nextY = scale.Y(b);
      line.Add(x, lastY, nextX, nextY, row.drawdown ? kRed : kBlack);
      x = nextX;
      lastY = nextY;
    }
  }
  list.Text(4, 5, kChartGrey, kLabelFont, kLabelPoints, FormatFixed(scale.top, 8, 0));
  list.Text(4, h - 13, kChartGrey, kLabelFont, kLabelPoints, FormatFixed(scale.bottom, 8, 0));
  return list;
}

ChartSpan BalanceChartSpan(int width, int firstRow, int lastRow, int trades) {
  const long long n = std::max(trades, 1);
  const long long first = std::clamp(firstRow, 1, static_cast<int>(n));
  const long long last = std::clamp(lastRow, static_cast<int>(first), static_cast<int>(n));
  // The first segment starts at the axis, where the deposit is drawn.
  return {first == 1 ? 57 : PointX(width, first - 1, n), PointX(width, last, n)};
}

}  // namespace quillfen
