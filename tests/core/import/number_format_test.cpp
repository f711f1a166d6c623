#include "import/number_format.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillfen
