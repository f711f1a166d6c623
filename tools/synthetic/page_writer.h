#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "synthetic/calendar.h"

namespace quillfen::synthetic {

// Money from cents with 2 or 0 decimals (accounts in yen print none); a blank
// between thousands when `grouped`.
void AppendMoney(std::string& out, long long cents, bool grouped, int decimals);

// Buffered output of one HTML page with the terminal's number and date forms.
// Page lines end in CR LF; table rows may end in a bare LF, as the terminal
// writes the rows of an account statement.
class PageWriter {
 public:
  PageWriter(std::FILE* out, bool bareLfRows, int moneyDecimals);
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;
  ~PageWriter();

  PageWriter& operator<<(std::string_view text);
  PageWriter& operator<<(char c);
  // Whole numbers, used for tickets, order numbers and counts.
  void Whole(long long value);
  // A price of `digits` decimals from whole points: 110234 with 5 digits is 1.10234.
  void Price(long long points, int digits);
  // Money from cents; a blank between thousands when `grouped` (statements do,
  // tester reports do not).
  void Money(long long cents, bool grouped);
  // 2 decimals always, as lot sizes and percentages are printed.
  void Hundredths(long long hundredths);
  // yyyy.mm.dd hh:mm, with :ss when `seconds`.
  void DateTime(Moment moment, bool seconds);
  // hh:mm, with :ss when `seconds`.
  void Clock(Moment moment, bool seconds);
  void EndLine();
  void EndRow();

  int MoneyDecimals() const { return moneyDecimals_; }

  // The page goes out as UTF-16LE behind a byte-order mark, as the MetaTrader 5
  // terminal writes its reports; called before anything is written.
  void EncodeUtf16Le() { utf16Le_ = true; }

  // Writes what is buffered; false when the output failed at any point.
  bool Finish();

 private:
  void FlushIfFull();
  void Flush();
  void Digits(unsigned long long value, int minimumWidth);

  std::FILE* out_;
  std::string buffer_;
  bool bareLfRows_;
  int moneyDecimals_;
  bool failed_ = false;
  bool utf16Le_ = false;
  bool started_ = false;
  std::u16string wide_;
  std::string wideBytes_;
};

}  // namespace quillfen::synthetic
