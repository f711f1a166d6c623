#include "import/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quillfen {

namespace {

int SignificantDigits(const char* first, const char* last) {
  const char* lo = first;
  while (lo < last && (*lo == '-' || *lo == '0' || *lo == '.')) ++lo;
  const char* hi = last;
  while (hi > lo && (hi[-1] == '0' || hi[-1] == '.')) --hi;
  int digits = 0;
  for (const char* p = lo; p < hi; ++p) digits += (*p != '.');
  return digits;
}

std::string ShortestFixed(double value) {
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buffer, end);
}

}  // namespace

std::string FormatGeneral(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  std::string text = ShortestFixed(value);
  if (SignificantDigits(text.data(), text.data() + text.size()) <= 15) return text;
  // Round to 15 significant digits; that value's shortest text has at most 15.
  char buffer[64];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  double rounded = 0;
  std::from_chars(buffer, end, rounded);
  return rounded == 0 ? "0" : ShortestFixed(rounded);
}

double UnsignedZero(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  static constexpr double kPowers[] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9};
  double half =
      0.5 * (decimals >= 0 && decimals < 10 ? kPowers[decimals] : std::pow(10.0, -decimals));
  // Below half a unit of the last place the value prints as zero; compare the
  // printed text itself to stay exact at the boundary.
  if (std::fabs(value) > half * 1.0000001) return value;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
  return std::strtod(buffer, nullptr) == 0 ? 0.0 : value;
}

std::string FormatFixed(double value, int width, int decimals) {
  char buffer[400];
  value = UnsignedZero(value, decimals);
  int length;
  if (std::isfinite(value) && std::fabs(value) < 1e300) {
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    length = ec == std::errc() ? static_cast<int>(end - buffer) : 0;
  } else {
    length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  }
  std::string text;
  if (length < width) text.assign(static_cast<std::size_t>(width - length), ' ');
  text.append(buffer, static_cast<std::size_t>(length));
  return text;
}

}  // namespace quillfen
