#include "import/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
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
  };
  for (const Case& c : cases) EXPECT_EQ(FormatGeneral(c.value), c.text) << c.value;
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
  std::vector<double> values = {0.125, 0.375, 2.5, 3.5, -2.5, 0.0625, 2.675, 1.005, -0.005,
                                -0.0049, 9007199254740991.0, 4503599627370495.5, 1e-320};
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
