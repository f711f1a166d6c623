#include "actions/simulation_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../import/import_test_support.h"
#include "../risk/simulation_test_support.h"
#include "report_parts.h"

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

// The units choice offers the figures the last refresh computed, in those
// units, and computes nothing again; a busy report keeps its options.
TEST(SimulationUnits, OfferTheComputedFiguresInTheChosenUnits) {
  Report report;
  report.stats.averageWin = 120.5;
  report.stats.averageWinPips = 12.25;
  report.stats.averageLoss = -80;
  report.stats.averageLossPips = -8;
  report.stats.percentProfitable = 55;
  ReportOptions options;
  options.simulation.dollars = true;
  ASSERT_TRUE(ChooseSimulationUnits(report, options));
  EXPECT_EQ(report.options.simulation.avgProfitText, "120.5");
  EXPECT_EQ(report.options.simulation.avgLossText, "80.0");
  EXPECT_EQ(report.options.simulation.percWinsText, "55.0");

  options.simulation.dollars = false;
  report.busy = BusyWith::sorting;
  EXPECT_FALSE(ChooseSimulationUnits(report, options));
  EXPECT_TRUE(report.options.simulation.dollars);
  report.busy = BusyWith::nothing;
  ASSERT_TRUE(ChooseSimulationUnits(report, options));
  EXPECT_EQ(report.options.simulation.avgProfitText, "12.2");  // 12.25, the tie to even
  EXPECT_EQ(report.options.simulation.avgLossText, "8.0");
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
  EXPECT_EQ(c.report.simulationResults.notices, std::vector<std::string>{"runs capped at 1000000"});
}

// Runs ruined at their first loss draw a trade or two, whatever their length,
// so that passes of many nominal draws stay quick here.
SimulationCase QuicklyRuined() {
  SimulationCase c;
  c.panel().dollars = true;
  c.panel().percWinsText = "50";
  c.panel().avgProfitText = "30";
  c.panel().avgLossText = "20";
  c.panel().maxDrawdownText = "1";
  c.options().depositText = "1";
  return c;
}

TEST(SimulationButton, APassDrawsAtMostTheCapOfTrades) {
  const std::string runsAllowed = std::to_string(kMaxTradeDraws / kMaxTradesPerRun);
  struct Case {
    const char* name;
    std::string runs, trades, days;
    std::vector<std::string> notices;
  };
  const Case cases[] = {
      {"within the cap", runsAllowed, std::to_string(kMaxTradesPerRun), "", {}},
      {"runs times trades",
       "1000000",
       std::to_string(kMaxTradesPerRun),
       "",
       {"runs capped at " + runsAllowed + ": a pass draws at most " +
        std::to_string(kMaxTradeDraws) + " trades, runs times trades per run"}},
      {"a count that does not fit 32 bits, then the product",
       "2147483648",
       "1000000",
       "",
       {"runs capped at 1000000", "runs capped at " + runsAllowed + ": a pass draws at most " +
                                      std::to_string(kMaxTradeDraws) +
                                      " trades, runs times trades per run"}},
      {"trades made from days",
       "1000000",
       "1",
       "1000000",
       {"runs capped at " + runsAllowed + ": a pass draws at most " +
        std::to_string(kMaxTradeDraws) + " trades, runs times trades per run"}},
  };
  for (const Case& c : cases) {
    SimulationCase s = QuicklyRuined();
    s.report.grid1.SetRowCount(1002);  // 1000 listed trades over 10 days
    s.report.stats.periodDays = 10;
    ReportOptions options = s.options();
    options.simulation.numRunsText = c.runs;
    options.simulation.numTradesText = c.trades;
    options.simulation.daysMode = !c.days.empty();
    if (!c.days.empty()) options.simulation.numDaysText = c.days;
    ASSERT_EQ(StartSimulation(s.report, s.state, options, s.progress), SimulationStart::ran)
        << c.name;
    EXPECT_EQ(s.report.simulationResults.notices, c.notices) << c.name;
    EXPECT_LE(CountsOfPass(TargetOf(s.report)).Draws(), kMaxTradeDraws) << c.name;
    EXPECT_FALSE(s.report.simulationResults.perfect.empty()) << c.name;
  }
}

// Each pass of the search takes 1,000,000 runs of a length that lets two and a
// half passes into the cap: the third is never played.
TEST(SimulationButton, ASearchStopsAtTheCapWithoutAnAnswer) {
  SimulationCase c = QuicklyRuined();
  ReportOptions options = c.options();
  options.simulation.mode = SimulationMode::minimumDeposit;
  options.simulation.numRunsText = "1000000";
  options.simulation.numTradesText = std::to_string(kMaxTradeDraws * 2 / 5 / 1000000);
  RecordingProgress progress;
  ASSERT_EQ(StartSimulation(c.report, c.state, options, progress), SimulationStart::ran);
  const MonteCarloResults& r = c.report.simulationResults;
  for (const std::string* box : {&r.minDeposit, &r.riskOfRuin, &r.ruinRange, &r.balance})
    EXPECT_EQ(*box, "");
  EXPECT_EQ(c.report.simulationResults.notices,
            std::vector<std::string>{"the search stopped after 2 passes without a result: its "
                                     "passes together draw at most " +
                                     std::to_string(kMaxTradeDraws) +
                                     " trades; fewer runs or trades per run let it finish"});
  EXPECT_EQ(progress.ranges.size(), 2u);
  EXPECT_EQ(c.report.options.depositText, "1");
}

}  // namespace
}  // namespace quillfen
