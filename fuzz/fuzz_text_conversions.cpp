// Feeds arbitrary texts to the text conversions and checks the properties every
// caller relies on. Input: up to six fields separated by line feeds.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_conversions.h"

namespace {

using namespace quillfen;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

bool IsTrimmed(std::string_view text) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '_';
  };
  return text.empty() || (!blank(text.front()) && !blank(text.back()));
}

void Words(std::string_view line) {
  for (int n = 0; n < 8; ++n) {
    std::string_view word;
    if (!WordAt(line, n, word)) break;
    Require(word.find_first_of(" \t") == std::string_view::npos, "a word holds no blank");
    Require(IsTrimmed(word), "a word is trimmed");
    Require(word.empty() || (word.data() >= line.data() &&
                             word.data() + word.size() <= line.data() + line.size()),
            "a word points into its line");
  }
  std::string cell(line);
  TrimCell(cell);
  Require(IsTrimmed(cell), "TrimCell trims");
  Require(TrimmedView(line) == cell, "TrimmedView agrees with TrimCell");
}

void Replacements(std::string_view line) {
  static constexpr std::string_view pairs[][2] = {{"<!-- -", ""},
                                                  {"--", ""},
                                                  {"<BR>", ""},
                                                  {"&nbsp;", " "},
                                                  {"swap open", "swap-open"},
                                                  {"buy stop", "buy_stop"}};
  for (const auto& [search, replacement] : pairs) {
    std::string text(line);
    ReplaceAll(text, search, replacement);
    Require(text.find(search) == std::string::npos, "ReplaceAll leaves no occurrence");
  }
}

void Numbers(std::string_view a, std::string_view b, std::string_view c) {
  Require(!std::isnan(TextToAmount(a)), "TextToAmount is a number");
  TextToWhole(a);
  HasDateAfterFirstWord(a);
  std::string price(a);
  NormalisePrice(price);
  const double up = PipsBetween("buy", b, c);
  const double down = PipsBetween("sell", b, c);
  if (std::isfinite(up) && std::isfinite(down)) Require(up == -down, "buy and sell pips mirror");
}

void Durations(std::string_view openDate, std::string_view openTime, std::string_view closeDate,
               std::string_view closeTime) {
  CellDateTime(openDate, openTime);
  const int minutes = DurationMinutes(openDate, openTime, closeDate, closeTime);
  Require(minutes >= 0, "durations are never negative");
  const std::string hours = TradeDuration(openDate, openTime, closeDate, closeTime, false);
  TradeDuration(openDate, openTime, closeDate, closeTime, true);
  // Durations past the int range (dates thousands of years apart) are clamped.
  if (minutes > 0 && minutes < std::numeric_limits<int>::max()) {
    char expected[32];
    std::snprintf(expected, sizeof expected, "%d:%02d", minutes / 60, minutes % 60);
    Require(hours == expected, "TradeDuration agrees with DurationMinutes");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (fields.size() < 6) {
    const std::size_t end = input.find('\n', start);
    fields.push_back(input.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  fields.resize(6);
  for (std::string_view field : fields) {
    Words(field);
    Replacements(field);
  }
  Numbers(fields[0], fields[1], fields[2]);
  Durations(fields[2], fields[3], fields[4], fields[5]);
  if (size >= 3) {
    const int year = 1 + data[0] * 40;
    const int day = DayOfWeek(year, 1 + data[1] % 12, 1 + data[2] % 31);
    Require(day >= 0 && day <= 6, "DayOfWeek gives 0 to 6");
  }
  return 0;
}
