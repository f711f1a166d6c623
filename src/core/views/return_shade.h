#pragma once

#include <array>

#include "views/display_list.h"

namespace quillfen {

// A return's cell colour on the Months tab: green for a gain, red for a loss,
// from white at 0 to the full colour at kFullShadePercent and beyond.
inline constexpr double kFullShadePercent = 10;

Rgb ReturnShade(double percent);
// Whether text on that shade reads better in white than in black.
bool LightTextOn(double percent);

// The legend's steps, in percent.
inline constexpr std::array<double, 5> kShadeLegend = {-10, -5, 0, 5, 10};

}  // namespace quillfen
