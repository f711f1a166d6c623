#pragma once

namespace quillfen::synthetic {

// Moments are whole seconds since 1970-01-01 00:00, in the terminal's server time.
using Moment = long long;

constexpr Moment kMinute = 60;
constexpr Moment kHour = 3600;
constexpr Moment kDay = 86400;

struct CivilDate {
  int year;
  int month;
  int day;
};

CivilDate DateOf(Moment moment);
Moment MomentOf(int year, int month, int day);
// 0 is Sunday.
int WeekdayOf(Moment moment);
// Moments on Saturday or Sunday move to Monday at the same time of day: the
// market is closed at weekends.
Moment SkipWeekend(Moment moment);
// 00:00 of the day after the moment.
Moment NextMidnight(Moment moment);

}  // namespace quillfen::synthetic
