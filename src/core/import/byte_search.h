#pragma once

#include <cstddef>

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

}  // namespace quillfen
