#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../import/import_test_support.h"
#include "../risk/simulation_test_support.h"
#include "actions/simulation_actions.h"
#include "analysis/trade_selection.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

using testing::SimulationCase;

struct HistoryStart {
  Report report;
  ProgramState state;
  NoProgress progress;

  HistoryStart() {
    EXPECT_TRUE(OpenReport(report, FixturePath("statement_closed_days.htm")));
    state.simulationSeed = 11;
  }
  SimulationStart Start(SimulationMode mode, const std::function<void(ReportOptions&)>& set = {}) {
    ReportOptions options = report.options;
    options.simulation = {};  // the boxes as a new window has them
    options.simulation.mode = mode;
    options.simulation.numRunsText = "300";
    if (set) set(options);
    return StartSimulation(report, state, options, progress);
  }
};

// The results drawn from are the walk's own: each closed trade's Balance cell
// less the one before it, under the deposit and sizing chosen.
TEST(HistorySimulation, DrawsTheWalksBalanceChangesUnderTheSizingChosen) {
  HistoryStart c;
  for (const char* lots : {"", "3"}) {
    ASSERT_EQ(c.Start(SimulationMode::resampleTrades,
                      [&](ReportOptions& o) {
                        o.deposit = DepositChoice::custom;
                        o.depositText = "25000";
                        if (*lots) {
                          o.sizing = SizingChoice::miniLots;
                          o.miniContractsText = lots;
                        }
                      }),
              SimulationStart::ran);
    const HistoryResults& h = c.report.simulationResults.history.value();
    const VisibleGrid& grid = c.report.grid1;
    std::vector<double> steps;
    double before = 25000;
    for (int r = 1; r < grid.RowCount(); ++r) {
      if (grid.Cell(g1::ticket, r).empty()) continue;
      const double balance = TextToAmount(grid.Cell(g1::balance, r));
      if (!grid.Cell(g1::closeDate, r).empty()) steps.push_back(balance - before);
      before = balance;
    }
    ASSERT_EQ(h.source.results.size(), steps.size());
    ASSERT_GE(steps.size(), 2u);
    for (std::size_t i = 0; i < steps.size(); ++i)
      EXPECT_NEAR(h.source.results[i], steps[i], 0.011) << lots << " trade " << i;
    EXPECT_EQ(h.runs, 300);
    EXPECT_EQ(c.report.stats.initialDeposit, 25000);
  }
}

TEST(HistorySimulation, RefusesWithAReasonAndPlaysNothing) {
  SimulationCase empty;  // no trades at all
  ReportOptions options = empty.options();
  options.simulation.mode = SimulationMode::shuffleTrades;
  EXPECT_EQ(StartSimulation(empty.report, empty.state, options, empty.progress),
            SimulationStart::badInput);
  EXPECT_EQ(empty.report.simulationResults.notices,
            std::vector<std::string>{"fewer than 2 closed trades to draw from"});
  EXPECT_FALSE(empty.report.simulationResults.history.has_value());

  HistoryStart c;
  struct Case {
    std::string SimulationOptions::*box;
    std::string text, why;
  };
  for (const Case& bad :
       {Case{&SimulationOptions::targetText, "0", "Target % must be above 0 and at most 1000"},
        Case{&SimulationOptions::targetText, "1000.5", "Target % must be above 0 and at most 1000"},
        Case{&SimulationOptions::maxLossText, "", "Max loss % must be above 0 and at most 100"},
        Case{&SimulationOptions::maxLossText, "101", "Max loss % must be above 0 and at most 100"},
        Case{&SimulationOptions::dailyLossText, ".",
             "Daily loss % must be above 0 and at most 100"},
        Case{&SimulationOptions::challengeDaysText, "0",
             "Days must be a whole number from 1 to 1000000"},
        Case{&SimulationOptions::challengeDaysText, "99999999999",
             "Days must be a whole number from 1 to 1000000"}}) {
    c.report.simulationResults.history.reset();
    EXPECT_EQ(c.Start(SimulationMode::tradingChallenge,
                      [&](ReportOptions& o) { o.simulation.*bad.box = bad.text; }),
              SimulationStart::badInput)
        << bad.text;
    EXPECT_EQ(c.report.simulationResults.notices, std::vector<std::string>{bad.why});
    EXPECT_FALSE(c.report.simulationResults.history.has_value());
  }
  EXPECT_EQ(c.Start(SimulationMode::resampleTrades,
                    [](ReportOptions& o) { o.simulation.resampleTradesText = "0"; }),
            SimulationStart::badInput);
  EXPECT_EQ(c.report.simulationResults.notices,
            std::vector<std::string>{"Trades per run must be above 0"});
}

TEST(HistorySimulation, APassDrawsAtMostTheTradesOfAnyOtherPassAndStopsWhenAsked) {
  HistoryStart c;
  ReportOptions options = c.report.options;
  options.simulation.mode = SimulationMode::resampleTrades;
  options.simulation.numRunsText = "1000000";
  options.simulation.resampleTradesText = "1000000";
  testing::StopAfter stop(c.state, 3);
  ASSERT_EQ(StartSimulation(c.report, c.state, options, stop), SimulationStart::ran);
  EXPECT_EQ(c.report.options.simulation.numRunsText, "5000");
  EXPECT_EQ(c.report.simulationResults.notices.front(),
            "runs capped at 5000: a pass draws at most 5000000000 trades, runs times trades per "
            "run");
  EXPECT_EQ(stop.range, 5000);
  // The runs played are the results, and say they are three.
  EXPECT_EQ(c.report.simulationResults.history.value().runs, 3);
}

}  // namespace
}  // namespace quillfen
