#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillfen {

// The first byte in [p, end) that is one of kStops, or end. Pages are read a
// byte at a time only around the few characters that matter; sixteen bytes are
// compared at once where the processor allows.
template <char... kStops>
const char* FindFirstOf(const char* p, const char* end) {
#if defined(__SSE2__)
  while (end - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits = (_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kStops)) | ...);
    if (const int mask = _mm_movemask_epi8(hits))
      return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  while (p < end && ((*p != kStops) && ...)) ++p;
  return p;
}

// A set of bytes to stop at, looked for in 64 bytes at once.
template <char... kStops>
struct Stops {
  static_assert(((kStops != '\0') && ...), "zero bytes pad the end of a text");
  // Bit k set when p[k] is one of the stops.
  static std::uint64_t Mask(const char* p) {
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    for (int k = 0; k < 4; ++k) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
      const __m128i hits = (_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kStops)) | ...);
      mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits)))
              << (16 * k);
    }
#else
    for (int k = 0; k < 64; ++k)
      if (((p[k] == kStops) || ...)) mask |= std::uint64_t{1} << k;
#endif
    return mask;
  }
};

// Finds stops ahead in [begin, end) for a scan that stops often, as at every
// tag of a row: the bytes are compared 64 at a time once, not again from each
// stop. Some stops (Narrow) always matter, the others (Wide) only where asked.
template <class Narrow, class Wide>
class StopScanner {
 public:
  StopScanner(const char* begin, const char* end) : end_(end) { Load(begin); }

  // The first stop at or after p, or end. Cheapest when p never moves back
  // past an earlier answer; inlined, since a scan calls it at every stop.
  [[gnu::always_inline]] const char* Next(const char* p, bool wide) {
    for (;;) {
      if (p < base_ || p - base_ >= 64) Load(p);
      if (const std::uint64_t mask = (wide ? wide_ : narrow_) >> (p - base_))
        return p + __builtin_ctzll(mask);
      if (end_ - base_ <= 64) return end_;
      p = base_ + 64;
      Load(p);
    }
  }

 private:
  void Load(const char* at) {
    base_ = at;
    alignas(16) char padded[64] = {};
    const char* bytes = at;
    if (end_ - at < 64) {
      if (end_ > at) std::memcpy(padded, at, static_cast<std::size_t>(end_ - at));
      bytes = padded;
    }
    narrow_ = Narrow::Mask(bytes);
    wide_ = narrow_ | Wide::Mask(bytes);
  }

  const char* end_;
  const char* base_ = nullptr;
  std::uint64_t narrow_ = 0;
  std::uint64_t wide_ = 0;
};

}  // namespace quillfen
