#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillfen {

// Tolerant conversions of the texts that statements and users produce. Anything
// unusable gives 0 or an empty text; nothing here fails.

// An ASCII digit, whatever the locale and code page.
inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// An order or ticket number as "%lld" reads it: 0 when the text does not begin with one.
long long OrderNumber(std::string_view text);

double TextToAmount(std::string_view text);
int TextToWhole(std::string_view text);
// The same over the 64-bit range: magic numbers outgrow 32 bits.
std::int64_t TextToLongWhole(std::string_view text);

// Word n (from 0) of a line, words being runs of characters other than space
// and tab, trimmed like TrimCell. The view points into the line.
bool WordAt(std::string_view line, int n, std::string_view& word);

void TrimCell(std::string& text);
std::string_view TrimmedView(std::string_view text);
// Whether part occurs in text. Words and type names are short: there a
// comparison at each place is quicker than setting up a library search.
inline bool Contains(std::string_view text, std::string_view part) {
  constexpr std::size_t kShort = 32;
  if (text.size() > kShort || part.empty()) return text.find(part) != std::string_view::npos;
  for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < part.size() && text[i + k] == part[k]) ++k;
    if (k == part.size()) return true;
  }
  return false;
}
void ReplaceAll(std::string& line, std::string_view search, std::string_view replacement);
bool HasDateAfterFirstWord(std::string_view line);
void NormalisePrice(std::string& price);
double PipsBetween(std::string_view type, std::string_view openPrice, std::string_view closePrice);

// Day count from 30 December 1899 with the time of day as fraction; 0 when a
// cell is missing ("" or "0") or does not form a valid moment.
double CellDateTime(std::string_view date, std::string_view time);
// The same moment in whole minutes from that day 0; 0 when it cannot be read.
long long CellMinutes(std::string_view date, std::string_view time);
std::string TradeDuration(std::string_view openDate, std::string_view openTime,
                          std::string_view closeDate, std::string_view closeTime, bool dayForm);
int DurationMinutes(std::string_view openDate, std::string_view openTime,
                    std::string_view closeDate, std::string_view closeTime);
int DayOfWeek(int year, int month, int day);

}  // namespace quillfen
