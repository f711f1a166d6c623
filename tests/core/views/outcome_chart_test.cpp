#include "views/outcome_chart.h"

#include <gtest/gtest.h>

#include <numeric>
#include <variant>

#include "../support/display_items.h"

#include "../risk/simulation_test_support.h"
#include "actions/simulation_actions.h"
#include "risk/simulation_start.h"
#include "views/chart_frame.h"

namespace quillfen {
namespace {

using testing::Fills;
using testing::Lines;

std::int32_t Total(const std::vector<std::int32_t>& bins) {
  return std::accumulate(bins.begin(), bins.end(), 0);
}

TEST(CountOutcomes, BinsTheFinalBalancesWithTheRuinedApart) {
  std::vector<double> finals;
  std::vector<bool> ruined;
  for (int balance = 0; balance < 100; ++balance) {
    finals.push_back(balance);
    ruined.push_back(balance < 10);
  }
  const OutcomeHistogram h = CountOutcomes(finals, ruined);
  EXPECT_EQ(h.low, 0);
  EXPECT_EQ(h.high, 99);
  EXPECT_EQ(Total(h.kept), 90);
  EXPECT_EQ(Total(h.ruined), 10);
  EXPECT_EQ(h.ruined[0] + h.ruined[1] + h.ruined[2] + h.ruined[3] + h.ruined[4], 10);
  EXPECT_EQ(h.kept.back(), 3);  // 97, 98 and the highest balance, 99
  EXPECT_DOUBLE_EQ(h.mean, 49.5);

  // Runs that all end alike stand in one bin; no run gives no bins.
  const OutcomeHistogram same = CountOutcomes({500, 500, 500}, {false, true, false});
  EXPECT_EQ(Total(same.kept), 2);
  EXPECT_EQ(Total(same.ruined), 1);
  EXPECT_EQ(same.kept[static_cast<std::size_t>(same.Bin(500))], 2);
  EXPECT_TRUE(CountOutcomes({}, {}).Empty());
}

TEST(PaintOutcomeChart, BarsRuinedFeetAndMarks) {
  OutcomeHistogram h;
  h.low = 0;
  h.high = 400;
  h.kept.assign(OutcomeHistogram::kBins, 0);
  h.ruined.assign(OutcomeHistogram::kBins, 0);
  h.kept[20] = 8;
  h.ruined[0] = 2;
  h.kept[0] = 2;
  h.deposit = 200;
  h.mean = 100;
  h.rangeLow = 0;
  h.rangeHigh = 400;
  const DisplayList list = PaintOutcomeChart(h, 406, 120);  // a plot 394 wide, 94 high

  // The tallest bar reaches the plot's top; bin 0 is half red at its foot.
  const std::vector<FillItem> kept = Fills(list, kOutcomeKept);
  const std::vector<FillItem> ruined = Fills(list, kOutcomeRuined);
  ASSERT_EQ(kept.size(), 2u);
  ASSERT_EQ(ruined.size(), 1u);
  EXPECT_EQ(kept[1].top, 6);
  EXPECT_EQ(kept[1].bottom, 100);
  EXPECT_EQ(ruined[0].bottom, 100);
  EXPECT_EQ(ruined[0].top, 100 - 94 * 2 / 8);
  EXPECT_EQ(kept[0].bottom, ruined[0].top);
  EXPECT_EQ(kept[0].left, ruined[0].left);
  EXPECT_EQ(kept[1].left, 6 + 20 * 394 / 40);

  // Deposit at the middle, mean at a quarter, the range at both ends.
  const std::vector<LineItem> deposit = Lines(list, kOutcomeDeposit);
  ASSERT_EQ(deposit.size(), 1u);
  EXPECT_EQ(deposit[0].x1, 6 + 393 / 2);
  ASSERT_EQ(Lines(list, kOutcomeMean).size(), 1u);
  EXPECT_EQ(Lines(list, kOutcomeMean)[0].x1, 6 + static_cast<int>(0.25 * 393));
  EXPECT_EQ(Lines(list, kOutcomeRange).size(), 2u);

  // A deposit off the bars' span is not marked; an empty pass draws the frame only.
  h.deposit = 1000;
  EXPECT_TRUE(Lines(PaintOutcomeChart(h, 406, 120), kOutcomeDeposit).empty());
  DisplayList frame(406, 120);
  DrawChartFrame(frame, kChartWhite);
  EXPECT_EQ(PaintOutcomeChart(OutcomeHistogram{}, 406, 120).items.size(), frame.items.size());
}

// A pass leaves the picture of its runs; a search leaves none.
TEST(PaintOutcomeChart, APassCountsEveryRunItPlayed) {
  testing::SimulationCase c;
  c.panel().dollars = true;
  c.panel().numRunsText = "500";
  c.panel().numTradesText = "100";
  NoProgress progress;
  RunSimulation(c.report, c.state, progress);
  const OutcomeHistogram& h = c.report.simulationResults.outcome;
  ASSERT_FALSE(h.Empty());
  EXPECT_EQ(Total(h.kept) + Total(h.ruined), 500);
  EXPECT_EQ(Total(h.ruined) * 100.0 / 500, std::stod(c.report.simulationResults.riskOfRuin));
  EXPECT_EQ(h.deposit, 10000);
  EXPECT_LE(h.low, h.mean);
  EXPECT_LE(h.mean, h.high);

  c.panel().mode = SimulationMode::minimumDeposit;
  RunSimulation(c.report, c.state, progress);
  EXPECT_TRUE(c.report.simulationResults.outcome.Empty());
}

}  // namespace
}  // namespace quillfen
