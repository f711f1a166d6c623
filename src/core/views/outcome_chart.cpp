#include "views/outcome_chart.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "text/number_format.h"
#include "views/chart_frame.h"

namespace quillfen {

namespace {

constexpr int kMargin = 6;
constexpr int kLabelHeight = 14;
constexpr const char* kLabelFont = "Arial";
constexpr int kLabelPoints = 7;

// The plot area inside the frame, above the balance labels.
struct Plot {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

}  // namespace

DisplayList PaintOutcomeChart(const OutcomeHistogram& h, int width, int height) {
  DisplayList list(width, height);
  DrawChartFrame(list, kChartWhite);
  const Plot plot{kMargin, kMargin, width - kMargin, height - kMargin - kLabelHeight};
  if (h.Empty() || plot.Width() < OutcomeHistogram::kBins || plot.Height() < 10) return list;

  std::int32_t tallest = 1;
  for (int b = 0; b < OutcomeHistogram::kBins; ++b)
    tallest = std::max(tallest,
                       h.kept[static_cast<std::size_t>(b)] + h.ruined[static_cast<std::size_t>(b)]);
  auto barTop = [&](std::int64_t runs) {
    return plot.bottom - static_cast<int>(runs * plot.Height() / tallest);
  };
  for (int b = 0; b < OutcomeHistogram::kBins; ++b) {
    const int left = plot.left + b * plot.Width() / OutcomeHistogram::kBins;
    const int right = plot.left + (b + 1) * plot.Width() / OutcomeHistogram::kBins - 1;
    const std::int32_t ruined = h.ruined[static_cast<std::size_t>(b)];
    const std::int32_t all = ruined + h.kept[static_cast<std::size_t>(b)];
    if (all > ruined) list.Fill(left, barTop(all), right, barTop(ruined), kOutcomeKept);
    if (ruined > 0) list.Fill(left, barTop(ruined), right, plot.bottom, kOutcomeRuined);
  }

  auto mark = [&](double balance, Rgb colour) {
    const double at = (balance - h.low) / (h.high - h.low);
    if (!(at >= 0 && at <= 1)) return;  // off the bars' span: nothing to mark
    const int x = plot.left + ChartPixel(at * (plot.Width() - 1));
    list.Line(x, plot.top, x, plot.bottom + 1, colour);
  };
  mark(h.rangeLow, kOutcomeRange);
  mark(h.rangeHigh, kOutcomeRange);
  mark(h.mean, kOutcomeMean);
  mark(h.deposit, kOutcomeDeposit);

  // What the lines stand for, each word in its line's colour.
  int legend = plot.left + 2;
  for (const auto& [word, colour] :
       {std::pair{"deposit", kOutcomeDeposit}, std::pair{"mean", kOutcomeMean},
        std::pair{"range", kOutcomeRange}}) {
    list.Text(legend, plot.top, colour, kLabelFont, kLabelPoints, word);
    legend += 5 * static_cast<int>(std::string_view(word).size()) + 8;
  }

  const int labelTop = plot.bottom + 2;
  list.Text(plot.left, labelTop, kOutcomeDeposit, kLabelFont, kLabelPoints,
            FormatFixed(h.low, 0, 0));
  const std::string high = FormatFixed(h.high, 0, 0);
  // About five pixels a character at this size: the text ends at the right edge.
  list.Text(plot.right - 5 * static_cast<int>(high.size()), labelTop, kOutcomeDeposit, kLabelFont,
            kLabelPoints, high);
  return list;
}

}  // namespace quillfen
