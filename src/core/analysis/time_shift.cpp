#include "analysis/time_shift.h"

#include <charconv>
#include <cmath>

#include "text/number_format.h"

namespace quillfen {

std::optional<int> TimeShiftMinutes(std::string_view hoursText) {
  std::string_view text = hoursText;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  // Digits, one period and a leading minus only: no exponent, no "nan".
  const std::string_view digits = text.substr(!text.empty() && text.front() == '-');
  if (digits.empty() || digits.find_first_not_of("0123456789.") != std::string_view::npos ||
      digits.find('.') != digits.rfind('.') ||
      digits.find_first_of("0123456789") == std::string_view::npos)
    return std::nullopt;
  double hours = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), hours);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const double quarters = hours * 4;
  if (!(std::fabs(hours) <= kLargestTimeShiftMinutes / 60) ||
      std::fabs(quarters - std::round(quarters)) > 1e-9)
    return std::nullopt;
  return static_cast<int>(std::lround(quarters)) * 15;
}

std::string TimeShiftText(int minutes) {
  std::string text = FormatFixed(minutes / 60.0, 0, 2);
  // "-1.50" reads "-1.5", "2.00" reads "2".
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

}  // namespace quillfen
