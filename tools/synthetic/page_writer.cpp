#include "synthetic/page_writer.h"

#include <unicode/ustring.h>

#include <charconv>

namespace quillfen::synthetic {

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

}  // namespace

void AppendMoney(std::string& out, long long cents, bool grouped, int decimals) {
  const bool negative = cents < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(cents) : cents;
  if (decimals == 0) magnitude = (magnitude + 50) / 100 * 100;
  if (negative && magnitude != 0) out.push_back('-');
  char text[24];
  const auto end = std::to_chars(text, text + sizeof text, magnitude / 100).ptr;
  const int length = static_cast<int>(end - text);
  for (int i = 0; i < length; ++i) {
    if (grouped && i > 0 && (length - i) % 3 == 0) out.push_back(' ');
    out.push_back(text[i]);
  }
  if (decimals > 0) {
    const unsigned rest = static_cast<unsigned>(magnitude % 100);
    out.push_back('.');
    out.push_back(static_cast<char>('0' + rest / 10));
    out.push_back(static_cast<char>('0' + rest % 10));
  }
}

PageWriter::PageWriter(std::FILE* out, bool bareLfRows, int moneyDecimals)
    : out_(out), bareLfRows_(bareLfRows), moneyDecimals_(moneyDecimals) {
  buffer_.reserve(kFlushSize + 4096);
}

PageWriter::~PageWriter() {
  Finish();
}

PageWriter& PageWriter::operator<<(std::string_view text) {
  buffer_.append(text);
  FlushIfFull();
  return *this;
}

PageWriter& PageWriter::operator<<(char c) {
  buffer_.push_back(c);
  return *this;
}

void PageWriter::Digits(unsigned long long value, int minimumWidth) {
  char text[24];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  for (int width = static_cast<int>(end - text); width < minimumWidth; ++width) {
    buffer_.push_back('0');
  }
  buffer_.append(text, end);
}

void PageWriter::Whole(long long value) {
  if (value < 0) buffer_.push_back('-');
  Digits(value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value, 1);
}

void PageWriter::Price(long long points, int digits) {
  if (points < 0) buffer_.push_back('-');
  unsigned long long magnitude =
      points < 0 ? 0ULL - static_cast<unsigned long long>(points) : points;
  unsigned long long scale = 1;
  for (int i = 0; i < digits; ++i) scale *= 10;
  Digits(magnitude / scale, 1);
  if (digits > 0) {
    buffer_.push_back('.');
    Digits(magnitude % scale, digits);
  }
}

void PageWriter::Money(long long cents, bool grouped) {
  AppendMoney(buffer_, cents, grouped, moneyDecimals_);
}

void PageWriter::Hundredths(long long hundredths) {
  if (hundredths < 0) buffer_.push_back('-');
  const unsigned long long magnitude =
      hundredths < 0 ? 0ULL - static_cast<unsigned long long>(hundredths) : hundredths;
  Digits(magnitude / 100, 1);
  buffer_.push_back('.');
  Digits(magnitude % 100, 2);
}

void PageWriter::DateTime(Moment moment, bool seconds) {
  const CivilDate date = DateOf(moment);
  Digits(date.year, 4);
  buffer_.push_back('.');
  Digits(date.month, 2);
  buffer_.push_back('.');
  Digits(date.day, 2);
  buffer_.push_back(' ');
  Clock(moment, seconds);
}

void PageWriter::Clock(Moment moment, bool seconds) {
  long long inDay = moment % kDay;
  if (inDay < 0) inDay += kDay;
  Digits(inDay / kHour, 2);
  buffer_.push_back(':');
  Digits(inDay % kHour / kMinute, 2);
  if (seconds) {
    buffer_.push_back(':');
    Digits(inDay % kMinute, 2);
  }
}

void PageWriter::EndLine() {
  buffer_.append("\r\n");
  FlushIfFull();
}

void PageWriter::EndRow() {
  if (bareLfRows_) {
    buffer_.push_back('\n');
    FlushIfFull();
  } else {
    EndLine();
  }
}

void PageWriter::FlushIfFull() {
  if (buffer_.size() >= kFlushSize) Flush();
}

// The buffer ends after a whole text appended, so never inside a character.
void PageWriter::Flush() {
  std::string_view bytes = buffer_;
  if (utf16Le_) {
    wide_.resize(buffer_.size());
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(wide_.data(), static_cast<int32_t>(wide_.size()), &length, buffer_.data(),
                         static_cast<int32_t>(buffer_.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) failed_ = true;
    wideBytes_.clear();
    if (!started_) wideBytes_ = "\xFF\xFE";
    for (int32_t i = 0; U_SUCCESS(status) && i < length; ++i) {
      wideBytes_.push_back(static_cast<char>(wide_[i] & 0xFF));
      wideBytes_.push_back(static_cast<char>(wide_[i] >> 8));
    }
    bytes = wideBytes_;
  }
  started_ = true;
  if (std::fwrite(bytes.data(), 1, bytes.size(), out_) != bytes.size()) failed_ = true;
  buffer_.clear();
}

bool PageWriter::Finish() {
  if (!buffer_.empty() || (utf16Le_ && !started_)) Flush();
  if (std::fflush(out_) != 0) failed_ = true;
  return !failed_;
}

}  // namespace quillfen::synthetic
