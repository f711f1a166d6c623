#include "import/plain_row.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/text_conversions.h"

namespace quillfen {

namespace {

// What a row needs of 64 bytes, a bit per byte.
struct RowBits {
  std::uint64_t tagOpen = 0;   // "<"
  std::uint64_t tagClose = 0;  // ">"
  std::uint64_t quote = 0;     // '"'
  std::uint64_t blank = 0;
  // "&", an apostrophe, "--" or a "<" before no tag name, which the quick
  // road leaves to the plain one wherever they stand.
  bool unusual = false;
};

#if defined(__SSE2__)
RowBits ClassifyRow(const char* p) {
  RowBits bits;
  __m128i unusual = _mm_setzero_si128();
  for (int k = 0; k < 4; ++k) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k + 1));
    auto is = [](__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    auto bitsOf = [k](__m128i hits) {
      return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits))) << (16 * k);
    };
    // A letter, told without case: (c | 0x20) - 'a' below 26, compared signed
    // after moving the range to the bottom of the signed bytes.
    const __m128i lower = _mm_sub_epi8(_mm_or_si128(next, _mm_set1_epi8(0x20)),
                                       _mm_set1_epi8(static_cast<char>('a' - 128)));
    const __m128i letter = _mm_cmplt_epi8(lower, _mm_set1_epi8(static_cast<char>(-128 + 26)));
    const __m128i nameStart =
        _mm_andnot_si128(is(next, 'b') | is(next, 'B'), letter | is(next, '/'));
    const __m128i tagOpen = is(bytes, '<');
    bits.tagOpen |= bitsOf(tagOpen);
    bits.tagClose |= bitsOf(is(bytes, '>'));
    bits.quote |= bitsOf(is(bytes, '"'));
    bits.blank |= bitsOf(is(bytes, ' '));
    unusual |= is(bytes, '&') | is(bytes, '\'') | (is(bytes, '-') & is(next, '-')) |
               _mm_andnot_si128(nameStart, tagOpen);
  }
  bits.unusual = _mm_movemask_epi8(unusual) != 0;
  return bits;
}
#else
RowBits ClassifyRow(const char* p) {
  RowBits bits;
  for (int k = 0; k < 64; ++k) {
    const std::uint64_t bit = std::uint64_t{1} << k;
    const char c = p[k];
    const char next = p[k + 1];
    const char lower = static_cast<char>(next | 0x20);
    const bool nameStart = (next == '/' || (lower >= 'a' && lower <= 'z')) && lower != 'b';
    if (c == '<') bits.tagOpen |= bit;
    if (c == '>') bits.tagClose |= bit;
    if (c == '"') bits.quote |= bit;
    if (c == ' ') bits.blank |= bit;
    bits.unusual = bits.unusual || c == '&' || c == '\'' || (c == '-' && next == '-') ||
                   (c == '<' && !nameStart);
  }
  return bits;
}
#endif

// Bit k: the parity of the set bits at and below k.
std::uint64_t PrefixParity(std::uint64_t x) {
  x ^= x << 1;
  x ^= x << 2;
  x ^= x << 4;
  x ^= x << 8;
  x ^= x << 16;
  x ^= x << 32;
  return x;
}

}  // namespace

bool StripPlainRow(const std::string& line, char* out, std::size_t& length,
                   std::vector<std::size_t>& droppedBlanks) {
  droppedBlanks.clear();
  const char* const text = line.data();
  const std::size_t n = line.size();
  auto at = [&](std::size_t k) { return k < n ? text[k] : '\0'; };
  std::size_t written = 0;
  std::uint64_t inTag = 0;    // all ones while a tag stays open past a block
  std::uint64_t inQuote = 0;  // the same for a quoted value in a tag
  bool blankDropped = false;  // the block before ended in a dropped blank
  // A block is looked at with the byte after it, a string's closing zero
  // after its last. The last part of a line is read as the line's last 64
  // bytes, those looked at before shifted out, and only a line shorter than
  // a block is copied, zeros after it.
  alignas(16) char padded[64 + 32 + 1];
  for (std::size_t base = 0; base < n; base += 64) {
    const std::size_t left = n - base;
    const char* p = text + base;
    std::uint64_t valid = ~std::uint64_t{0};
    int shift = 0;
    if (left < 64) {
      valid = (std::uint64_t{1} << left) - 1;
      if (n >= 64) {
        shift = static_cast<int>(64 - left);
        p -= shift;
      } else {
        std::memset(padded, 0, sizeof padded);
        std::memcpy(padded, p, left);
        p = padded;
      }
    }
    RowBits bits = ClassifyRow(p);
    bits.tagOpen >>= shift;
    bits.tagClose >>= shift;
    bits.quote >>= shift;
    bits.blank >>= shift;
    p += shift;
    // Bytes that may be read from p on: a whole run's copy is 32 bytes.
    const std::size_t readable = p == padded ? sizeof padded : n - base;
    // Inside a tag from its "<" to the byte before its ">": the marks must
    // take turns, a "<" opening and a ">" closing.
    const std::uint64_t tag = PrefixParity(bits.tagOpen | bits.tagClose) ^ inTag;
    if (bits.unusual || (bits.tagOpen & ~tag) != 0 || (bits.tagClose & tag) != 0) return false;
    // Double quotes in a tag come in pairs: none is open at the tag's end.
    const std::uint64_t quoted = PrefixParity(bits.quote & tag) ^ inQuote;
    if ((bits.tagClose & quoted) != 0) return false;
    inTag = tag >> 63 ? ~std::uint64_t{0} : 0;
    inQuote = quoted >> 63 ? ~std::uint64_t{0} : 0;

    // A blank between digits is a thousands separator, unless a time follows.
    std::uint64_t dropped = 0;
    for (std::uint64_t blanks = bits.blank & ~tag & valid; blanks != 0; blanks &= blanks - 1) {
      const std::size_t i = base + static_cast<std::size_t>(__builtin_ctzll(blanks));
      if (i > 0 && IsDigit(text[i - 1]) && IsDigit(at(i + 1)) && at(i + 3) != ':')
        dropped |= blanks & -blanks;
    }
    // The shown runs go out whole, each tag as one blank; most runs are a
    // cell's text, copied in one piece.
    const std::uint64_t afterDropped = dropped << 1 | (blankDropped ? 1 : 0);
    for (std::uint64_t keep = ~tag & ~dropped & valid; keep != 0;) {
      const std::uint64_t first = keep & -keep;
      const std::uint64_t after = keep + first;  // the run's bits carried past its end
      const int start = std::countr_zero(first);
      const int run = std::countr_zero(after) - start;
      if ((afterDropped & first) != 0) droppedBlanks.push_back(written);
      if (run <= 32 && readable - static_cast<std::size_t>(start) >= 32)
        std::memcpy(out + written, p + start, 32);
      else
        std::memcpy(out + written, p + start, static_cast<std::size_t>(run));
      out[written] = p[start] == '>' ? ' ' : p[start];
      written += static_cast<std::size_t>(run);
      keep &= after;
    }
    blankDropped = dropped >> 63 != 0;
  }
  if (inTag != 0) return false;
  length = written;
  return true;
}

}  // namespace quillfen
