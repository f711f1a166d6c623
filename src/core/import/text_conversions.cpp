// Provisional: the subset the exports and charts call, until the import work lands.
#include "import/text_conversions.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <string>

namespace quillfen {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int NumberAt(std::string_view text, std::size_t first, std::size_t count) {
  int value = 0;
  for (std::size_t i = first; i < first + count && i < text.size() && IsDigit(text[i]); ++i)
    value = value * 10 + (text[i] - '0');
  return value;
}

bool Missing(std::string_view text) {
  return text.empty() || text == "0";
}

bool ValidMinutes(std::string_view date, std::string_view time, long long& minutes) {
  int year = NumberAt(date, 0, 4), month = NumberAt(date, 5, 2), day = NumberAt(date, 8, 2);
  std::size_t hourDigits = 0;
  while (hourDigits < time.size() && IsDigit(time[hourDigits])) ++hourDigits;
  int hour = NumberAt(time, 0, hourDigits), minute = NumberAt(time, 3, 2);
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59) return false;
  // Days from the civil calendar (Howard Hinnant's algorithm).
  int y = year - (month <= 2);
  int era = (y >= 0 ? y : y - 399) / 400;
  int yoe = y - era * 400;
  int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  long long days = era * 146097LL + yoe * 365 + yoe / 4 - yoe / 100 + doy;
  minutes = days * 1440 + hour * 60 + minute;
  return true;
}

}  // namespace

double TextToAmount(std::string_view text) {
  if (Missing(text)) return 0;
  std::size_t first = 0;
  while (first < text.size() && !IsDigit(text[first])) ++first;
  if (first == text.size()) return 0;
  const std::string_view allowed = "-0123456789 .,";
  bool comma = false, point = false;
  for (std::size_t i = first; i < text.size() && allowed.find(text[i]) != std::string_view::npos;
       ++i) {
    comma |= text[i] == ',';
    point |= text[i] == '.';
  }
  std::string number;
  for (std::size_t i = 0; i < first; ++i) {
    if (text[i] == '-' || text[i] == '+')
      number += text[i];
    else if (text[i] != ' ')
      return 0;
  }
  int separators = 0;
  for (std::size_t i = first; i < text.size(); ++i) {
    char c = text[i];
    if (allowed.find(c) == std::string_view::npos || c == '-' || c == ' ') return 0;
    if (c == ',' && comma && point) continue;
    if (c == ',' || c == '.') {
      ++separators;
      c = '.';
    }
    number += c;
  }
  if (separators > 1 || (number.size() > 1 && number[0] == '-' && number[1] == '-')) return 0;
  return std::strtod(number.c_str(), nullptr);
}

int TextToWhole(std::string_view text) {
  if (Missing(text)) return 0;
  std::string_view whole = text.substr(0, text.find('.'));
  int value = 0;
  auto [end, ec] = std::from_chars(whole.data(), whole.data() + whole.size(), value);
  return ec == std::errc() && end == whole.data() + whole.size() ? value : 0;
}

int DurationMinutes(std::string_view openDate, std::string_view openTime,
                    std::string_view closeDate, std::string_view closeTime) {
  long long open = 0, close = 0;
  if (Missing(openDate) || Missing(openTime) || Missing(closeDate) || Missing(closeTime) ||
      !ValidMinutes(openDate, openTime, open) || !ValidMinutes(closeDate, closeTime, close))
    return 0;
  return static_cast<int>(std::llabs(close - open));
}

std::string TradeDuration(std::string_view openDate, std::string_view openTime,
                          std::string_view closeDate, std::string_view closeTime, bool dayForm) {
  long long open = 0, close = 0;
  if (Missing(openDate) || Missing(openTime) || Missing(closeDate) || Missing(closeTime) ||
      !ValidMinutes(openDate, openTime, open) || !ValidMinutes(closeDate, closeTime, close))
    return "";
  long long minutes = std::llabs(close - open);
  long long days = minutes / 1440, rest = minutes % 1440;
  char buffer[64];
  if (days > 0 && dayForm)
    std::snprintf(buffer, sizeof buffer, "%lldd%02lld", days, rest / 60);
  else
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld", days * 24 + rest / 60, rest % 60);
  return buffer;
}

int DayOfWeek(int year, int month, int day) {
  int a = (14 - month) / 12;
  int y = year - a;
  int m = month + 12 * a - 2;
  int d = day + y + y / 4 - y / 100 + y / 400 + (31 * m) / 12;
  return ((d - 1) % 7 + 1) % 7;
}

}  // namespace quillfen
