#include "synthetic/calendar.h"

namespace quillfen::synthetic {

namespace {

long long FloorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

// Days-from-civil and civil-from-days after the well-known era algorithm.
CivilDate DateOf(Moment moment) {
  const long long z = FloorDiv(moment, kDay) + 719468;
  const long long era = FloorDiv(z, 146097);
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

Moment MomentOf(int year, int month, int day) {
  const long long y = year - (month <= 2 ? 1 : 0);
  const long long era = FloorDiv(y, 400);
  const long long yoe = y - era * 400;
  const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return (era * 146097 + doe - 719468) * kDay;
}

int WeekdayOf(Moment moment) {
  const long long days = FloorDiv(moment, kDay);
  return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

Moment SkipWeekend(Moment moment) {
  switch (WeekdayOf(moment)) {
    case 6:
      return moment + 2 * kDay;
    case 0:
      return moment + kDay;
    default:
      return moment;
  }
}

Moment NextMidnight(Moment moment) {
  return (FloorDiv(moment, kDay) + 1) * kDay;
}

}  // namespace quillfen::synthetic
