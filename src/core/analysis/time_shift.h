#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillfen {

// The broker's server keeps its own clock: a shift of whole quarter hours,
// -24 to +24 hours, places the trades by the trader's.
inline constexpr int kLargestTimeShiftMinutes = 24 * 60;

inline constexpr const char* kTimeShiftMessage =
    "The time shift is a number of hours from -24 to 24 in quarter hours, such as 2 or -1.75.";

// The minutes of an hours text as typed ("2", "-1.75", "+0.5"); nothing for
// text that is not such a number, lies out of range or is no quarter hour.
std::optional<int> TimeShiftMinutes(std::string_view hoursText);

// The hours text of a shift, the shortest that reads back the same: "-1.75", "2".
std::string TimeShiftText(int minutes);

}  // namespace quillfen
