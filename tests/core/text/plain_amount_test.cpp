#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

// Cells the program writes itself take a fast road through TextToAmount; it
// must read every one of them exactly as strtod does.
TEST(TextToAmountPlainCells, ReadExactlyAsStrtod) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 200000; ++i) {
    const int decimals = static_cast<int>(random() % 6);
    const double magnitude = std::pow(10.0, static_cast<double>(random() % 10));
    const double value =
        (static_cast<double>(random() % 2000001) - 1000000.0) / 1000000.0 * magnitude;
    const std::string text = FormatFixed(value, static_cast<int>(random() % 14), decimals);
    ASSERT_EQ(TextToAmount(text), std::strtod(text.c_str(), nullptr)) << text;
  }
}

TEST(TextToAmountPlainCells, NearMissesKeepTheGeneralRules) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"  -12.50", -12.5},
      {"\t7.25  ", 7.25},
      {"1.", 1},
      {".5", 0},
      {"-.5", 0},
      {"1 000.00", 0},
      {"1.2.3", 0},
      {"12-", 0},
      {"+3.5", 3.5},
      {"1234567890123456", 1234567890123456.0},
      {"0", 0},
      {"", 0},
      {"-0.00", 0},
      {"007.50", 7.5},
      {"1,5", 1.5},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToAmount(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace quillfen
