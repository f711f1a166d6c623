#include "text/number_format.h"

#include <algorithm>
#include <array>
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

// Writes the fifteen significant digits whose last has the place value
// 10^(exponent - 14), in fixed notation without trailing zeros, to out (room
// for kGeneralRoom bytes when -13 <= exponent < 15), and gives the length.
std::size_t FixedFromDigits(bool negative, std::uint64_t digits15, int exponent, char* out) {
  // Two halves of eight digits, each as two of four, each of those as two
  // pairs: chains of two divisions, side by side.
  static constexpr auto kPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
      pairs[2 * i] = static_cast<char>('0' + i / 10);
      pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
  }();
  char digits[16];
  auto pair = [&](std::uint32_t value, char* to) { std::memcpy(to, &kPairs[value * 2], 2); };
  auto eight = [&](std::uint32_t half, char* to) {
    const std::uint32_t high = half / 10000, low = half % 10000;
    pair(high / 100, to);
    pair(high % 100, to + 2);
    pair(low / 100, to + 4);
    pair(low % 100, to + 6);
  };
  const auto highHalf = static_cast<std::uint32_t>(digits15 / 100000000);
  const auto lowHalf = static_cast<std::uint32_t>(digits15 % 100000000);
  eight(highHalf, digits);
  eight(lowHalf, digits + 8);
  // Short numbers (pips, lots) end in many zeros: four or eight of them are
  // passed at once.
  int count = lowHalf == 0 ? 7 : lowHalf % 10000 == 0 ? 11 : 15;
  while (count > 1 && digits[count] == '0') --count;
  const char* first = digits + 1;
  const int whole = exponent + 1;  // digits before the point
  const std::size_t length = static_cast<std::size_t>(
      negative + (exponent < 0 ? 1 - exponent + count : std::max(whole, count) + (count > whole)));
  std::memset(out, '0', length);
  if (negative) *out++ = '-';
  if (exponent < 0) {
    out[1] = '.';
    std::memcpy(out + 1 - exponent, first, static_cast<std::size_t>(count));
  } else if (count > whole) {
    std::memcpy(out, first, static_cast<std::size_t>(whole));
    out[whole] = '.';
    std::memcpy(out + whole + 1, first + whole, static_cast<std::size_t>(count - whole));
  } else {
    std::memcpy(out, first, static_cast<std::size_t>(count));
  }
  return length;
}

std::string FixedFromDigits(bool negative, std::uint64_t digits15, int exponent) {
  // Past the exponents of kGeneralRoom: a double's largest is 308.
  char text[330];
  return std::string(text, FixedFromDigits(negative, digits15, exponent, text));
}

__extension__ using Unsigned128 = unsigned __int128;

// The fifteen-digit rounding in integers, for 10^-13 <= |value| < 10^15: with
// value = m * 2^q, value * 10^k = m * 5^k * 2^(q + k) is exact in 128 bits for
// k <= 27, and the shift rounds half to even as printf does. Writes the text
// to out and gives its length; 0 outside.
std::size_t FifteenDigitsByIntegers(double value, char* out) {
  static constexpr auto kPowersOfFive = [] {
    std::array<std::uint64_t, 28> powers{};
    powers[0] = 1;
    for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 5;
    return powers;
  }();
  constexpr std::uint64_t kLow = 100000000000000;  // 10^14
  constexpr std::uint64_t kHigh = 10 * kLow;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  // 2^-44 < 10^-13 and 2^50 > 10^15: outside, the slower way.
  if (biased < 1023 - 44 || biased >= 1023 + 50) return 0;
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int q = biased - 1075;
  // log10(2) = 0.30103: the decimal exponent of 2^(q + 52), at most one too small.
  int exponent = ((q + 52) * 78913) >> 18;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = 14 - exponent;
    if (k < 0 || k > 27) return 0;
    const Unsigned128 scaled = Unsigned128{mantissa} * kPowersOfFive[static_cast<std::size_t>(k)];
    const int shift = -(q + k);
    if (shift <= 0 || shift >= 128) return 0;  // whole values of 15 digits need no scaling
    const Unsigned128 floor = scaled >> shift;
    if (floor >= kHigh) {
      ++exponent;
      continue;
    }
    auto whole = static_cast<std::uint64_t>(floor);
    const Unsigned128 rest = scaled - (floor << shift);
    const Unsigned128 half = Unsigned128{1} << (shift - 1);
    if (rest > half || (rest == half && (whole & 1))) ++whole;
    if (whole < kLow) {
      --exponent;
      continue;
    }
    if (whole == kHigh) {  // rounded up to the next power of ten
      whole = kLow;
      ++exponent;
    }
    return FixedFromDigits(value < 0, whole, exponent, out);
  }
  return 0;
}

// The value rounded to fifteen significant digits, in fixed notation without
// trailing zeros. A normal double holds more than fifteen digits, so when its
// shortest text has fewer, this rounding gives that text.
std::string FifteenDigitsFixed(double value) {
  char text[kGeneralRoom];
  if (const std::size_t length = FifteenDigitsByIntegers(value, text); length > 0)
    return std::string(text, length);
  char scientific[32];  // "-d.ddddddddddddddde-308"
  const auto result = std::to_chars(scientific, scientific + sizeof scientific, value,
                                    std::chars_format::scientific, 14);
  const char* p = scientific;
  const bool negative = *p == '-';
  p += negative;
  std::uint64_t digits = 0;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+'), result.ptr, exponent);
  return FixedFromDigits(negative, digits, exponent);
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

std::size_t FormatGeneralTo(double value, char* out) {
  if (value == 0) {
    *out = '0';
    return 1;
  }
  // A whole value of at most fifteen digits is its own rounding: many computed
  // cells ("-6", "10") are such.
  if (std::fabs(value) < 1e15 && std::trunc(value) == value)
    return static_cast<std::size_t>(
        std::to_chars(out, out + kGeneralRoom, static_cast<long long>(value)).ptr - out);
  return FifteenDigitsByIntegers(value, out);
}

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

std::string GroupThousands(std::string text) {
  const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  std::size_t end = text.find('.');
  if (end == std::string::npos) end = text.size();
  for (std::size_t at = end; at > start + 3; at -= 3) text.insert(at - 3, 1, ' ');
  return text;
}

}  // namespace quillfen
