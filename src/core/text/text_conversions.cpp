#include "text/text_conversions.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "text/number_format.h"

namespace quillfen {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsTrimmed(char c) {
  return IsSpace(c) || c == '_';
}
bool IsMissing(std::string_view cell) {
  return cell.empty() || cell == "0";
}

bool IsAmountCharacter(char c) {
  return IsDigit(c) || c == '-' || c == ' ' || c == '.' || c == ',';
}

// The leading whole number ("%lld", saturating) of the text with its points
// and commas taken out, read in place.
long long LeadingWholeWithoutMarks(std::string_view text) {
  std::size_t i = 0;
  auto skipMarks = [&] {
    while (i < text.size() && (text[i] == '.' || text[i] == ',')) ++i;
  };
  skipMarks();
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (skipMarks(); i < text.size() && IsDigit(text[i]); skipMarks()) {
    const int digit = text[i++] - '0';
    if (value > (LLONG_MAX - digit) / 10) return negative ? LLONG_MIN : LLONG_MAX;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

// Reads digits at text[from, from + count) as a number; nullopt when any is not a digit.
std::optional<int> FixedDigits(std::string_view text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 30 December 1899 to the given Gregorian date.
long long SerialDay(int year, int month, int day) {
  // Days from 1 March of year 0 in the proleptic calendar, shifted to the epoch.
  long long y = month <= 2 ? year - 1 : year;
  long long m = month <= 2 ? month + 9 : month - 3;
  long long era = y / 400;
  long long yearOfEra = y - era * 400;
  long long dayOfYear = (153 * m + 2) / 5 + day - 1;
  long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  constexpr long long kEpoch = 693899;  // 1899-12-30 in these units
  return era * 146097 + dayOfEra - kEpoch;
}

// A moment in whole minutes since the epoch, or nullopt when a cell is missing
// or its fields do not form a valid moment.
std::optional<long long> MomentMinutes(std::string_view date, std::string_view time) {
  if (IsMissing(date) || IsMissing(time)) return std::nullopt;
  auto year = FixedDigits(date, 0, 4);
  auto month = FixedDigits(date, 5, 2);
  auto day = FixedDigits(date, 8, 2);
  if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
      *day > DaysInMonth(*year, *month))
    return std::nullopt;
  std::size_t hourDigits = 0;
  while (hourDigits < time.size() && IsDigit(time[hourDigits])) ++hourDigits;
  if (hourDigits == 0 || hourDigits > 2) return std::nullopt;
  auto hours = FixedDigits(time, 0, hourDigits);
  auto minutes = FixedDigits(time, 3, 2);
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  return SerialDay(*year, *month, *day) * 1440 + *hours * 60 + *minutes;
}

std::optional<long long> DurationInMinutes(std::string_view openDate, std::string_view openTime,
                                           std::string_view closeDate, std::string_view closeTime) {
  auto open = MomentMinutes(openDate, openTime);
  auto close = MomentMinutes(closeDate, closeTime);
  if (!open || !close) return std::nullopt;
  return std::llabs(*close - *open);
}

// The form of the cells the program computes itself: leading blanks, an
// optional "-", at most 15 digits with one "." between them, trailing spaces.
// The digits as a whole number divided by an exact power of ten round once,
// so the value equals what the general path reads.
std::optional<double> PlainDecimal(std::string_view text) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && IsBlank(*p)) ++p;
  const bool negative = p < end && *p == '-';
  p += negative;
  std::uint64_t digits = 0;
  const char* const first = p;
  while (p < end && IsDigit(*p)) digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
  const long whole = p - first;
  long decimals = 0;
  if (p < end && *p == '.') {
    const char* const fraction = ++p;
    while (p < end && IsDigit(*p)) digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
    decimals = p - fraction;
    if (decimals == 0) return std::nullopt;
  }
  while (p < end && *p == ' ') ++p;
  if (p != end || whole == 0 || whole + decimals > 15) return std::nullopt;
  const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
  return negative ? -value : value;
}

}  // namespace

long long OrderNumber(std::string_view text) {
  long long value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

double TextToAmount(std::string_view text) {
  if (IsMissing(text)) return 0;
  if (auto plain = PlainDecimal(text)) return *plain;
  std::size_t first = 0;
  while (first < text.size() && !IsDigit(text[first])) ++first;
  if (first == text.size()) return 0;

  // Before the first digit: blanks and at most one sign.
  std::size_t p = 0;
  while (p < first && IsBlank(text[p])) ++p;
  bool negative = false;
  if (p < first && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
  if (p != first) return 0;

  bool hasComma = false;
  bool hasPoint = false;
  for (std::size_t i = first; i < text.size(); ++i) {
    if (!IsAmountCharacter(text[i]) || text[i] == '-') return 0;
    hasComma |= text[i] == ',';
    hasPoint |= text[i] == '.';
  }
  const bool dropCommas = hasComma && hasPoint;

  std::string number;
  if (negative) number.push_back('-');
  int separators = 0;
  bool trailingBlanks = false;
  for (std::size_t i = first; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ') {
      trailingBlanks = true;
      continue;
    }
    if (trailingBlanks) return 0;  // a blank between digits
    if (c == ',' && dropCommas) continue;
    if (c == ',' || c == '.') {
      ++separators;
      c = '.';
    }
    number.push_back(c);
  }
  if (separators > 1) return 0;
  double value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || end != number.data() + number.size()) return 0;
  return value;
}

int TextToWhole(std::string_view text) {
  if (IsMissing(text)) return 0;
  std::string_view whole = text.substr(0, text.find('.'));
  std::int64_t value = 0;
  bool negative = false;
  bool hasDigit = false;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    char c = whole[i];
    if (c == '-' && i == 0) {
      negative = true;
    } else if (IsDigit(c)) {
      hasDigit = true;
      value = value * 10 + (c - '0');
      if (value > std::int64_t{INT_MAX} + 1) return 0;
    } else {
      return 0;
    }
  }
  if (!hasDigit) return 0;
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return 0;
  return static_cast<int>(value);
}

std::int64_t TextToLongWhole(std::string_view text) {
  std::string_view whole = text.substr(0, text.find('.'));
  const bool negative = !whole.empty() && whole.front() == '-';
  if (negative) whole.remove_prefix(1);
  if (whole.empty() || !IsDigit(whole.front())) return 0;
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);
  if (error != std::errc() || end != whole.data() + whole.size()) return 0;
  constexpr std::uint64_t kLargest = std::numeric_limits<std::int64_t>::max();
  if (magnitude > kLargest + (negative ? 1 : 0)) return 0;
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

bool WordAt(std::string_view line, int n, std::string_view& word) {
  std::size_t i = 0;
  for (int k = 0;; ++k) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) {
      word = {};
      return false;
    }
    std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (k == n) {
      word = TrimmedView(line.substr(start, i - start));
      return true;
    }
  }
}

std::string_view TrimmedView(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsTrimmed(text[end - 1])) --end;
  std::size_t start = 0;
  while (start < end && IsTrimmed(text[start])) ++start;
  return text.substr(start, end - start);
}

void TrimCell(std::string& text) {
  std::string_view trimmed = TrimmedView(text);
  if (trimmed.size() == text.size()) return;
  std::size_t start = static_cast<std::size_t>(trimmed.data() - text.data());
  text.erase(start + trimmed.size());
  text.erase(0, start);
}

namespace {

// A replacement that shares no character with the search text can neither be
// part of a later occurrence nor join what stands on its two sides into one, so
// the occurrences are those of the original line, replaced in one sweep.
bool SeparatesOccurrences(std::string_view search, std::string_view replacement) {
  return !replacement.empty() && replacement.size() <= search.size() &&
         replacement.find_first_of(search) == std::string_view::npos;
}

void ReplaceEachOnce(std::string& line, std::size_t at, std::string_view search,
                     std::string_view replacement) {
  char* const text = line.data();
  std::size_t read = 0;
  std::size_t write = 0;
  for (; at != std::string::npos; at = line.find(search, read)) {
    std::memmove(text + write, text + read, at - read);
    write += at - read;
    std::memcpy(text + write, replacement.data(), replacement.size());
    write += replacement.size();
    read = at + search.size();
  }
  std::memmove(text + write, text + read, line.size() - read);
  line.resize(write + line.size() - read);
}

}  // namespace

void ReplaceAll(std::string& line, std::string_view search, std::string_view replacement) {
  const std::size_t first = search.empty() ? std::string::npos : line.find(search);
  if (first == std::string::npos) return;
  if (SeparatesOccurrences(search, replacement))
    return ReplaceEachOnce(line, first, search, replacement);
  // Re-searching from the start after each replacement finds the first occurrence
  // that ends earliest; building the result left to right and testing its tail
  // after each character gives the same text in one pass. A replacement no
  // longer than the search text never lets the result overtake the reading, so
  // the result is built in the line itself.
  const bool inPlace = replacement.size() <= search.size();
  std::string separate;
  if (!inPlace) separate.resize(line.size() + line.size() / search.size() * replacement.size());
  char* out = inPlace ? line.data() : separate.data();
  std::size_t length = 0;
  auto push = [&](char c) {
    out[length++] = c;
    // The last character alone turns most positions away before the full compare.
    if (c != search.back() || length < search.size() ||
        std::string_view(out + length - search.size(), search.size()) != search)
      return false;
    length -= search.size();
    return true;
  };
  // The replacement never contains the search text, but with what precedes it
  // it may complete another occurrence, whose replacement goes in next: the
  // replacements under way are kept as positions in the replacement text.
  std::vector<std::size_t> underWay;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (push(line[i])) underWay.push_back(0);
    while (!underWay.empty()) {
      std::size_t& next = underWay.back();
      if (next == replacement.size()) {
        underWay.pop_back();
      } else if (push(replacement[next++])) {
        underWay.push_back(0);
      }
    }
  }
  if (inPlace) {
    line.resize(length);
  } else {
    separate.resize(length);
    line.swap(separate);
  }
}

bool HasDateAfterFirstWord(std::string_view line) {
  std::size_t space = line.find(' ');
  if (space == std::string_view::npos) return false;
  std::size_t digit = space + 1;
  while (digit < line.size() && !IsDigit(line[digit])) ++digit;
  if (digit + 7 >= line.size()) return false;
  char a = line[digit + 4];
  char b = line[digit + 7];
  return (a == '.' && b == '.') || (a == '/' && b == '/');
}

namespace {

// The decimals a price of this value and text length is written with.
int PriceDecimals(double x, std::size_t length) {
  if (x >= 100) return length < 7 ? 2 : 3;
  if (x >= 10) return length < 6 ? 2 : 4;
  return length < 6 ? 4 : 5;
}

// A plain price ("0.94000", "141.097") that already has its decimals reads
// back as the same text; most prices of a statement are such.
bool AlreadyNormal(std::string_view price) {
  const std::size_t point = price.find('.');
  if (point == std::string_view::npos || point == 0 || price.size() > 16) return false;
  if (price[0] == '0' && point != 1) return false;
  for (std::size_t i = 0; i < price.size(); ++i)
    if (i != point && !IsDigit(price[i])) return false;
  const double magnitude = point >= 3 ? 100 : point == 2 ? 10 : 0;
  return price.size() - point - 1 ==
         static_cast<std::size_t>(PriceDecimals(magnitude, price.size()));
}

}  // namespace

void NormalisePrice(std::string& price) {
  if (AlreadyNormal(price)) return;
  std::size_t i = price.size() > 0 && price[0] == '-' ? 1 : 0;
  bool beginsWithNumber =
      i < price.size() &&
      (IsDigit(price[i]) || (price[i] == '.' && i + 1 < price.size() && IsDigit(price[i + 1])));
  if (!beginsWithNumber) return;
  double x = 0;
  auto [end, ec] = std::from_chars(price.data(), price.data() + price.size(), x);
  if (ec != std::errc() || !std::isfinite(x)) return;
  price = FormatFixed(x, 0, PriceDecimals(x, price.size()));
}

double PipsBetween(std::string_view type, std::string_view openPrice, std::string_view closePrice) {
  auto digitsOnly = [](std::string_view text) {
    return static_cast<double>(LeadingWholeWithoutMarks(text));
  };
  double open = digitsOnly(openPrice);
  double close = digitsOnly(closePrice);
  double pips = !type.empty() && type[0] == 'b' ? close - open : open - close;
  std::size_t point = openPrice.rfind('.');
  std::size_t decimals =
      point == std::string_view::npos ? openPrice.size() : openPrice.size() - point - 1;
  if (decimals == 5 || (decimals == 3 && TextToAmount(openPrice) >= 10)) pips /= 10;
  return pips;
}

long long CellMinutes(std::string_view date, std::string_view time) {
  return MomentMinutes(date, time).value_or(0);
}

double CellDateTime(std::string_view date, std::string_view time) {
  auto minutes = MomentMinutes(date, time);
  if (!minutes) return 0;
  long long days = *minutes >= 0 ? *minutes / 1440 : -((-*minutes + 1439) / 1440);
  long long ofDay = *minutes - days * 1440;
  return static_cast<double>(days) + static_cast<double>(ofDay) / 1440.0;
}

std::string TradeDuration(std::string_view openDate, std::string_view openTime,
                          std::string_view closeDate, std::string_view closeTime, bool dayForm) {
  auto minutes = DurationInMinutes(openDate, openTime, closeDate, closeTime);
  if (!minutes) return {};
  long long days = *minutes / 1440;
  long long rest = *minutes % 1440;
  long long hours = rest / 60;
  long long mins = rest % 60;
  // "%dd%02d" of days and hours, or "%d:%02d" of hours and minutes.
  const bool dayText = days > 0 && dayForm;
  char buffer[32];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, dayText ? days : days * 24 + hours).ptr;
  *end++ = dayText ? 'd' : ':';
  const long long second = dayText ? hours : mins;
  *end++ = static_cast<char>('0' + second / 10);
  *end++ = static_cast<char>('0' + second % 10);
  return std::string(buffer, end);
}

int DurationMinutes(std::string_view openDate, std::string_view openTime,
                    std::string_view closeDate, std::string_view closeTime) {
  auto minutes = DurationInMinutes(openDate, openTime, closeDate, closeTime);
  if (!minutes) return 0;
  return *minutes > INT_MAX ? INT_MAX : static_cast<int>(*minutes);
}

int DayOfWeek(int year, int month, int day) {
  int a = (14 - month) / 12;
  int y = year - a;
  int m = month + 12 * a - 2;
  int d = day + y + y / 4 - y / 100 + y / 400 + (31 * m) / 12;
  return ((d - 1) % 7 + 1) % 7;
}

}  // namespace quillfen
