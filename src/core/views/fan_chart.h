#pragma once

#include "risk/history_results.h"
#include "views/display_list.h"

namespace quillfen {

inline constexpr Rgb kFanOuter{198, 214, 240};  // 5 to 95 %
inline constexpr Rgb kFanInner{120, 156, 220};  // 25 to 75 %
inline constexpr Rgb kFanMedian{0, 0, 160};
inline constexpr Rgb kFanDeposit{0, 0, 0};

// The balance percentiles of a history pass from the first trade (or day) to
// the last: the 5–95 % band, the 25–75 % band inside it and the median line,
// with the deposit line across; the highest and lowest balance shown stand at
// the left. An empty fan draws the frame only.
DisplayList PaintFanChart(const EquityFan& fan, int width, int height);

}  // namespace quillfen
