#include "import/report_shape.h"

#include <charconv>
#include <cmath>

#include "text/text_conversions.h"

namespace quillfen {

namespace {

bool AllDigits(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word)
    if (!IsDigit(c)) return false;
  return true;
}

}  // namespace

// "2010.01.04" or "2010/01/04".
bool IsDate(std::string_view word) {
  if (word.size() != 10) return false;
  const char a = word[4];
  if ((a != '.' && a != '/') || word[7] != a) return false;
  return AllDigits(word.substr(0, 4)) && AllDigits(word.substr(5, 2)) &&
         AllDigits(word.substr(8, 2));
}

// "10:00" or "10:00:00".
bool IsTime(std::string_view word) {
  if (word.size() != 5 && word.size() != 8) return false;
  if (word[2] != ':' || (word.size() == 8 && word[5] != ':')) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (i % 3 != 2 && !IsDigit(word[i])) return false;
  return true;
}

// A number and nothing else: optional sign, digits, optional decimals.
bool IsNumber(std::string_view word) {
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
  const std::size_t point = word.find('.');
  if (point == std::string_view::npos) return AllDigits(word);
  return AllDigits(word.substr(0, point)) &&
         (point + 1 == word.size() || AllDigits(word.substr(point + 1)));
}

namespace {

// An amount as the terminal prints money: "-797.76", "10000.00".
bool IsMoney(std::string_view word) {
  if (!word.empty() && word[0] == '-') word.remove_prefix(1);
  const std::size_t point = word.find('.');
  return point != std::string_view::npos && point > 0 && point + 3 == word.size() &&
         AllDigits(word.substr(0, point)) && AllDigits(word.substr(point + 1));
}

double NumberOf(std::string_view word) {
  if (!word.empty() && word[0] == '+') word.remove_prefix(1);
  double value = 0;
  std::from_chars(word.data(), word.data() + word.size(), value);
  return value;
}

// Whether the line holds a date anywhere, as the settings' period does.
bool HasDate(std::string_view line) {
  for (std::size_t at = 0; at + 10 <= line.size(); ++at)
    if (IsDigit(line[at]) && IsDate(line.substr(at, 10))) return true;
  return false;
}

// The symbol of the settings table's first row, "label EURUSD (Euro vs US
// Dollar)" whatever words the label has: the word before the description in
// brackets, or the last word of a row without one.
std::string SymbolOfSettingsRow(std::string_view line) {
  const StatementWords words(line);
  for (int n = 1; words.Has(n); ++n)
    if (words[n].starts_with('(')) return std::string(words[n - 1]);
  int last = 0;
  while (words.Has(last + 1)) ++last;
  return last > 0 ? std::string(words[last]) : std::string();
}

}  // namespace

bool IsOrderRowShape(const StatementWords& words) {
  return words.Has(3) && AllDigits(words[0]) && IsDate(words[1]) && IsTime(words[2]) &&
         !IsNumber(words[3]);
}

bool IsNumbersLine(const StatementWords& words, int count) {
  if (!words.Has(count - 1)) return false;
  for (int n = 0; words.Has(n); ++n)
    if (!IsNumber(words[n])) return false;
  return true;
}

bool HasTaxesColumn(const StatementWords& words) {
  return IsDate(words[9]) ? words.Has(15) : words.Has(13);
}

TicketTitle SplitTicketTitle(std::string_view title) {
  auto trimmed = [](std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
  };
  TicketTitle split;
  std::size_t digits = 0;
  if (title.starts_with('#')) {
    while (1 + digits < title.size() && IsDigit(title[1 + digits])) ++digits;
    if (digits > 0 && 1 + digits < title.size() && title[1 + digits] != ' ') digits = 0;
  }
  if (digits == 0) {
    split.comment = trimmed(title);
    return split;
  }
  const std::string_view magic = title.substr(1, digits);
  if (magic.find_first_not_of('0') != std::string_view::npos) split.magic = magic;
  split.comment = trimmed(title.substr(1 + digits));
  return split;
}

void TesterHeaderShape::Watch(std::string_view line) {
  if (!settingsSeen_) {
    if (HasDate(line)) {
      settingsSeen_ = true;
      symbol_ = SymbolOfSettingsRow(previous_);
    } else {
      previous_.assign(line);
    }
    return;
  }
  if (hasDeposit_) return;
  const StatementWords words(line);
  for (int n = 0; words.Has(n); ++n) {
    if (IsMoney(words[n])) {
      hasDeposit_ = true;
      deposit_ = NumberOf(words[n]);
      return;
    }
  }
}

bool DepositBeforeClosingRow(const StatementWords& words, double& deposit) {
  if (!words.Has(10) || !IsNumber(words[9]) || !IsNumber(words[10])) return false;
  const double cents = std::round((NumberOf(words[10]) - NumberOf(words[9])) * 100);
  if (!std::isfinite(cents)) return false;
  deposit = cents / 100;
  return true;
}

}  // namespace quillfen
