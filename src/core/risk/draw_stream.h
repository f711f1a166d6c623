#pragma once

#include <array>
#include <cstdint>

#include "risk/lane_math.h"

namespace quillfen {

// The random draw of the simulation. Every run has its own stream (xoshiro128**
// seeded from the pass seed and the run number), so a run's trades do not
// depend on how runs are interleaved and a pass is reproducible from its seed.
//
// A draw over 0..99 is a 32-bit word w below 100 * kDrawStep (larger words are
// rejected and redrawn), giving x = w / kDrawStep with every value equally
// likely. A trade wins when x < winPercent, that is when w < WinningWordsBelow.
constexpr std::uint32_t kDrawStep = 42949672;  // floor(2^32 / 100)
constexpr std::uint32_t kDrawLimit = 100 * kDrawStep;

// The number of draws 0..99 that are below winPercent (0 for NaN).
int WinningDraws(double winPercent);
inline std::uint32_t WinningWordsBelow(double winPercent) {
  return static_cast<std::uint32_t>(WinningDraws(winPercent)) * kDrawStep;
}

// The generator state of run `run` of a pass seeded with `seed`; never all zero.
std::array<std::uint32_t, 4> RunStreamState(std::uint64_t seed, std::int64_t run);

// One run's stream, one word at a time.
class DrawStream {
 public:
  explicit DrawStream(const std::array<std::uint32_t, 4>& state) : s_(state) {}
  DrawStream(std::uint64_t seed, std::int64_t run) : s_(RunStreamState(seed, run)) {}

  std::uint32_t NextWord() {
    const std::uint32_t result = Rotate(s_[1] * 5, 7) * 9;
    const std::uint32_t t = s_[1] << 9;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotate(s_[3], 11);
    return result;
  }
  // An accepted word, below kDrawLimit.
  std::uint32_t NextDrawWord() {
    std::uint32_t w;
    do w = NextWord();
    while (w >= kDrawLimit);
    return w;
  }
  // A draw over 0..99.
  int NextDraw() { return static_cast<int>(NextDrawWord() / kDrawStep); }
  // A draw over 0..n-1 (n at least 1), every value equally likely: the high
  // word of w × n, redrawing the few words that would favour some values.
  std::uint32_t NextBelow(std::uint32_t n) {
    std::uint64_t m = std::uint64_t{NextWord()} * n;
    if (static_cast<std::uint32_t>(m) < n) [[unlikely]] {
      const std::uint32_t threshold = (0u - n) % n;
      while (static_cast<std::uint32_t>(m) < threshold) m = std::uint64_t{NextWord()} * n;
    }
    return static_cast<std::uint32_t>(m >> 32);
  }

 private:
  static std::uint32_t Rotate(std::uint32_t x, int k) { return (x << k) | (x >> (32 - k)); }
  std::array<std::uint32_t, 4> s_;
};

// The streams of four runs side by side, the same algorithm word for word.
struct FourStreams {
  lanes::Words s0, s1, s2, s3;

  lanes::Words NextWords() {
    using namespace lanes;
    const Words times5 = ShiftLeft(s1, 2) + s1;
    const Words rotated = RotateLeft(times5, 7);
    const Words result = ShiftLeft(rotated, 3) + rotated;
    const Words t = ShiftLeft(s1, 9);
    s2 = s2 ^ s0;
    s3 = s3 ^ s1;
    s1 = s1 ^ s2;
    s0 = s0 ^ s3;
    s2 = s2 ^ t;
    s3 = RotateLeft(s3, 11);
    return result;
  }
  // Accepted words; a rejected word is replaced by the next word of its own
  // stream while the other streams stay where they are.
  lanes::Words NextDrawWords() {
    const lanes::Words w = NextWords();
    const lanes::Words accepted = lanes::Below(w, lanes::SplatWord(kDrawLimit));
    if (lanes::AllSet(accepted)) [[likely]]
      return w;
    return Redraw(w, accepted);
  }
  lanes::Words Redraw(lanes::Words w, lanes::Words accepted);

  void SetStream(int lane, const std::array<std::uint32_t, 4>& state) {
    lanes::SetWord(s0, lane, state[0]);
    lanes::SetWord(s1, lane, state[1]);
    lanes::SetWord(s2, lane, state[2]);
    lanes::SetWord(s3, lane, state[3]);
  }
};

}  // namespace quillfen
