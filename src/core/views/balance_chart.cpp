#include "views/balance_chart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/trade_selection.h"
#include "report.h"
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
std::vector<RowChange> RowChanges(const Report& report) {
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

}  // namespace

BalanceCurve TraceBalanceCurve(const Report& report, int width, int height, ChartSurface surface) {
  BalanceCurve curve;
  if (report.grid1.Cell(g1::balance, 1).empty()) return curve;
  const double deposit = report.stats.initialDeposit;
  const std::vector<RowChange> rows = RowChanges(report);
  double top = deposit, bottom = deposit, b = deposit;
  for (const RowChange& row : rows) {
    b += row.change;
    top = std::max(top, b);
    bottom = std::min(bottom, b);
  }
  if ((surface == ChartSurface::balanceTab && top == 0) || top == bottom) return curve;

  const int w = width, h = height;
  auto y = [&](double v) { return ChartPixel((h - 8) - (h - 17) * (v - bottom) / (top - bottom)); };
  curve = {true, deposit, top, bottom, y(deposit), {}, {}};
  curve.points.reserve(rows.size());
  curve.drawdown.reserve(rows.size());
  const long long n = static_cast<long long>(rows.size());
  b = deposit;
  for (long long r = 1; r <= n; ++r) {
    const RowChange& row = rows[static_cast<std::size_t>(r - 1)];
    b += row.change;
    curve.points.push_back({59 + static_cast<int>((w - 68) * r / n), y(b)});
    curve.drawdown.push_back(row.drawdown);
  }
  return curve;
}

DisplayList PaintBalanceChart(const Report& report, int width, int height, ChartSurface surface) {
  DisplayList list(width, height);
  DrawChartFrame(list, surface == ChartSurface::balanceTab ? kChartPaleYellow : kChartWhite);
  const BalanceCurve curve = TraceBalanceCurve(report, width, height, surface);
  if (!curve.drawn) return list;

  const int w = width, h = height;
  const int depositY = curve.depositY;
  list.Line(57, depositY, w - 9, depositY, kChartGrey);
  list.Line(57, 5, 57, h - 5, kChartGrey);
  if (23 < depositY && depositY < h - 37)
    list.Text(4, depositY - 4, kChartGrey, kLabelFont, kLabelPoints,
              FormatFixed(curve.deposit, 8, 0));

  list.items.reserve(list.items.size() + curve.points.size() + 2);
  BalanceCurve::Point last{57, depositY};
  for (std::size_t i = 0; i < curve.points.size(); ++i) {
    const BalanceCurve::Point next = curve.points[i];
    list.Line(last.x, last.y, next.x, next.y, curve.drawdown[i] ? kRed : kBlack);
    last = next;
  }
  list.Text(4, 5, kChartGrey, kLabelFont, kLabelPoints, FormatFixed(curve.top, 8, 0));
  list.Text(4, h - 13, kChartGrey, kLabelFont, kLabelPoints, FormatFixed(curve.bottom, 8, 0));
  return list;
}

}  // namespace quillfen
