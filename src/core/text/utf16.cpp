#include "text/utf16.h"

#include <sys/types.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillfen {

namespace {

constexpr std::size_t kBlock = 1 << 16;

// A run of so many ASCII units is worth leaving ICU for.
constexpr std::size_t kAsciiRun = 8;

unsigned UnitAt(const char* from, std::size_t n, bool bigEndian) {
  const auto first = static_cast<unsigned char>(from[2 * n]);
  const auto second = static_cast<unsigned char>(from[2 * n + 1]);
  return bigEndian ? (first << 8) | second : (second << 8) | first;
}

// Writes the leading ASCII units of `units` units at from to `to`, a byte
// each, sixteen at a time where the processor allows; gives their number.
std::size_t NarrowAscii(const char* from, std::size_t units, bool bigEndian, char* to) {
  std::size_t n = 0;
#if defined(__SSE2__)
  const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
  auto load = [&](std::size_t at) {
    const __m128i pair = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 2 * at));
    return bigEndian ? _mm_or_si128(_mm_slli_epi16(pair, 8), _mm_srli_epi16(pair, 8)) : pair;
  };
  for (; n + 16 <= units; n += 16) {
    const __m128i low = load(n);
    const __m128i high = load(n + 8);
    const __m128i ascii =
        _mm_cmpeq_epi16(_mm_and_si128(_mm_or_si128(low, high), notAscii), _mm_setzero_si128());
    if (_mm_movemask_epi8(ascii) != 0xFFFF) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + n), _mm_packus_epi16(low, high));
  }
#endif
  for (; n < units; ++n) {
    const unsigned unit = UnitAt(from, n, bigEndian);
    if (unit >= 0x80) break;
    to[n] = static_cast<char>(unit);
  }
  return n;
}

// Where, after the first unit, a run of kAsciiRun ASCII units starts; end when none does.
const char* NextAsciiRun(const char* from, const char* end, bool bigEndian) {
  const auto units = static_cast<std::size_t>(end - from) / 2;
  std::size_t run = 0;
  for (std::size_t n = 1; n < units; ++n) {
    run = UnitAt(from, n, bigEndian) < 0x80 ? run + 1 : 0;
    if (run == kAsciiRun) return from + 2 * (n + 1 - kAsciiRun);
  }
  return end;
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

void Utf16Decoder::ConverterCloser::operator()(UConverter* converter) const {
  ucnv_close(converter);
}

Utf16Decoder::Utf16Decoder(Utf16Order order, bool quickPath)
    : order_(order), quickPath_(quickPath), pivot_(kBlock) {
  auto open = [](const char* name) {
    UErrorCode error = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &error));
    if (U_FAILURE(error)) converter.reset();
    return converter;
  };
  source_ = open(order == Utf16Order::bigEndian ? "UTF-16BE" : "UTF-16LE");
  target_ = open("UTF-8");
  Reset();
}

void Utf16Decoder::Reset() {
  if (source_) ucnv_reset(source_.get());
  if (target_) ucnv_reset(target_.get());
  pivotSource_ = pivotTarget_ = pivot_.data();
  atStart_ = true;
  oddSoFar_ = false;
}

// Whether ICU holds part of a character: then the next units are its too.
bool Utf16Decoder::Pending() const {
  UErrorCode error = U_ZERO_ERROR;
  const bool source = ucnv_toUCountPending(source_.get(), &error) != 0;
  const bool target = ucnv_fromUCountPending(target_.get(), &error) != 0;
  return source || target || pivotSource_ != pivotTarget_ || U_FAILURE(error);
}

bool Utf16Decoder::DecodeWithIcu(const char* from, const char* end, bool last, std::string& out) {
  UErrorCode error = U_ZERO_ERROR;
  do {
    error = U_ZERO_ERROR;
    const std::size_t at = out.size();
    // Three bytes of UTF-8 for two of UTF-16 at most; more rounds if not.
    out.resize(at + static_cast<std::size_t>(end - from) * 3 / 2 + 16);
    char* to = out.data() + at;
    ucnv_convertEx(target_.get(), source_.get(), &to, out.data() + out.size(), &from, end,
                   pivot_.data(), &pivotSource_, &pivotTarget_, pivot_.data() + pivot_.size(),
                   false, last, &error);
    out.resize(static_cast<std::size_t>(to - out.data()));
  } while (error == U_BUFFER_OVERFLOW_ERROR);
  return U_SUCCESS(error);
}

bool Utf16Decoder::Decode(std::string_view bytes, bool last, std::string& out) {
  if (!Ready()) return false;
  const bool bigEndian = order_ == Utf16Order::bigEndian;
  const std::size_t before = out.size();
  const char* from = bytes.data();
  const char* end = from + bytes.size();
  const bool odd = oddSoFar_ != (bytes.size() % 2 != 0);
  oddSoFar_ = odd;
  // A last byte alone is half a unit: no character.
  if (last && odd) {
    if (!bytes.empty())
      --end;
    else
      ucnv_resetToUnicode(source_.get());
  }
  while (from < end) {
    if (quickPath_ && !Pending()) {
      const auto units = static_cast<std::size_t>(end - from) / 2;
      const std::size_t at = out.size();
      out.resize(at + units);
      const std::size_t narrowed = NarrowAscii(from, units, bigEndian, out.data() + at);
      out.resize(at + narrowed);
      from += 2 * narrowed;
      if (from == end) break;
    }
    const char* stop = quickPath_ ? NextAsciiRun(from, end, bigEndian) : end;
    if (!DecodeWithIcu(from, stop, false, out)) return false;
    from = stop;
  }
  if (last && !DecodeWithIcu(end, end, true, out)) return false;
  // The mark only says the order; it is no character of the page.
  if (atStart_ && out.size() > before) {
    atStart_ = false;
    if (out.compare(before, 3, "\xEF\xBB\xBF") == 0) out.erase(before, 3);
  }
  return true;
}

Utf16TextStream::Utf16TextStream(std::FILE* source, Utf16Order order, long long limit)
    : source_(source), start_(std::ftell(source)), limit_(limit), decoder_(order), bytes_(kBlock) {
  if (!decoder_.Ready() || start_ < 0) return;
  cookie_io_functions_t functions{};
  functions.read = [](void* stream, char* buffer, std::size_t size) -> ssize_t {
    return static_cast<Utf16TextStream*>(stream)->Read(buffer, size);
  };
  functions.seek = [](void* stream, off64_t* offset, int whence) {
    long long at = *offset;
    const int result = static_cast<Utf16TextStream*>(stream)->Seek(&at, whence);
    *offset = at;
    return result;
  };
  stream_ = fopencookie(this, "r", functions);
  // The stream's own buffer would take a few kilobytes of text at a time.
  if (stream_ && std::setvbuf(stream_, nullptr, _IOFBF, kBlock) != 0) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
}

Utf16TextStream::~Utf16TextStream() {
  if (stream_) std::fclose(stream_);
}

double Utf16TextStream::SourceBytesPerTextByte() const {
  return made_ > 0 ? static_cast<double>(taken_) / static_cast<double>(made_) : 2;
}

long Utf16TextStream::Read(char* buffer, std::size_t size) {
  while (handed_ == text_.size() && !ended_) {
    text_.clear();
    handed_ = 0;
    const std::size_t want =
        limit_ > 0 ? static_cast<std::size_t>(std::min<long long>(limit_ - taken_, kBlock))
                   : kBlock;
    const std::size_t got = want > 0 ? std::fread(bytes_.data(), 1, want, source_) : 0;
    if (std::ferror(source_)) return -1;
    taken_ += static_cast<long long>(got);
    ended_ = got < want || (limit_ > 0 && taken_ >= limit_);
    if (!decoder_.Decode({bytes_.data(), got}, ended_, text_)) return -1;
    made_ += static_cast<long long>(text_.size());
  }
  const std::size_t n = std::min(size, text_.size() - handed_);
  std::memcpy(buffer, text_.data() + handed_, n);
  handed_ += n;
  return static_cast<long>(n);
}

int Utf16TextStream::Seek(long long* offset, int whence) {
  if (whence == SEEK_CUR && *offset == 0) {
    *offset = made_ - static_cast<long long>(text_.size() - handed_);
    return 0;
  }
  if (whence != SEEK_SET || *offset != 0 || std::fseek(source_, start_, SEEK_SET) != 0) return -1;
  decoder_.Reset();
  text_.clear();
  handed_ = 0;
  taken_ = made_ = 0;
  ended_ = false;
  return 0;
}

}  // namespace quillfen
