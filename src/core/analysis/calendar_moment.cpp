#include "analysis/calendar_moment.h"

#include <chrono>
#include <cstdio>

namespace quillfen {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr sys_days kDayZero{std::chrono::year{1899} / std::chrono::December / 30};

long long FloorDiv(long long value, long long by) {
  return value >= 0 ? value / by : -((-value + by - 1) / by);
}

}  // namespace

CalendarMoment MomentOn(long long minutes) {
  const long long dayCount = FloorDiv(minutes, 1440);
  const long long ofDay = minutes - dayCount * 1440;
  const std::chrono::year_month_day date{kDayZero + days(dayCount)};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(ofDay / 60),
          static_cast<int>(ofDay % 60)};
}

long long MonthStart(int year, int month) {
  const std::chrono::year_month_day first{
      std::chrono::year{year + (month - 1) / 12},
      std::chrono::month{static_cast<unsigned>((month - 1) % 12 + 1)}, std::chrono::day{1}};
  return (sys_days(first) - kDayZero).count() * 1440LL;
}

std::string MomentText(long long minutes) {
  const CalendarMoment m = MomentOn(minutes);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", m.year, m.month, m.day, m.hour,
                m.minute);
  return text;
}

}  // namespace quillfen
