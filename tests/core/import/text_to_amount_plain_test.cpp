#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "import/text_conversions.h"

namespace quillfen {
namespace {

// Plain cell texts are read on a fast road; it must give the double that a
// correctly rounding reader gives, sign of zero included, and leave every
// other form to the general rules.
TEST(TextToAmount, PlainFormsReadAsCorrectlyRoundedNumbers) {
  std::mt19937_64 random(20110103);
  const std::string alphabet = "0123456789";
  for (int i = 0; i < 200000; ++i) {
    std::string text(random() % 3, ' ');
    if (random() % 2) text += '-';
    int whole = 1 + static_cast<int>(random() % 9);
    int decimals = static_cast<int>(random() % 9) - 1;
    for (int d = 0; d < whole; ++d) text += alphabet[random() % 10];
    if (decimals > 0) {
      text += '.';
      for (int d = 0; d < decimals; ++d) text += alphabet[random() % 10];
    }
    double expected = std::strtod(text.c_str(), nullptr);
    double actual = TextToAmount(text);
    ASSERT_EQ(actual, expected) << "'" << text << "'";
    ASSERT_EQ(std::signbit(actual), std::signbit(expected)) << "'" << text << "'";
  }
}

TEST(TextToAmount, FormsBesideThePlainOneKeepTheirRules) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"5.", 5},
      {".5", 0},
      {"+5", 5},
      {"- 5", 0},
      {"12.5 ", 12.5},
      {"1 234", 0},
      {"12,5", 12.5},
      {"1,234.56", 1234.56},
      {"\t7", 7},
      {"1.2.3", 0},
      {"-0.50", -0.5},
      {"1234567890123456", 1234567890123456},
      {"0.1234567890123456", 0.1234567890123456},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToAmount(c.text), c.value) << "'" << c.text << "'";
}

}  // namespace
}  // namespace quillfen
