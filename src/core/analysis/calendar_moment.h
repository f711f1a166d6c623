#pragma once

#include <string>

namespace quillfen {

// A moment of CellMinutes (whole minutes from 30 December 1899) on the calendar.
struct CalendarMoment {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;
  int minute = 0;
};

CalendarMoment MomentOn(long long minutes);

// The first minute of that month; month 13 is January of the next year.
long long MonthStart(int year, int month);

// "YYYY-MM-DD HH:MM".
std::string MomentText(long long minutes);

}  // namespace quillfen
