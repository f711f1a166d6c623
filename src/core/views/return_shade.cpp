#include "views/return_shade.h"

#include <algorithm>
#include <cmath>

namespace quillfen {

namespace {

constexpr Rgb kFullGain{0, 128, 0};
constexpr Rgb kFullLoss{192, 0, 0};

double Strength(double percent) {
  if (std::isnan(percent)) return 0;
  return std::min(std::fabs(percent) / kFullShadePercent, 1.0);
}

std::uint8_t Between(std::uint8_t full, double strength) {
  return static_cast<std::uint8_t>(std::lround(255 - (255 - full) * strength));
}

}  // namespace

Rgb ReturnShade(double percent) {
  const Rgb full = percent < 0 ? kFullLoss : kFullGain;
  const double strength = Strength(percent);
  return {Between(full.r, strength), Between(full.g, strength), Between(full.b, strength)};
}

bool LightTextOn(double percent) {
  return Strength(percent) > 0.6;
}

}  // namespace quillfen
