#include "analysis/tester_close_index.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace quillfen {
namespace {

// The table by number and the hash map give the same answers: for the
// tester's dense numbers, with closes repeated, and for numbers beyond a table.
TEST(TesterCloseIndex, TheTableAnswersAsTheMap) {
  std::mt19937 random(7);
  for (long long spread : {3LL, 5LL, 1000000000000LL}) {
    std::vector<TesterClose> closes;
    for (int i = 0; i < 2000; ++i)
      closes.push_back(
          {1 + static_cast<long long>(random() % 1500) * (spread > 4 ? spread : 1), 0, i % 7 == 0});
    const TesterCloseIndex quick(closes);
    const TesterCloseIndex plain(closes, false);
    EXPECT_EQ(quick.Orders(), plain.Orders());
    for (long long order = -2; order < 1600; ++order) {
      const long long asked = order > 0 && spread > 4 ? order * spread : order;
      ASSERT_EQ(quick.Find(asked), plain.Find(asked)) << asked;
    }
  }
}

TEST(TesterCloseIndex, TheLastCloseOfAnOrderCounts) {
  const std::vector<TesterClose> closes{{4, 1, false}, {2, 2, false}, {4, 3, true}};
  const TesterCloseIndex index(closes);
  EXPECT_EQ(index.Find(4), 2u);
  EXPECT_EQ(index.Find(2), 1u);
  EXPECT_EQ(index.Find(3), TesterCloseIndex::kNone);
  EXPECT_EQ(index.Find(99), TesterCloseIndex::kNone);
  EXPECT_EQ(index.Orders(), 2u);
}

}  // namespace
}  // namespace quillfen
