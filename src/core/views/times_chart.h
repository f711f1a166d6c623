#pragma once

#include <array>

#include "analysis/visible_grid.h"
#include "views/display_list.h"

namespace quillfen {

// Which moment of a trade places it in the week ("Open times" / "Close times").
enum class TimesBasis { openTimes, closeTimes };

inline constexpr int kWeekSlots = 168;

// Pips won and lost per hour of the week, Sunday 0:00 first; each sum is cut
// toward zero after every trade added to it.
struct WeekSlots {
  std::array<double, kWeekSlots> winPipsBySlot{};
  std::array<double, kWeekSlots> lossPipsBySlot{};
};

// The trades are placed by the time shift, in minutes.
WeekSlots BucketPipsByHour(const VisibleGrid& grid1, TimesBasis basis, int shiftMinutes = 0);

inline constexpr std::array<const char*, 7> kDayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Where the week lies across a canvas of this width: slot i starts at
// ChartPixel(left + i * hour), and the week ends at end.
struct WeekSpan {
  int left;
  double hour;
  int end;
};

WeekSpan TimesChartWeek(int width);

// The week grid with a green bar up and a red bar down per hour slot, scaled
// to the largest slot (but never below 10 pips).
DisplayList PaintTimesChart(const VisibleGrid& grid1, int width, int height, TimesBasis basis,
                            int shiftMinutes = 0);

}  // namespace quillfen
