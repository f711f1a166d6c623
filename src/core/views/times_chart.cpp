#include "views/times_chart.h"

#include <algorithm>
#include <cmath>

#include "analysis/trade_selection.h"
#include "text/text_conversions.h"
#include "views/chart_frame.h"

namespace quillfen {

namespace {

constexpr Rgb kGreen{0, 192, 0};
constexpr Rgb kRed{192, 0, 0};
constexpr Rgb kWindowText{0, 0, 0};
constexpr const char* kWindowFont = "MS Sans Serif";
constexpr int kWindowFontPoints = 8;

// The decimal number in characters first .. first + count - 1, stopping at the
// first non-digit; 0 when there is none.
int NumberAt(std::string_view text, std::size_t first, std::size_t count) {
  int value = 0;
  for (std::size_t i = first; i < std::min(first + count, text.size()); ++i) {
    if (text[i] < '0' || text[i] > '9') break;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The hour of the week of a moment on the trader's clock; -1 for an unreadable one.
int ShiftedSlot(long long minutes, int shift) {
  if (minutes == 0) return -1;
  constexpr long long kWeek = 7 * 1440;
  // Day 0 of CellMinutes, 30 December 1899, was a Saturday.
  const long long ofWeek = ((minutes + shift + 6 * 1440) % kWeek + kWeek) % kWeek;
  return static_cast<int>(ofWeek / 60);
}

}  // namespace

WeekSlots BucketPipsByHour(const VisibleGrid& grid1, TimesBasis basis, int shift) {
  const int dateColumn = basis == TimesBasis::closeTimes ? g1::closeDate : g1::openDate;
  const int timeColumn = basis == TimesBasis::closeTimes ? g1::closeTime : g1::openTime;
  WeekSlots slots;
  const int rows = grid1.RowCount();
  for (int r = 1; r < rows; ++r) {
    if (r + 16 < rows) {
      grid1.Prefetch(dateColumn, r + 16);
      grid1.Prefetch(g1::pips, r + 16);
    }
    std::string_view time = grid1.Cell(timeColumn, r);
    if (time.empty()) continue;
    std::string_view date = grid1.Cell(dateColumn, r);
    int weekday = DayOfWeek(NumberAt(date, 0, 4), NumberAt(date, 5, 2), NumberAt(date, 8, 2));
    int slot = weekday * 24 + NumberAt(time, 0, 6);
    if (shift != 0) slot = ShiftedSlot(CellMinutes(date, time), shift);
    // A malformed date or hour has no place in the week.
    if (weekday < 0 || slot < 0 || slot >= kWeekSlots) continue;
    double pips = TextToAmount(grid1.Cell(g1::pips, r));
    auto& sums = pips > 0 ? slots.winPipsBySlot : slots.lossPipsBySlot;
    sums[static_cast<std::size_t>(slot)] = std::trunc(sums[static_cast<std::size_t>(slot)] + pips);
  }
  return slots;
}

WeekSpan TimesChartWeek(int width) {
  const int x0 = width * 6 / 180;
  const double hour = width / 180.0;
  return {x0, hour, ChartPixel(x0 + kWeekSlots * hour)};
}

DisplayList PaintTimesChart(const VisibleGrid& grid1, int width, int height, TimesBasis basis,
                            int shiftMinutes) {
  DisplayList list(width, height);
  DrawChartFrame(list, kChartPaleYellow);
  if (grid1.Cell(g1::balance, 1).empty()) return list;

  const int h = height;
  const WeekSpan week = TimesChartWeek(width);
  const int x0 = week.left;
  const double hour = week.hour;
  for (int d = 0; d < 7; ++d) {
    list.Text(ChartPixel(x0 + 2 + 24 * d * hour), h / 8, kWindowText, kWindowFont,
              kWindowFontPoints, kDayNames[static_cast<std::size_t>(d)]);
    int x = ChartPixel(x0 + 24 * d * hour);
    list.Line(x, h / 8, x, h * 7 / 8, kChartGrey);
  }
  const int weekEnd = week.end;
  list.Line(weekEnd, h / 8, weekEnd, h * 7 / 8, kChartGrey);

  const WeekSlots slots = BucketPipsByHour(grid1, basis, shiftMinutes);
  double scale = 10;
  for (int i = 0; i < kWeekSlots; ++i)
    scale = std::max({scale, std::fabs(slots.winPipsBySlot[static_cast<std::size_t>(i)]),
                      std::fabs(slots.lossPipsBySlot[static_cast<std::size_t>(i)])});
  auto bars = [&](const std::array<double, kWeekSlots>& sums, Rgb colour) {
    for (int i = 0; i < kWeekSlots; ++i) {
      double value = sums[static_cast<std::size_t>(i)];
      if (value == 0) continue;
      list.Fill(ChartPixel(x0 + i * hour), ChartPixel(h * 0.5 - value / scale * h / 3),
                ChartPixel(x0 + 4 + i * hour), h / 2, colour);
    }
  };
  bars(slots.winPipsBySlot, kGreen);
  bars(slots.lossPipsBySlot, kRed);
  list.Line(x0, h / 2, weekEnd, h / 2, kChartGrey);
  return list;
}

}  // namespace quillfen
