#pragma once

#include "views/display_list.h"

namespace quillfen {

inline constexpr Rgb kChartPaleYellow{255, 255, 213};
inline constexpr Rgb kChartWhite{255, 255, 255};
inline constexpr Rgb kChartGrey{128, 128, 128};

// A computed coordinate cut toward zero; values far off the canvas (or not
// numbers) stay far off instead of overflowing.
int ChartPixel(double value);

// The sunken frame and background that both charts and the exported picture
// start from, on the list's canvas.
void DrawChartFrame(DisplayList& list, Rgb background);

}  // namespace quillfen
