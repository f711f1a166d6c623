#include "import/number_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// "%.Df" for D <= 3 and |value| < 2^53 in integer arithmetic: the exact binary
// value times 10^D, rounded half to even as printf does, without a signed zero.
// Cells are written by the hundred thousand; this is several times faster.
int FixedByIntegers(double value, int decimals, char* out) {
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
  bool negative = (bits >> 63) != 0 && units != 0;
  // Digits from the right, two at a time.
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char digits[24];
  char* end = digits + sizeof digits;
  char* first = end;
  while (units >= 100) {
    std::size_t pair = static_cast<std::size_t>(units % 100) * 2;
    units /= 100;
    *--first = kPairs[pair + 1];
    *--first = kPairs[pair];
  }
  do {
    *--first = static_cast<char>('0' + units % 10);
    units /= 10;
  } while (units > 0);
  while (end - first <= decimals) *--first = '0';
  int whole = static_cast<int>(end - first) - decimals;
  char* p = out;
  if (negative) *p++ = '-';
  for (int i = 0; i < whole; ++i) *p++ = *first++;
  if (decimals > 0) *p++ = '.';
  while (first < end) *p++ = *first++;
  return static_cast<int>(p - out);
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

void FormatFixedTo(std::string& text, double value, int width, int decimals) {
  // The number goes after room for the padding, so the text is assigned in one step.
  constexpr int kRoom = 64;
  char buffer[kRoom + 400];
  char* number = buffer + kRoom;
  int length;
  if (decimals >= 0 && decimals <= 3 && std::fabs(value) < 9007199254740992.0) {
    length = FixedByIntegers(value, decimals, number);
  } else {
    value = UnsignedZero(value, decimals);
    if (std::isfinite(value) && std::fabs(value) < 1e300) {
      auto [end, ec] =
          std::to_chars(number, number + 400, value, std::chars_format::fixed, decimals);
      length = ec == std::errc() ? static_cast<int>(end - number) : 0;
    } else {
      length = std::snprintf(number, 400, "%.*f", decimals, value);
    }
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
