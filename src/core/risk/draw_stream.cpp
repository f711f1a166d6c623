#include "risk/draw_stream.h"

#include <cmath>

namespace quillfen {

namespace {

std::uint64_t SplitMix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

int WinningDraws(double winPercent) {
  // x < winPercent for the whole draws x = 0..99: as many as ceil(winPercent), within 0..100.
  if (!(winPercent > 0)) return 0;
  if (winPercent >= 100) return 100;
  return static_cast<int>(std::ceil(winPercent));
}

std::array<std::uint32_t, 4> RunStreamState(std::uint64_t seed, std::int64_t run) {
  const std::uint64_t key =
      SplitMix(seed) ^ (static_cast<std::uint64_t>(run) * 0xD1B54A32D192ED03ull);
  const std::uint64_t a = SplitMix(key);
  const std::uint64_t b = SplitMix(a);
  return {static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(a >> 32),
          static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(b >> 32) | 1u};
}

lanes::Words FourStreams::Redraw(lanes::Words w, lanes::Words accepted) {
  using namespace lanes;
  const Words limit = SplatWord(kDrawLimit);
  while (!AllSet(accepted)) {
    FourStreams advanced = *this;
    const Words next = advanced.NextWords();
    s0 = SelectWords(accepted, s0, advanced.s0);
    s1 = SelectWords(accepted, s1, advanced.s1);
    s2 = SelectWords(accepted, s2, advanced.s2);
    s3 = SelectWords(accepted, s3, advanced.s3);
    w = SelectWords(accepted, w, next);
    accepted = Below(w, limit);
  }
  return w;
}

}  // namespace quillfen
