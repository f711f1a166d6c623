#include "text/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace quillfen {
namespace {

TEST(FormatGeneral, ShortestTextWithoutExponentOrSignedZero) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {10.0, "10"},
      {-5.6, "-5.6"},
      {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary error
      {0.00001, "0.00001"},
      {1e-7, "0.0000001"},
      {1234567.125, "1234567.125"},
      {1e21, "1000000000000000000000"},
      {2.0 / 3.0, "0.666666666666667"},
      {std::nextafter(1.0, 0.0), "1"},  // sixteen nines round up into the next power of ten
      {-std::nextafter(100.0, 0.0), "-100"},
      {123456789012345.5, "123456789012346"},  // exact ties round to the even digit
      {123456789012344.5, "123456789012344"},
      {0.000000000000125, "0.000000000000125"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatGeneral(c.value), c.text) << c.value;
}

// The significant digits of a number's text, without leading or trailing zeros.
std::string Digits(const std::string& text) {
  std::string digits;
  for (char c : text.substr(0, text.find('e')))
    if (c >= '0' && c <= '9') digits += c;
  digits.erase(0, digits.find_first_not_of('0'));
  digits.erase(digits.find_last_not_of('0') + 1);
  return digits;
}

// The form's definition, step by step: the shortest text that reads back as the
// value, rounded to fifteen significant digits when it has more.
std::string LiteralGeneral(double value) {
  char buffer[64];
  auto scientific = [&](auto... precision) {
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value,
                                             std::chars_format::scientific, precision...)
                                   .ptr);
  };
  std::string shortest = scientific();
  return Digits(shortest).size() <= 15 ? shortest : scientific(14);
}

TEST(FormatGeneral, MatchesTheDefinitionOnManyValues) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> cents(-10000000, 10000000);
  std::uniform_int_distribution<int> scale(-12, 22);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int n = 0; n < 100000; ++n) {
    // Money-like quotients and products, decimal-looking values, and any normal double.
    const double a = cents(random) / 100.0;
    const double b = cents(random) / 100.0;
    const double values[] = {a, b != 0 ? a / b : a, a * b, a * std::pow(10.0, scale(random)),
                             std::bit_cast<double>(bits(random))};
    for (double value : values) {
      if (!std::isnormal(value)) continue;
      const std::string text = FormatGeneral(value);
      const std::string literal = LiteralGeneral(value);
      ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << text;
      ASSERT_EQ(Digits(text), Digits(literal)) << value;
      ASSERT_EQ(std::strtod(text.c_str(), nullptr), std::strtod(literal.c_str(), nullptr)) << value;
    }
  }
}

// The buffer form writes the same text for zero and every value of the range
// computed cells hold, leaving the rest (and what is not finite) to FormatGeneral.
TEST(FormatGeneral, BufferFormWritesTheSameTextInItsRange) {
  std::mt19937_64 random(23);
  std::uniform_int_distribution<int> cents(-10000000, 10000000);
  std::uniform_int_distribution<int> scale(-16, 18);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::vector<double> values = {0.0,       -0.0,     1e-12, -1e-13, 9.99999999999999e14,
                                1e15,      1e16,     0.1,   12.3,   -7.0,
                                1234567.8, HUGE_VAL, NAN,   5e-324};
  for (int n = 0; n < 100000; ++n) {
    const double a = cents(random) / 100.0;
    const double b = cents(random) / 100.0;
    values.insert(values.end(), {b != 0 ? a / b : a, a * std::pow(10.0, scale(random)),
                                 std::bit_cast<double>(bits(random)), std::trunc(a),
                                 std::trunc(b / 10), std::trunc(a) * 1e7});
  }
  for (double value : values) {
    char text[kGeneralRoom];
    const std::size_t length = FormatGeneralTo(value, text);
    const double magnitude = std::fabs(value);
    if (value == 0 || (magnitude >= 1e-12 && magnitude < 1e15)) {
      ASSERT_GT(length, 0u) << value;
      ASSERT_EQ(std::string(text, length), FormatGeneral(value)) << value;
    } else if (length > 0) {
      ASSERT_EQ(std::string(text, length), FormatGeneral(value)) << value;
    }
  }
}

TEST(FormatFixed, PadsLikePrintfAndNeverShowsSignedZero) {
  EXPECT_EQ(FormatFixed(12.345, 10, 2), "     12.35");
  EXPECT_EQ(FormatFixed(-0.001, 10, 2), "      0.00");
  EXPECT_EQ(FormatFixed(-0.04, 0, 1), "0.0");
  EXPECT_EQ(FormatFixed(-0.05, 0, 1), "-0.1");
  EXPECT_EQ(FormatFixed(-0.0, 6, 2), "  0.00");
  EXPECT_EQ(FormatFixed(-2.5, 7, 2), "  -2.50");
  EXPECT_EQ(FormatFixed(1234567.891, 3, 2), "1234567.89");
}

// The integer path for up to three decimals against printf itself: random
// magnitudes, exact ties (x.125, x.5) and values next to them.
TEST(FormatFixed, MatchesPrintfOverManyValues) {
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> magnitude(-12, 16);
  std::vector<double> values = {0.125,
                                0.375,
                                2.5,
                                3.5,
                                -2.5,
                                0.0625,
                                2.675,
                                1.005,
                                -0.005,
                                -0.0049,
                                9007199254740991.0,
                                4503599627370495.5,
                                1e-320};
  for (int i = 0; i < 20000; ++i) {
    double v = std::pow(10.0, magnitude(random)) * (random() % 2 ? 1 : -1);
    values.push_back(v);
    values.push_back(std::nextafter(std::round(v * 8) / 8, 0.0));
    values.push_back(std::round(v * 8) / 8);
  }
  char expected[400];
  for (double v : values) {
    for (int decimals = 0; decimals <= 4; ++decimals) {
      std::snprintf(expected, sizeof expected, "%.*f", decimals, UnsignedZero(v, decimals));
      ASSERT_EQ(FormatFixed(v, 0, decimals), expected) << v << " " << decimals;
    }
  }
}

}  // namespace
}  // namespace quillfen
