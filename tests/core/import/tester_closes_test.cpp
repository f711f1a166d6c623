#include "import/tester_closes.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

TEST(TesterCloses, PlacesFollowTheListAndAtStopKeepsItsProfit) {
  TesterCloses closes;
  EXPECT_EQ(closes.Add(true, false, 0), 0u);
  EXPECT_EQ(closes.Add(true, false, 0), 1u);
  EXPECT_EQ(closes.Add(false, true, -12.5), 2u);  // the first trade closed again
  EXPECT_EQ(closes.Count(), 3u);
  EXPECT_EQ(closes.Trades(), 2u);
  double profit = 0;
  EXPECT_FALSE(closes.AtStop(1, profit));
  ASSERT_TRUE(closes.AtStop(2, profit));
  EXPECT_EQ(profit, -12.5);
  EXPECT_FALSE(closes.AtStop(3, profit));
  closes.Clear();
  EXPECT_EQ(closes.Count(), 0u);
  EXPECT_FALSE(closes.AtStop(2, profit));
}

}  // namespace
}  // namespace quillfen
