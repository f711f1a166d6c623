#include "import/tester_closes.h"

#include <gtest/gtest.h>

#include <random>

namespace quillfen {
namespace {

// The table by number and the hash map give the same answers: for the
// tester's dense numbers, with closes repeated, for numbers beyond a table, and
// for numbers that went to the map before the table grew over them.
TEST(TesterCloses, TheTableAnswersAsTheMap) {
  std::mt19937 random(7);
  for (long long spread : {3LL, 5LL, 1000000000000LL}) {
    TesterCloses quick;
    TesterCloses plain(true);
    for (int i = 0; i < 2000; ++i) {
      long long order = 1 + static_cast<long long>(random() % 1500) * (spread > 4 ? spread : 1);
      if (i < 20) order += 6000;  // beyond the first table's reach
      quick.Add(order, i % 7 == 0, i);
      plain.Add(order, i % 7 == 0, i);
    }
    EXPECT_EQ(quick.Orders(), plain.Orders());
    EXPECT_EQ(quick.Count(), 2000u);
    for (long long order = -2; order < 8000; ++order) {
      const long long asked = order > 0 && spread > 4 ? order * spread : order;
      ASSERT_EQ(quick.Find(asked), plain.Find(asked)) << asked;
    }
  }
}

TEST(TesterCloses, TheLastCloseOfAnOrderCountsAndAtStopKeepsItsProfit) {
  TesterCloses closes;
  closes.Add(4, false, 0);
  closes.Add(2, false, 0);
  closes.Add(4, true, -12.5);
  EXPECT_EQ(closes.Find(4), 2u);
  EXPECT_EQ(closes.Find(2), 1u);
  EXPECT_EQ(closes.Find(3), TesterCloses::kNone);
  EXPECT_EQ(closes.Find(99), TesterCloses::kNone);
  EXPECT_EQ(closes.Orders(), 2u);
  double profit = 0;
  EXPECT_FALSE(closes.AtStop(1, profit));
  ASSERT_TRUE(closes.AtStop(2, profit));
  EXPECT_EQ(profit, -12.5);
  closes.Clear();
  EXPECT_EQ(closes.Count(), 0u);
  EXPECT_EQ(closes.Find(4), TesterCloses::kNone);
}

}  // namespace
}  // namespace quillfen
