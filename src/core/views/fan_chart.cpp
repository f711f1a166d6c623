#include "views/fan_chart.h"

#include <algorithm>
#include <string>

#include "text/number_format.h"
#include "views/chart_frame.h"

namespace quillfen {

namespace {

constexpr int kMargin = 6;
constexpr const char* kLabelFont = "Arial";
constexpr int kLabelPoints = 7;
constexpr int kLabelHeight = 12;

// The percentiles at a step, straight between the places around it; the
// deposit before the first place.
PercentileValues At(const EquityFan& fan, double step) {
  PercentileValues before;
  before.fill(fan.deposit);
  double from = 0;
  for (std::size_t k = 0; k < fan.at.size(); ++k) {
    const PercentileValues& after = fan.balances[k];
    const double to = fan.at[k];
    if (step <= to) {
      const double part = to > from ? (step - from) / (to - from) : 1;
      PercentileValues v;
      for (std::size_t q = 0; q < v.size(); ++q) v[q] = before[q] + (after[q] - before[q]) * part;
      return v;
    }
    before = after;
    from = to;
  }
  return before;
}

}  // namespace

DisplayList PaintFanChart(const EquityFan& fan, int width, int height) {
  DisplayList list(width, height);
  DrawChartFrame(list, kChartWhite);
  const int left = kMargin, top = kMargin + kLabelHeight, right = width - kMargin,
            bottom = height - kMargin - kLabelHeight;
  if (fan.Empty() || right - left < 10 || bottom - top < 10) return list;

  double low = fan.deposit, high = fan.deposit;
  for (const PercentileValues& v : fan.balances) {
    low = std::min(low, v.front());
    high = std::max(high, v.back());
  }
  if (!(high > low)) high = low + 1;
  auto y = [&](double balance) {
    return bottom - ChartPixel((balance - low) / (high - low) * (bottom - top));
  };

  const int columns = right - left;
  int medianY = y(fan.deposit);
  for (int c = 0; c < columns; ++c) {
    const PercentileValues v = At(fan, (c + 1.0) * fan.steps / columns);
    const int x = left + c;
    list.Fill(x, y(v[4]), x + 1, y(v[0]) + 1, kFanOuter);
    list.Fill(x, y(v[3]), x + 1, y(v[1]) + 1, kFanInner);
    const int next = y(v[2]);
    list.Line(x, medianY, x + 1, next, kFanMedian);
    medianY = next;
  }
  list.Line(left, y(fan.deposit), right, y(fan.deposit), kFanDeposit);

  list.Text(left, kMargin, kFanDeposit, kLabelFont, kLabelPoints, FormatFixed(high, 0, 0));
  list.Text(left, bottom + 2, kFanDeposit, kLabelFont, kLabelPoints, FormatFixed(low, 0, 0));
  const std::string steps = std::to_string(fan.steps);
  // About five pixels a character at this size: the count ends at the right edge.
  list.Text(right - 5 * static_cast<int>(steps.size()), bottom + 2, kFanDeposit, kLabelFont,
            kLabelPoints, steps);
  return list;
}

}  // namespace quillfen
