#include "risk/minimum_searches.h"

#include <gtest/gtest.h>

#include <string>

#include "report_parts.h"
#include "simulation_test_support.h"

namespace quillfen {
namespace {

using testing::SimulationCase;
using testing::StopAfter;

TEST(MinimumSearches, ASystemThatNeverLosesNeedsDepositOneAndOneTrade) {
  SimulationCase c;
  c.panel().percWinsText = "100";
  c.panel().numRunsText = "20";
  c.options().deposit = DepositChoice::statement;
  c.report.stats.statementDeposit = 5000;
  c.options().depositText = "5000";
  SearchMinimumDeposit(TargetOf(c.report), c.state, c.progress);
  EXPECT_EQ(c.report.simulationResults.minDeposit, "1");
  EXPECT_EQ(c.options().depositText, "5000");
  EXPECT_EQ(c.options().deposit, DepositChoice::statement);

  c.panel().numTradesText = "250";
  c.panel().maxDrawdownText = "25";
  SearchMinimumTrades(TargetOf(c.report), c.state, c.progress);
  EXPECT_EQ(c.report.simulationResults.minTrades, "1");
  EXPECT_EQ(c.panel().numTradesText, "250");
  EXPECT_EQ(c.panel().maxDrawdownText, "25");
}

TEST(MinimumSearches, NoExpectedProfitShowsZeroAndSimulatesNothing) {
  const char* systems[][3] = {{"40", "30", "20"}, {"30", "30", "20"}, {"0", "10", "0"}};
  for (const auto& system : systems) {
    SimulationCase c;
    c.panel().percWinsText = system[0];
    c.panel().avgProfitText = system[1];
    c.panel().avgLossText = system[2];
    StopAfter progress(c.state, 1 << 30);
    SearchMinimumDeposit(TargetOf(c.report), c.state, progress);
    SearchMinimumTrades(TargetOf(c.report), c.state, progress);
    EXPECT_EQ(c.report.simulationResults.minDeposit, "0");
    EXPECT_EQ(c.report.simulationResults.minTrades, "0");
    EXPECT_EQ(progress.range, -1);
  }
}

// A loss of 3000 is ruin below a deposit of 10000 at 30%: the search raises
// the deposit past 10000 and ends on a deposit without ruin, after stepping
// down by 2% from the raise for at least ten passes in all.
TEST(MinimumSearches, MinimumDepositKeepsOneLossWithinTheDrawdownLimit) {
  SimulationCase c;
  c.panel().dollars = true;
  c.panel().percWinsText = "50";
  c.panel().avgProfitText = "5000";
  c.panel().avgLossText = "3000";
  c.panel().maxDrawdownText = "30";
  c.panel().numTradesText = "1";
  c.panel().numRunsText = "200";
  c.options().depositText = "8000";
  SearchMinimumDeposit(TargetOf(c.report), c.state, c.progress);
  const int found = std::stoi(c.report.simulationResults.minDeposit);
  EXPECT_GE(found, 10000);
  EXPECT_LT(found, 8000 * 1.6);
  EXPECT_LT(c.state.LastSimulationFigures.riskOfRuin, 0.1);
  EXPECT_EQ(c.options().depositText, "8000");
  EXPECT_EQ(c.options().deposit, DepositChoice::custom);
}

TEST(MinimumSearches, StoppedSearchesGiveTheUserValuesBack) {
  SimulationCase c;
  c.options().deposit = DepositChoice::statement;
  c.report.stats.statementDeposit = 5000;
  c.options().depositText = "7000";
  c.panel().numTradesText = "80";
  c.panel().maxDrawdownText = "35";
  StopAfter stop(c.state, 5);
  SearchMinimumDeposit(TargetOf(c.report), c.state, stop);
  EXPECT_EQ(c.report.simulationResults.minDeposit, "7000");  // the one simulated
  EXPECT_EQ(c.options().depositText, "7000");
  EXPECT_EQ(c.options().deposit, DepositChoice::statement);

  SearchMinimumTrades(TargetOf(c.report), c.state, stop);
  EXPECT_EQ(c.report.simulationResults.minTrades, "1");
  EXPECT_EQ(c.panel().numTradesText, "80");
  EXPECT_EQ(c.panel().maxDrawdownText, "35");
}

}  // namespace
}  // namespace quillfen
