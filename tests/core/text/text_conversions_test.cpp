#include "text/text_conversions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace quillfen {
namespace {

TEST(TextToAmount, ReadsTheFormsStatementsAndUsersWrite) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"", 0},
      {"0", 0},
      {"abc", 0},
      {"1 234", 0},  // a blank between digits
      {"-0.50", -0.5},
      {"1,5", 1.5},
      {"1.000,50", 1.0005},  // both marks: the comma is dropped
      {"1,234.56", 1234.56},
      {"12,5", 12.5},
      {"1.234,56", 1.23456},
      {"12.5%", 0},
      {"1.234.567", 0},
      {"-12.5", -12.5},
      {"  -12.5", -12.5},
      {"12.50 ", 12.5},
      {"5-", 0},
      {"$12", 0},
      {"--5", 0},
      {"12.", 12},
      {"100000.00", 100000},
      {"1e5", 0},
      {"0.00", 0},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(TextToAmount(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToWhole, CutsTheFractionAndRejectsEverythingElse) {
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {
      {"", 0},
      {"0", 0},
      {"123456789", 123456789},
      {"-17", -17},
      {"17-", 0},
      {"12.99", 12},
      {"-3.7", -3},
      {" 5", 0},
      {"1,5", 0},
      {"-", 0},
      {".5", 0},
      {"2147483647", 2147483647},
      {"2147483648", 0},
      {"-2147483648", -2147483647 - 1},
      {"99999999999999999999", 0},
      {"12.x", 12},  // nothing after the point is looked at
  };
  for (const Case& c : cases) EXPECT_EQ(TextToWhole(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToLongWhole, ReadsAsTextToWholeOverThe64BitRange) {
  struct Case {
    const char* text;
    std::int64_t value;
  };
  const Case cases[] = {
      {"", 0},
      {"-17", -17},
      {"17-", 0},
      {"12.99", 12},
      {" 5", 0},
      {"+5", 0},
      {"1,5", 0},
      {"-", 0},
      {".5", 0},
      {"2147483648", 2147483648},
      {"4000000000", 4000000000},
      {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
      {"9223372036854775808", 0},
      {"99999999999999999999", 0},
      {"12.x", 12},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToLongWhole(c.text), c.value) << '"' << c.text << '"';
}

TEST(WordAt, NumbersRunsOfNonBlanksAndTrimsThem) {
  std::string_view word;
  EXPECT_TRUE(WordAt("1 2010.01.04 00:00 buy 1", 3, word));
  EXPECT_EQ(word, "buy");
  EXPECT_FALSE(WordAt("1 2010.01.04 00:00 buy 1", 5, word));
  EXPECT_EQ(word, "");
  EXPECT_TRUE(WordAt("a  \tb__ c", 1, word));
  EXPECT_EQ(word, "b");
  EXPECT_TRUE(WordAt("a ___ c", 1, word));  // a word of underscores is a word, trimmed empty
  EXPECT_EQ(word, "");
  EXPECT_TRUE(WordAt("x y\r\n", 1, word));
  EXPECT_EQ(word, "y");
}

TEST(TrimCell, RemovesWhiteSpaceAndUnderscoresAtBothEnds) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"  _a b_ \t", "a b"}, {"___", ""}, {"a_b", "a_b"}, {"\r\nx\n", "x"}};
  for (auto [text, trimmed] : cases) {
    TrimCell(text);
    EXPECT_EQ(text, trimmed);
  }
}

TEST(ReplaceAll, ReplacesUntilNoneIsLeft) {
  struct Case {
    const char* line;
    const char* search;
    const char* replacement;
    const char* result;
  };
  const Case cases[] = {
      {"a--b", "--", "", "ab"},
      {"----", "--", "", ""},
      {"---", "--", "", "-"},
      {"<B<BR>R>x", "<BR>", "", "x"},  // a removal that makes another occurrence
      {"1&nbsp;&nbsp;2", "&nbsp;", " ", "1  2"},
      {"abab", "ab", "a", "aa"},  // the replacement joins what precedes: aab, then aa
      {"none", "xy", "", "none"},
  };
  for (const Case& c : cases) {
    std::string line = c.line;
    ReplaceAll(line, c.search, c.replacement);
    EXPECT_EQ(line, c.result) << c.line;
  }
}

// The literal procedure: find the first occurrence from the start, replace, repeat.
std::string LiteralReplaceAll(std::string line, const std::string& search,
                              const std::string& replacement) {
  for (std::size_t at; (at = line.find(search)) != std::string::npos;)
    line.replace(at, search.size(), replacement);
  return line;
}

TEST(ReplaceAll, MatchesTheLiteralProcedureOnRandomLines) {
  const std::pair<const char*, const char*> rules[] = {
      {"--", ""},   {"<!-- -", ""}, {"<BR>", ""}, {"&nbsp;", " "}, {"ab", "a"},
      {"aba", "b"}, {"ab", "x"},    {"ab", "ba"}, {"ab", "b"}};
  unsigned seed = 7;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
  const std::string alphabet = "<!- BR>&nbsp;a";
  for (int round = 0; round < 5000; ++round) {
    std::string line;
    for (unsigned n = next() % 24; n > 0; --n) {
      if (next() % 8 == 0)
        line += rules[next() % std::size(rules)].first;
      else
        line.push_back(alphabet[next() % alphabet.size()]);
    }
    for (auto [search, replacement] : rules) {
      std::string fast = line;
      ReplaceAll(fast, search, replacement);
      ASSERT_EQ(fast, LiteralReplaceAll(line, search, replacement)) << line << " / " << search;
    }
  }
}

TEST(HasDateAfterFirstWord, LooksForADateAfterTheFirstSpace) {
  EXPECT_TRUE(HasDateAfterFirstWord("4711 2010.01.04 10:00 buy"));
  EXPECT_TRUE(HasDateAfterFirstWord("4711 x2010/01/04"));
  EXPECT_FALSE(HasDateAfterFirstWord("4711 2010.01/04"));
  EXPECT_FALSE(HasDateAfterFirstWord("4711\t2010.01.04"));  // tabs do not count
  EXPECT_FALSE(HasDateAfterFirstWord("12345 my comment"));
  EXPECT_FALSE(HasDateAfterFirstWord("1 2010.01"));  // too short for the second mark
  EXPECT_TRUE(HasDateAfterFirstWord("1 2010.01."));
  EXPECT_FALSE(HasDateAfterFirstWord("nospace"));
}

TEST(NormalisePrice, FixesTheDecimalsByMagnitudeAndLength) {
  const std::pair<std::string, std::string> cases[] = {
      {"1.4315", "1.43150"},
      {"1.431", "1.4310"},
      {"123.45", "123.45"},
      {"123.456", "123.456"},
      {"81.12", "81.12"},
      {"81.123", "81.1230"},
      {"1234.5", "1234.50"},
      {"0.5", "0.5000"},
      {"10", "10.00"},
      {"abc", "abc"},
      {"", ""},
      {"-", "-"},
      {"x1.5", "x1.5"},
      {"1.2.3", "1.2000"},
      {"inf", "inf"},
      {"0.94000", "0.94000"},  // already normal: kept as it stands
      {"0.9400", "0.94000"},
      {"00.94000", "0.94000"},
      {"141.097", "141.097"},
      {"141.0970", "141.097"},
      {"012.3456", "12.3456"},
      {"12.34567", "12.3457"},
      {"-1.43150", "-1.43150"},
      {"1234567890123.456", "1234567890123.456"},
  };
  for (auto [price, normalised] : cases) {
    std::string text = price;
    NormalisePrice(text);
    EXPECT_EQ(text, normalised) << price;
  }
}

TEST(PipsBetween, FollowsTheDecimalsOfTheOpenPrice) {
  struct Case {
    const char* type;
    const char* open;
    const char* close;
    double pips;
  };
  const Case cases[] = {
      {"buy", "1.43150", "1.43250", 10},   {"sell", "1.4315", "1.4325", -10},
      {"buy", "123.456", "123.400", -5.6}, {"sell", "1.4315", "1.4315", 0},
      {"buy", "5.123", "5.124", 1},        {"buy", "2656.962", "2657.962", 100},
      {"balance", "1.2", "1.3", 1},        {"buy", "1,4315", "1,4325", 10},
      {"buy", "100", "101", 0.1},  // no point: all three characters count
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(PipsBetween(c.type, c.open, c.close), c.pips) << c.open << " " << c.close;
}

// A price's whole number is what "%lld" reads once its points and commas are
// taken out: signs after marks, marks between digits, and saturation.
TEST(PipsBetween, ReadsPricesAsTheirDigitsWithoutMarks) {
  auto literal = [](std::string text) {
    std::erase_if(text, [](char c) { return c == '.' || c == ','; });
    if (!text.empty() && text[0] == ' ') return 0.0;  // no blanks before the number
    return static_cast<double>(std::strtoll(text.c_str(), nullptr, 10));
  };
  const char* pieces[] = {"0", "7", "123", ".", ",", "-", "+", " ", "x", "99999999999"};
  std::mt19937 random(3);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 6);
  for (int n = 0; n < 20000; ++n) {
    std::string price;
    for (int k = length(random); k > 0; --k) price += pieces[pick(random)];
    // A buy from "0", whose single character counts as no decimals: the pips are the whole number.
    ASSERT_DOUBLE_EQ(PipsBetween("buy", "0", price), literal(price)) << price;
  }
}

// The short-text road of Contains against the library search, on both sides
// of its length limit, with empty parts and parts longer than the text.
TEST(Contains, AgreesWithTheLibrarySearch) {
  std::mt19937 random(9);
  std::uniform_int_distribution<int> letter(0, 2);
  std::uniform_int_distribution<int> length(0, 40);
  auto word = [&](int n) {
    std::string text;
    for (int k = 0; k < n; ++k) text += static_cast<char>('a' + letter(random));
    return text;
  };
  for (int n = 0; n < 20000; ++n) {
    const std::string text = word(length(random));
    const std::string part = word(length(random) / 8);
    ASSERT_EQ(Contains(text, part), text.find(part) != std::string::npos) << text << " " << part;
  }
}

TEST(CellDateTime, CountsDaysFromTheEpochWithTheTimeAsFraction) {
  EXPECT_DOUBLE_EQ(CellDateTime("1899.12.30", "00:00"), 0);
  EXPECT_DOUBLE_EQ(CellDateTime("2010.01.04", "00:00"), 40182);
  EXPECT_DOUBLE_EQ(CellDateTime("2010/01/04", "12:00"), 40182.5);
  EXPECT_DOUBLE_EQ(CellDateTime("2010.01.04", "06:00:59"), 40182.25);  // seconds ignored
  EXPECT_DOUBLE_EQ(CellDateTime("2000.02.29", "00:00"), 36585);
  EXPECT_DOUBLE_EQ(CellDateTime("", "10:00"), 0);
  EXPECT_DOUBLE_EQ(CellDateTime("2010.01.04", "0"), 0);
}

TEST(CellDateTime, AnInvalidMomentCountsAsMissing) {
  const std::pair<const char*, const char*> cells[] = {
      {"2010.13.04", "10:00"}, {"2010.00.04", "10:00"}, {"2010.02.30", "10:00"},
      {"2011.02.29", "10:00"}, {"2010.04.31", "10:00"}, {"2010.01.04", "24:00"},
      {"2010.01.04", "10:60"}, {"2010.01.04", "xx:00"}, {"2010.1.4", "10:00"},
      {"0000.01.01", "10:00"}, {"2010.01.04", "9:05"},
  };
  for (auto [date, time] : cells) {
    EXPECT_EQ(CellDateTime(date, time), 0) << date << " " << time;
    EXPECT_EQ(DurationMinutes(date, time, "2010.01.05", "10:00"), 0) << date << " " << time;
    EXPECT_EQ(TradeDuration("2010.01.03", "10:00", date, time, true), "") << date << " " << time;
  }
}

TEST(TradeDuration, WritesDaysAndHoursOrHoursAndMinutes) {
  struct Case {
    const char* closeDate;
    const char* closeTime;
    bool dayForm;
    const char* text;
    int minutes;
  };
  const Case cases[] = {
      {"2010.01.04", "12:00", true, "2:00", 120},
      {"2010.01.07", "15:30", true, "3d05", 3 * 1440 + 330},
      {"2010.01.07", "15:30", false, "77:30", 3 * 1440 + 330},
      {"2010.01.04", "10:00", true, "0:00", 0},
      {"2010.01.04", "10:45", false, "0:45", 45},
      {"2010.01.04", "09:00", true, "1:00", 60},  // a close before the open counts forward
      {"", "12:00", true, "", 0},
      {"0", "12:00", true, "", 0},
      {"2010.01.05", "11:05", true, "1d01", 1440 + 65},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TradeDuration("2010.01.04", "10:00", c.closeDate, c.closeTime, c.dayForm), c.text)
        << c.closeDate << " " << c.closeTime;
    EXPECT_EQ(DurationMinutes("2010.01.04", "10:00", c.closeDate, c.closeTime), c.minutes);
  }
}

TEST(DayOfWeek, CountsFromSunday) {
  EXPECT_EQ(DayOfWeek(2010, 1, 4), 1);
  EXPECT_EQ(DayOfWeek(2010, 1, 3), 0);
  EXPECT_EQ(DayOfWeek(2010, 1, 9), 6);
  EXPECT_EQ(DayOfWeek(2000, 2, 29), 2);
  EXPECT_EQ(DayOfWeek(2024, 12, 31), 2);
}

}  // namespace
}  // namespace quillfen
