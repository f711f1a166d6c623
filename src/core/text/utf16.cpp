#include "text/utf16.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace quillfen {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(const char* name) {
  UErrorCode error = U_ZERO_ERROR;
  Converter converter(ucnv_open(name, &error));
  if (U_FAILURE(error)) converter.reset();
  return converter;
}

}  // namespace

Utf16Order DetectUtf16(std::string_view head) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[i]); };
  if (head.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) return Utf16Order::littleEndian;
  if (head.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) return Utf16Order::bigEndian;
  // A page starts with markup: in UTF-16 at least half its first pairs are
  // ASCII, a zero and a character. A stray zero in an 8-bit page does not
  // make that many, nor zeros on both sides.
  constexpr std::size_t kPairs = 512;
  std::size_t zeroSecond = 0;
  std::size_t zeroFirst = 0;
  std::size_t pairs = 0;
  for (std::size_t i = 0; i + 1 < head.size() && pairs < kPairs; i += 2, ++pairs) {
    zeroSecond += byte(i) != 0 && byte(i + 1) == 0;
    zeroFirst += byte(i) == 0 && byte(i + 1) != 0;
  }
  if (pairs == 0) return Utf16Order::none;
  if (zeroSecond * 2 >= pairs && zeroFirst == 0) return Utf16Order::littleEndian;
  if (zeroFirst * 2 >= pairs && zeroSecond == 0) return Utf16Order::bigEndian;
  return Utf16Order::none;
}

Utf16Transcoding TranscodeUtf16(std::FILE* in, std::FILE* out, Utf16Order order, long long limit) {
  Converter source = OpenConverter(order == Utf16Order::bigEndian ? "UTF-16BE" : "UTF-16LE");
  Converter target = OpenConverter("UTF-8");
  if (!source || !target) return Utf16Transcoding::failed;
  constexpr std::size_t kBlock = 1 << 16;
  std::vector<char> bytes(kBlock);
  std::vector<char> text(kBlock * 2);
  std::vector<UChar> pivot(kBlock);
  UChar* pivotSource = pivot.data();
  UChar* pivotTarget = pivot.data();
  bool first = true;
  long long taken = 0;
  bool end = false;
  while (!end) {
    std::size_t want = kBlock;
    if (limit > 0) want = static_cast<std::size_t>(std::min<long long>(limit - taken, kBlock));
    std::size_t got = want > 0 ? std::fread(bytes.data(), 1, want, in) : 0;
    taken += static_cast<long long>(got);
    end = got < kBlock || (limit > 0 && taken >= limit);
    if (std::ferror(in)) return Utf16Transcoding::failed;
    if (end && got % 2 != 0) --got;  // a last byte alone is half a unit
    const char* from = bytes.data();
    // The mark only says the order; it is no character of the page.
    if (first && got >= 2) {
      const auto b0 = static_cast<unsigned char>(bytes[0]);
      const auto b1 = static_cast<unsigned char>(bytes[1]);
      if ((order == Utf16Order::littleEndian && b0 == 0xFF && b1 == 0xFE) ||
          (order == Utf16Order::bigEndian && b0 == 0xFE && b1 == 0xFF))
        from += 2;
    }
    first = false;
    const char* fromEnd = bytes.data() + got;
    UErrorCode error = U_ZERO_ERROR;
    do {
      error = U_ZERO_ERROR;
      char* to = text.data();
      ucnv_convertEx(target.get(), source.get(), &to, text.data() + text.size(), &from, fromEnd,
                     pivot.data(), &pivotSource, &pivotTarget, pivot.data() + pivot.size(), false,
                     end, &error);
      const auto written = static_cast<std::size_t>(to - text.data());
      if (written > 0 && std::fwrite(text.data(), 1, written, out) != written)
        return Utf16Transcoding::failed;
    } while (error == U_BUFFER_OVERFLOW_ERROR);
    if (U_FAILURE(error)) return Utf16Transcoding::failed;
  }
  return std::fflush(out) == 0 ? Utf16Transcoding::complete : Utf16Transcoding::failed;
}

}  // namespace quillfen
