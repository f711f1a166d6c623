#include "import/number_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

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

// The value rounded to fifteen significant digits, in fixed notation without
// trailing zeros. A normal double holds more than fifteen digits, so when its
// shortest text has fewer, this rounding gives that text. Otherwise the
// shortest text is rounded: no sixteen-digit tie can lie between it and the
// value, or the shortest text would be that tie. Only a shortest text that is
// itself a tie needs the slower exact rounding.
std::string FifteenDigitsFixed(double value) {
  char scientific[32];  // "-d.dddddddddddddddde-308"
  auto result = std::to_chars(scientific, scientific + sizeof scientific, value,
                              std::chars_format::scientific);
  const char* p = scientific;
  const bool negative = *p == '-';
  p += negative;
  char digits[17];
  int count = 0;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits[count++] = *p;
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+'), result.ptr, exponent);
  if (count == 16 && digits[15] == '5') {
    result = std::to_chars(scientific, scientific + sizeof scientific, value,
                           std::chars_format::scientific, 14);
    count = 0;
    for (p = scientific + negative; *p != 'e'; ++p)
      if (*p != '.') digits[count++] = *p;
  } else if (count > 15) {
    const bool up = digits[15] > '5' || (digits[15] == '5' && count == 17);
    count = 15;
    for (int i = 14; up && i >= 0; --i) {
      if (digits[i] != '9') {
        ++digits[i];
        break;
      }
      digits[i] = '0';
      if (i == 0) {  // 9.99..9 rounds up to 10
        digits[0] = '1';
        ++exponent;
      }
    }
  }
  while (count > 1 && digits[count - 1] == '0') --count;
  std::string text;
  text.reserve(static_cast<std::size_t>(std::abs(exponent) + count + 3));
  if (negative) text += '-';
  if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text.append(digits, static_cast<std::size_t>(count));
  } else if (count > exponent + 1) {
    text.append(digits, static_cast<std::size_t>(exponent + 1));
    text += '.';
    text.append(digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
  } else {
    text.append(digits, static_cast<std::size_t>(count));
    text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
  }
  return text;
}

// "%W.Df" for D <= 3 and |value| < 2^53 in integer arithmetic: the exact binary
// value times 10^D, rounded half to even as printf does, without a signed zero.
// Cells are written by the hundred thousand: the characters go straight into
// the text's own storage, which is several times faster than a copy.
void FixedByIntegers(std::string& text, double value, int width, int decimals) {
  constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000};
  std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  int exponent = static_cast<int>((bits >> 52) & 0x7ff);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (exponent != 0) mantissa |= std::uint64_t{1} << 52;
  int shift = 1075 - std::max(exponent, 1);             // value = mantissa / 2^shift
  std::uint64_t scaled = mantissa * kPowers[decimals];  // below 2^63
  std::uint64_t units = 0;
  if (shift == 0) {
    units = scaled;
  } else if (shift < 64) {
    units = scaled >> shift;
    std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (units & 1))) ++units;
  }
  const bool negative = (bits >> 63) != 0 && units != 0;
  int digits = 1;
  for (std::uint64_t rest = units; rest >= 10; rest /= 10) ++digits;
  digits = std::max(digits, decimals + 1);  // "0.05", not ".05"
  const int length = negative + digits + (decimals > 0);
  const int pad = std::max(width - length, 0);
  text.resize(static_cast<std::size_t>(pad + length));
  char* const first = text.data();
  std::memset(first, ' ', static_cast<std::size_t>(pad));
  if (negative) first[pad] = '-';
  // Digits from the right, the point after the decimals.
  char* p = first + pad + length;
  for (int i = 0; i < decimals; ++i, units /= 10) *--p = static_cast<char>('0' + units % 10);
  if (decimals > 0) *--p = '.';
  for (char* const lead = first + pad + negative; p > lead; units /= 10)
    *--p = static_cast<char>('0' + units % 10);
}

}  // namespace

std::string FormatGeneral(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  if (std::fabs(value) >= std::numeric_limits<double>::min()) return FifteenDigitsFixed(value);
  // Below the normal range a double holds fewer digits: its shortest text may
  // have fewer than fifteen where the fifteen-digit rounding has more.
  std::string text = ShortestFixed(value);
  if (SignificantDigits(text.data(), text.data() + text.size()) <= 15) return text;
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

void FormatFixedTo(std::string& text, double value, int width, int decimals) {
  if (decimals >= 0 && decimals <= 3 && std::fabs(value) < 9007199254740992.0) {
    FixedByIntegers(text, value, width, decimals);
    return;
  }
  // The number goes after room for the padding, so the text is assigned in one step.
  constexpr int kRoom = 64;
  char buffer[kRoom + 400];
  char* number = buffer + kRoom;
  int length;
  value = UnsignedZero(value, decimals);
  if (std::isfinite(value) && std::fabs(value) < 1e300) {
    auto [end, ec] = std::to_chars(number, number + 400, value, std::chars_format::fixed, decimals);
    length = ec == std::errc() ? static_cast<int>(end - number) : 0;
  } else {
    length = std::snprintf(number, 400, "%.*f", decimals, value);
  }
  length = std::clamp(length, 0, 399);
  int pad = std::max(width - length, 0);
  if (pad <= kRoom) {
    std::memset(number - pad, ' ', static_cast<std::size_t>(pad));
    text.assign(number - pad, static_cast<std::size_t>(pad + length));
  } else {
    text.assign(static_cast<std::size_t>(pad), ' ');
    text.append(number, static_cast<std::size_t>(length));
  }
}

std::string FormatFixed(double value, int width, int decimals) {
  std::string text;
  FormatFixedTo(text, value, width, decimals);
  return text;
}

}  // namespace quillfen
