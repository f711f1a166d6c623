#include "risk/draw_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quillfen {
namespace {

TEST(DrawStream, ADrawEqualToTheWinPercentageLoses) {
  const double percentages[] = {0,   45,  45.5, 0.1, 99.9,
                                100, 150, -10,  1e9, std::numeric_limits<double>::quiet_NaN()};
  for (double w : percentages) {
    const std::uint32_t below = WinningWordsBelow(w);
    for (int x = 0; x < 100; ++x) {
      const std::uint32_t first = static_cast<std::uint32_t>(x) * kDrawStep;
      const std::uint32_t last = first + kDrawStep - 1;
      // Every word of draw x wins exactly when x < w.
      EXPECT_EQ(first < below, x < w) << "w " << w << " x " << x;
      EXPECT_EQ(last < below, x < w) << "w " << w << " x " << x;
    }
  }
}

TEST(DrawStream, DrawsAreUniformOverAHundredValues) {
  DrawStream stream(99, 0);
  std::vector<int> count(100);
  const int draws = 1000000;
  for (int i = 0; i < draws; ++i) ++count[stream.NextDraw()];
  const double expected = draws / 100.0, sigma = std::sqrt(expected * 0.99);
  for (int x = 0; x < 100; ++x) EXPECT_NEAR(count[x], expected, 5 * sigma) << x;
}

TEST(DrawStream, RunsHaveTheirOwnStreams) {
  DrawStream a(5, 0), b(5, 1), c(6, 0), again(5, 0);
  int sameAsB = 0, sameAsC = 0;
  for (int i = 0; i < 1000; ++i) {
    const std::uint32_t w = a.NextWord();
    sameAsB += w == b.NextWord();
    sameAsC += w == c.NextWord();
    EXPECT_EQ(w, again.NextWord());
  }
  EXPECT_LT(sameAsB, 3);
  EXPECT_LT(sameAsC, 3);
}

std::uint32_t Inverse(std::uint32_t a) {  // of an odd number, modulo 2^32
  std::uint32_t x = a;
  for (int i = 0; i < 5; ++i) x *= 2 - a * x;
  return x;
}

// The four-stream generator draws word for word what four single streams
// draw, a rejected word included: only the stream that rejected moves on.
TEST(DrawStream, FourStreamsSideBySideDrawAsFourSingleStreams) {
  // The next word is rotl(s1 × 5, 7) × 9: pick s1 so that it is 2^32 - 1, rejected.
  const std::uint32_t y = 0xFFFFFFFFu * Inverse(9);
  const std::uint32_t s1 = ((y >> 7) | (y << 25)) * Inverse(5);
  const std::array<std::uint32_t, 4> rejecting = {0x12345678u, s1, 0x9ABCDEF0u, 0x0F0F0F0Fu};
  ASSERT_GE(DrawStream(rejecting).NextWord(), kDrawLimit);

  const std::array<std::uint32_t, 4> states[4] = {RunStreamState(1, 0), rejecting,
                                                  RunStreamState(1, 2), rejecting};
  FourStreams four{};
  std::vector<DrawStream> singles;
  for (int lane = 0; lane < 4; ++lane) {
    four.SetStream(lane, states[lane]);
    singles.emplace_back(states[lane]);
  }
  for (int i = 0; i < 100; ++i) {
    const lanes::Words w = four.NextDrawWords();
    for (int lane = 0; lane < 4; ++lane)
      ASSERT_EQ(lanes::Word(w, lane), singles[lane].NextDrawWord()) << "draw " << i;
  }
}

}  // namespace
}  // namespace quillfen
