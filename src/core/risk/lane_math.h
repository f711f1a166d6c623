#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#else
#include <bit>
#endif

namespace quillfen::lanes {

// Two doubles side by side (two simulation runs), and four 32-bit words (the
// generators of four runs). Every operation is the plain IEEE operation per
// lane, so the results do not depend on which implementation is compiled. A
// mask holds all bits set in a lane where a comparison held.

#if defined(__SSE2__)

struct Pair {
  __m128d v;
};
struct Words {
  __m128i v;
};

inline Pair Splat(double x) {
  return {_mm_set1_pd(x)};
}
inline Pair operator+(Pair a, Pair b) {
  return {_mm_add_pd(a.v, b.v)};
}
inline Pair operator-(Pair a, Pair b) {
  return {_mm_sub_pd(a.v, b.v)};
}
inline Pair operator*(Pair a, Pair b) {
  return {_mm_mul_pd(a.v, b.v)};
}
inline Pair operator/(Pair a, Pair b) {
  return {_mm_div_pd(a.v, b.v)};
}
// a > b ? a : b and a < b ? a : b, lane by lane (b when either is NaN).
inline Pair Max(Pair a, Pair b) {
  return {_mm_max_pd(a.v, b.v)};
}
inline Pair Min(Pair a, Pair b) {
  return {_mm_min_pd(a.v, b.v)};
}
inline Pair Less(Pair a, Pair b) {
  return {_mm_cmplt_pd(a.v, b.v)};
}
inline Pair Greater(Pair a, Pair b) {
  return {_mm_cmpgt_pd(a.v, b.v)};
}
inline Pair GreaterEqual(Pair a, Pair b) {
  return {_mm_cmpge_pd(a.v, b.v)};
}
inline Pair Equal(Pair a, Pair b) {
  return {_mm_cmpeq_pd(a.v, b.v)};
}
inline Pair Either(Pair m, Pair n) {
  return {_mm_or_pd(m.v, n.v)};
}
// Whole part of values from 0 up to 2^31 - 1.
inline Pair TruncateSmall(Pair a) {
  return {_mm_cvtepi32_pd(_mm_cvttpd_epi32(a.v))};
}
// a where the mask is set, else 0.
inline Pair Keep(Pair mask, Pair a) {
  return {_mm_and_pd(mask.v, a.v)};
}
inline Pair Select(Pair mask, Pair a, Pair b) {
  return {_mm_or_pd(_mm_and_pd(mask.v, a.v), _mm_andnot_pd(mask.v, b.v))};
}
// Bit i set when lane i of the mask is set.
inline int LaneBits(Pair mask) {
  return _mm_movemask_pd(mask.v);
}
inline double Lane(Pair a, int i) {
  alignas(16) double d[2];
  _mm_store_pd(d, a.v);
  return d[i];
}
inline void SetLane(Pair& a, int i, double x) {
  alignas(16) double d[2];
  _mm_store_pd(d, a.v);
  d[i] = x;
  a.v = _mm_load_pd(d);
}

inline Words operator+(Words a, Words b) {
  return {_mm_add_epi32(a.v, b.v)};
}
inline Words operator^(Words a, Words b) {
  return {_mm_xor_si128(a.v, b.v)};
}
inline Words ShiftLeft(Words a, int k) {
  return {_mm_slli_epi32(a.v, k)};
}
inline Words RotateLeft(Words a, int k) {
  return {_mm_or_si128(_mm_slli_epi32(a.v, k), _mm_srli_epi32(a.v, 32 - k))};
}
inline Words SplatWord(std::uint32_t x) {
  return {_mm_set1_epi32(static_cast<int>(x))};
}
// Unsigned a < b per lane, through the signed comparison with the top bit flipped.
inline Words Below(Words a, Words b) {
  const __m128i flip = _mm_set1_epi32(static_cast<int>(0x80000000u));
  return {_mm_cmplt_epi32(_mm_xor_si128(a.v, flip), _mm_xor_si128(b.v, flip))};
}
inline Words SelectWords(Words mask, Words a, Words b) {
  return {_mm_or_si128(_mm_and_si128(mask.v, a.v), _mm_andnot_si128(mask.v, b.v))};
}
inline bool AllSet(Words mask) {
  return _mm_movemask_epi8(mask.v) == 0xFFFF;
}
// The masks of words 0 and 1, and of words 2 and 3, widened to pairs.
inline Pair LowPairMask(Words mask) {
  return {_mm_castsi128_pd(_mm_unpacklo_epi32(mask.v, mask.v))};
}
inline Pair HighPairMask(Words mask) {
  return {_mm_castsi128_pd(_mm_unpackhi_epi32(mask.v, mask.v))};
}
inline std::uint32_t Word(Words a, int i) {
  alignas(16) std::uint32_t w[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(w), a.v);
  return w[i];
}
inline void SetWord(Words& a, int i, std::uint32_t x) {
  alignas(16) std::uint32_t w[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(w), a.v);
  w[i] = x;
  a.v = _mm_load_si128(reinterpret_cast<const __m128i*>(w));
}

#else

struct Pair {
  double v[2];
};
struct Words {
  std::uint32_t v[4];
};

namespace detail {
constexpr double kSet = std::bit_cast<double>(~std::uint64_t{0});
inline std::uint64_t Bits(double x) {
  return std::bit_cast<std::uint64_t>(x);
}
template <class F>
inline Pair Each(Pair a, Pair b, F f) {
  return {{f(a.v[0], b.v[0]), f(a.v[1], b.v[1])}};
}
template <class F>
inline Words EachWord(Words a, Words b, F f) {
  Words r;
  for (int i = 0; i < 4; ++i) r.v[i] = f(a.v[i], b.v[i]);
  return r;
}
inline double Flag(bool b) {
  return b ? kSet : 0.0;
}
}  // namespace detail

inline Pair Splat(double x) {
  return {{x, x}};
}
inline Pair operator+(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return x + y; });
}
inline Pair operator-(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return x - y; });
}
inline Pair operator*(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return x * y; });
}
inline Pair operator/(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return x / y; });
}
inline Pair Max(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return x > y ? x : y; });
}
inline Pair Min(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return x < y ? x : y; });
}
inline Pair Less(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return detail::Flag(x < y); });
}
inline Pair Greater(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return detail::Flag(x > y); });
}
inline Pair GreaterEqual(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return detail::Flag(x >= y); });
}
inline Pair Equal(Pair a, Pair b) {
  return detail::Each(a, b, [](double x, double y) { return detail::Flag(x == y); });
}
inline Pair Either(Pair m, Pair n) {
  return detail::Each(m, n, [](double x, double y) {
    return std::bit_cast<double>(detail::Bits(x) | detail::Bits(y));
  });
}
inline Pair TruncateSmall(Pair a) {
  return {{static_cast<double>(static_cast<std::int32_t>(a.v[0])),
           static_cast<double>(static_cast<std::int32_t>(a.v[1]))}};
}
inline Pair Keep(Pair mask, Pair a) {
  return detail::Each(mask, a, [](double m, double x) {
    return std::bit_cast<double>(detail::Bits(m) & detail::Bits(x));
  });
}
inline Pair Select(Pair mask, Pair a, Pair b) {
  return {{detail::Bits(mask.v[0]) ? a.v[0] : b.v[0], detail::Bits(mask.v[1]) ? a.v[1] : b.v[1]}};
}
inline int LaneBits(Pair mask) {
  return (detail::Bits(mask.v[0]) ? 1 : 0) | (detail::Bits(mask.v[1]) ? 2 : 0);
}
inline double Lane(Pair a, int i) {
  return a.v[i];
}
inline void SetLane(Pair& a, int i, double x) {
  a.v[i] = x;
}

inline Words operator+(Words a, Words b) {
  return detail::EachWord(a, b, [](std::uint32_t x, std::uint32_t y) { return x + y; });
}
inline Words operator^(Words a, Words b) {
  return detail::EachWord(a, b, [](std::uint32_t x, std::uint32_t y) { return x ^ y; });
}
inline Words ShiftLeft(Words a, int k) {
  for (auto& w : a.v) w <<= k;
  return a;
}
inline Words RotateLeft(Words a, int k) {
  for (auto& w : a.v) w = (w << k) | (w >> (32 - k));
  return a;
}
inline Words SplatWord(std::uint32_t x) {
  return {{x, x, x, x}};
}
inline Words Below(Words a, Words b) {
  return detail::EachWord(a, b, [](std::uint32_t x, std::uint32_t y) {
    return x < y ? ~std::uint32_t{0} : std::uint32_t{0};
  });
}
inline Words SelectWords(Words mask, Words a, Words b) {
  for (int i = 0; i < 4; ++i) a.v[i] = mask.v[i] ? a.v[i] : b.v[i];
  return a;
}
inline bool AllSet(Words mask) {
  return mask.v[0] && mask.v[1] && mask.v[2] && mask.v[3];
}
inline Pair LowPairMask(Words mask) {
  return {{detail::Flag(mask.v[0] != 0), detail::Flag(mask.v[1] != 0)}};
}
inline Pair HighPairMask(Words mask) {
  return {{detail::Flag(mask.v[2] != 0), detail::Flag(mask.v[3] != 0)}};
}
inline std::uint32_t Word(Words a, int i) {
  return a.v[i];
}
inline void SetWord(Words& a, int i, std::uint32_t x) {
  a.v[i] = x;
}

#endif

}  // namespace quillfen::lanes
