#include "actions/simulation_actions.h"

#include <gtest/gtest.h>

#include "../risk/simulation_test_support.h"

namespace quillfen {
namespace {

using testing::SimulationCase;
using testing::StopAfter;

// A grid of R rows holds R - 2 listed trades between its header and spare rows.
Report Listed(int gridRows, double spanDays) {
  Report report;
  report.grid1.SetRowCount(gridRows);
  report.stats.periodDays = spanDays;
  return report;
}

TEST(SimulationBoxes, TradesAndDaysConvertOverTheListedTrades) {
  const Report fifty = Listed(50 + 2, 200);
  EXPECT_EQ(DaysForTradesText(fifty, "100"), "400");  // 100 × 200 / 50
  EXPECT_EQ(TradesForDaysText(fifty, "365"), "91");   // 365 × 50 / 200 = 91.25
  EXPECT_EQ(DaysForTradesText(fifty, "7"), "28");
  EXPECT_EQ(TradesForDaysText(fifty, "abc"), "0");

  const Report none = Listed(2, 200);
  EXPECT_EQ(DaysForTradesText(none, "100"), "0");
  EXPECT_EQ(TradesForDaysText(none, "365"), "0");

  // A statement of one day's span: the days box reads 0, and Days counts the span as 1.
  const Report sameDay = Listed(12, 0);
  EXPECT_EQ(DaysForTradesText(sameDay, "100"), "0");
  EXPECT_EQ(TradesForDaysText(sameDay, "3"), "30");
}

TEST(SimulationButton, StopIsRefusedAsStartIs) {
  SimulationCase c;
  ReportOptions options = c.options();
  options.simulation.numRunsText.clear();
  EXPECT_EQ(PressStopSimulation(c.report, c.state, options), SimulationStart::emptyInput);
  EXPECT_FALSE(c.state.SimulationStopRequested);

  options = c.options();
  options.depositText = "0";
  EXPECT_EQ(PressStopSimulation(c.report, c.state, options), SimulationStart::zeroDeposit);
  EXPECT_FALSE(c.state.SimulationStopRequested);

  options = c.options();
  options.simulation.numRunsText = "5000000";
  EXPECT_EQ(PressStopSimulation(c.report, c.state, options), SimulationStart::ran);
  EXPECT_TRUE(c.state.SimulationStopRequested);
  // The pass under way keeps reading its own options.
  EXPECT_EQ(c.report.options.simulation.numRunsText, "1000");
}

TEST(SimulationButton, StartingComesOnceTheInputsAreAccepted) {
  SimulationCase c;
  int started = 0;
  const ReportOptions accepted = c.options();
  ReportOptions options = accepted;
  options.simulation.percWinsText.clear();
  EXPECT_EQ(StartSimulation(c.report, c.state, options, c.progress, [&] { ++started; }),
            SimulationStart::emptyInput);
  EXPECT_EQ(started, 0);

  options = accepted;
  options.simulation.numRunsText = "2000000";
  std::string runsWhenStarting;
  StopAfter firstRun(c.state, 1);
  EXPECT_EQ(StartSimulation(c.report, c.state, options, firstRun,
                            [&] {
                              ++started;
                              runsWhenStarting = c.report.options.simulation.numRunsText;
                            }),
            SimulationStart::ran);
  EXPECT_EQ(started, 1);
  EXPECT_EQ(runsWhenStarting, "1000000");
  EXPECT_FALSE(c.report.simulationResults.perfect.empty());
}

}  // namespace
}  // namespace quillfen
