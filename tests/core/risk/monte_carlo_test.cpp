#include "risk/monte_carlo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "report_parts.h"
#include "simulation_test_support.h"

namespace quillfen {
namespace {

using testing::SimulationCase;
using testing::StopAfter;

struct OutcomeCase {
  const char* name;
  std::function<void(SimulationCase&)> setUp;
  const char* perfect;
  const char* riskOfRuin;
  const char* balance;
};

void Dollars(SimulationCase& c, const char* deposit, const char* win, const char* profit,
             const char* loss, const char* maxDrawdown, const char* trades) {
  c.options().depositText = deposit;
  c.panel().dollars = true;
  c.panel().percWinsText = win;
  c.panel().avgProfitText = profit;
  c.panel().avgLossText = loss;
  c.panel().maxDrawdownText = maxDrawdown;
  c.panel().numTradesText = trades;
}

// Cases whose every run is the same, so the boxes are known exactly.
TEST(MonteCarloPass, DeterministicOutcomes) {
  const OutcomeCase cases[] = {
      {"win 100 is never ruined and always perfect",
       [](SimulationCase& c) { c.panel().percWinsText = "100"; }, "100.0%", "0.0%",
       "13000"},  // 10000 + 100 trades × 1 mini lot × 30 pips
      {"win 0 ruins at the 30% drawdown",
       [](SimulationCase& c) { Dollars(c, "10000", "0", "30", "500", "30", "100"); }, "0.0%",
       "100.0%", "6500"},  // 7 losses leave 6500: 3500 down is past 3000
      {"fixed amount mini at balance 500 and amount 1000 trades 0.01 lots",
       [](SimulationCase& c) {
         c.options().depositText = "500";
         c.options().sizing = SizingChoice::miniAmount;
         c.panel().percWinsText = "100";
         c.panel().avgProfitText = "1000";
         c.panel().numTradesText = "1";
       },
       "100.0%", "0.0%", "510"},
      {"a maximum of 0 yields the minimum",
       [](SimulationCase& c) {
         c.options().depositText = "500";
         c.options().sizing = SizingChoice::miniLots;
         c.options().miniContractsText = "5";
         c.options().maxMiniLotsText = "0";
         c.panel().percWinsText = "100";
         c.panel().avgProfitText = "1000";
         c.panel().numTradesText = "1";
       },
       "100.0%", "0.0%", "510"},
      {"a size between 0 and the minimum stays",
       [](SimulationCase& c) {
         c.options().sizing = SizingChoice::miniLots;
         c.options().miniContractsText = "0.005";
         c.panel().percWinsText = "100";
         c.panel().avgProfitText = "1000";
         c.panel().numTradesText = "2";
       },
       "100.0%", "0.0%", "10010"},
      {"standard lots count ten mini pips",
       [](SimulationCase& c) {
         c.options().sizing = SizingChoice::standardLots;
         c.options().standardContractsText = "2";
         c.panel().percWinsText = "100";
         c.panel().avgProfitText = "10";
         c.panel().numTradesText = "3";
       },
       "100.0%", "0.0%", "10600"},
      {"fixed amount standard compounds",
       [](SimulationCase& c) {
         c.options().sizing = SizingChoice::standardAmount;
         c.options().standardAmountText = "10000";
         c.panel().percWinsText = "100";
         c.panel().avgProfitText = "1000";
         c.panel().numTradesText = "2";
       },
       "100.0%", "0.0%", "40000"},  // 1 lot: +10000, then 2 lots: +20000
      {"exactly 3000 down from 10000 at 30% is not ruin",
       [](SimulationCase& c) { Dollars(c, "10000", "0", "1", "3000", "30", "1"); }, "0.0%", "0.0%",
       "7000"},
      {"just below 7000 is ruin",
       [](SimulationCase& c) { Dollars(c, "10000", "0", "1", "3000.01", "30", "1"); }, "0.0%",
       "100.0%", "6999"},
      {"a balance of exactly 0 continues as 1",
       [](SimulationCase& c) { Dollars(c, "1000", "0", "1", "1000", "100", "1"); }, "0.0%", "0.0%",
       "1"},
  };
  for (const OutcomeCase& oc : cases) {
    SCOPED_TRACE(oc.name);
    SimulationCase c;
    c.panel().numRunsText = "50";
    oc.setUp(c);
    const MonteCarloResults& r = c.Pass();
    EXPECT_EQ(r.perfect, oc.perfect);
    EXPECT_EQ(r.riskOfRuin, oc.riskOfRuin);
    EXPECT_EQ(r.balance, oc.balance);
  }
}

TEST(MonteCarloPass, RuinAtTheFirstTradeThatFallsPastTheLimit) {
  SimulationCase c;
  Dollars(c, "10000", "0", "1", "1000", "30", "100");
  c.panel().numRunsText = "20";
  const MonteCarloResults& r = c.Pass();
  // 9000, 8000, 7000 keep going; 6000 is past 3000 down.
  EXPECT_EQ(r.balance, "6000");
  EXPECT_EQ(r.avgDrawdown, "40.0%");
  EXPECT_EQ(r.returnPercent, "-40.0%");
  EXPECT_EQ(r.riskOfRuin, "100.0%");
  EXPECT_DOUBLE_EQ(c.state.LastSimulationFigures.riskOfRuin, 100);
  EXPECT_DOUBLE_EQ(c.state.LastSimulationFigures.avgDrawdown, 40);
  EXPECT_DOUBLE_EQ(c.state.LastSimulationFigures.returnPercent, -40);
}

TEST(MonteCarloPass, ARuinedRunThatNeverFellBelowTheDepositIsPerfect) {
  SimulationCase c;
  // Win then loss: 20000, then 15000 is 25% down, past 20%, yet never below 10000.
  Dollars(c, "10000", "50", "10000", "5000", "20", "2");
  c.panel().numRunsText = "200";
  const MonteCarloResults& r = c.Pass();
  const double perfect = std::stod(r.perfect), ruined = std::stod(r.riskOfRuin);
  EXPECT_GT(perfect + ruined, 100);  // some runs are both
  EXPECT_LT(perfect, 100);
}

TEST(MonteCarloPass, ProfitPerTradeErrorRateAndColour) {
  struct Row {
    const char *win, *profit, *loss, *trades;
    const char *profitPerTrade, *errorRate;
    bool red;
  };
  const Row rows[] = {
      {"40", "30", "20", "100", "0", "10.0%", true},   // 40 × 30 = 60 × 20: red at exactly 0
      {"45", "30", "20", "3", "2.5", "57.7%", false},  // 100 / √3
      {"30", "30", "20", "10000", "-5", "1.0%", true},
      {"100", "12.5", "0", "1", "12.5", "100.0%", false},
  };
  for (const Row& row : rows) {
    SimulationCase c;
    c.panel().numRunsText = "8";
    c.panel().percWinsText = row.win;
    c.panel().avgProfitText = row.profit;
    c.panel().avgLossText = row.loss;
    c.panel().numTradesText = row.trades;
    const MonteCarloResults& r = c.Pass();
    EXPECT_EQ(r.profitPerTrade, row.profitPerTrade) << row.win;
    EXPECT_EQ(r.profitPerTradeRed, row.red) << row.win;
    EXPECT_EQ(r.errorRate, row.errorRate) << row.trades;
  }
}

TEST(MonteCarloPass, StopMidPassComputesOverTheRunsPlayed) {
  SimulationCase c;
  Dollars(c, "10000", "0", "1", "5000", "30", "100");  // every run ruined at its first trade
  c.panel().numRunsText = "1000";
  StopAfter stop(c.state, 3);
  RunMonteCarloPass(TargetOf(c.report), c.state, stop);
  const MonteCarloResults& r = c.report.simulationResults;
  EXPECT_EQ(stop.range, 1000);
  EXPECT_EQ(stop.position, 3);
  EXPECT_EQ(r.riskOfRuin, "100.0%");
  EXPECT_EQ(r.balance, "5000");
  // Ruin counts 1, 2, 3 over n = 3 runs: buckets 0, 50 and 99 of width 2 / 100.
  EXPECT_EQ(r.ruinRange, "33.3% - 99.3%");
}

TEST(MonteCarloPass, SameSeedSameResultsAndEachSeedItsOwn) {
  auto run = [](std::uint64_t seed) {
    SimulationCase c;
    c.state.simulationSeed = seed;
    c.options().sizing = SizingChoice::miniAmount;
    c.panel().numRunsText = "500";
    c.Pass();
    return std::make_pair(c.report.simulationResults, c.state.LastSimulationFigures);
  };
  const auto [a, fa] = run(7);
  const auto [b, fb] = run(7);
  const auto [d, fd] = run(8);
  EXPECT_EQ(a.balance, b.balance);
  EXPECT_EQ(a.returnRange, b.returnRange);
  EXPECT_EQ(a.drawdownRange, b.drawdownRange);
  EXPECT_EQ(fa.returnPercent, fb.returnPercent);
  EXPECT_EQ(fa.avgDrawdown, fb.avgDrawdown);
  EXPECT_NE(fa.returnPercent, fd.returnPercent);
}

TEST(MonteCarloPass, MeanFinalBalanceMatchesTheClosedForm) {
  SimulationCase c;
  Dollars(c, "1000000", "45", "30", "20", "100", "100");
  c.panel().numRunsText = "100000";
  c.Pass();
  const double d = 1000000, n = 100, p = 0.45, win = 30, loss = 20, runs = 100000;
  const double expected = d + n * (p * win - (1 - p) * loss);
  const double standardError = std::sqrt(n * p * (1 - p) * (win + loss) * (win + loss) / runs);
  const double mean = d + c.state.LastSimulationFigures.returnPercent * d / 100;
  EXPECT_NEAR(mean, expected, 4 * standardError);
  EXPECT_EQ(c.report.simulationResults.riskOfRuin, "0.0%");
}

TEST(MonteCarloPass, NothingToPlayLeavesTheResults) {
  const std::function<void(SimulationCase&)> cases[] = {
      [](SimulationCase& c) { c.panel().numRunsText = "0"; },
      [](SimulationCase& c) { c.panel().numRunsText = "-3"; },
      [](SimulationCase& c) { c.panel().numTradesText = "0"; },
      [](SimulationCase& c) { c.panel().numTradesText = "-1"; },
      [](SimulationCase& c) { c.options().depositText = "0.99"; },
      [](SimulationCase& c) { c.options().depositText = "-5000"; },
      [](SimulationCase& c) { c.panel().daysMode = true; },  // no listed trades: 0 per run
  };
  for (const auto& setUp : cases) {
    SimulationCase c;
    c.report.simulationResults.balance = "kept";
    c.state.LastSimulationFigures.riskOfRuin = 42;
    setUp(c);
    StopAfter progress(c.state, 1 << 30);
    RunMonteCarloPass(TargetOf(c.report), c.state, progress);
    EXPECT_EQ(c.report.simulationResults.balance, "kept");
    EXPECT_EQ(c.state.LastSimulationFigures.riskOfRuin, 42);
    EXPECT_EQ(progress.range, -1);
  }
}

TEST(MonteCarloPass, RunCountIsCappedWithoutSizingSeriesBeyondIt) {
  SimulationCase c;
  c.panel().numRunsText = "2000000000";
  StopAfter stop(c.state, 10);
  RunMonteCarloPass(TargetOf(c.report), c.state, stop);
  EXPECT_EQ(stop.range, kMaxSimulationRuns);
  EXPECT_EQ(stop.position, 10);
}

// The error rate tells the trades per run: 100 / sqrt(1000000) = 0.1%. A pass
// that played the typed length would hit the stop first and show nothing.
TEST(MonteCarloPass, TradesPerRunAreCappedTypedOrFromDays) {
  SimulationCase typed;
  typed.panel().numTradesText = "2000000000";
  SimulationCase days;
  days.panel().daysMode = true;
  days.panel().numDaysText = "1000000";
  days.report.grid1.SetRowCount(30);
  days.report.stats.periodDays = 3;  // 28 trades in 3 days: 9333333 trades per run
  for (SimulationCase* c : {&typed, &days}) {
    c->panel().numRunsText = "2";
    StopAfter stop(c->state, 1 << 30, 200);
    RunMonteCarloPass(TargetOf(c->report), c->state, stop);
    EXPECT_EQ(c->report.simulationResults.errorRate, "0.1%");
  }
}

TEST(MonteCarloPass, LongRunsStayStoppable) {
  SimulationCase c;
  c.panel().percWinsText = "100";  // never ruined: every run plays all its trades
  c.panel().numTradesText = "1000000000";
  c.panel().numRunsText = "1000000";
  c.report.simulationResults.balance = "kept";
  StopAfter stop(c.state, 1, 2);
  RunMonteCarloPass(TargetOf(c.report), c.state, stop);
  EXPECT_EQ(stop.pumped, 2);
  EXPECT_EQ(stop.position, 0);
  EXPECT_EQ(c.report.simulationResults.balance, "kept");
}

TEST(MonteCarloPass, StatementSizingTakesTheLotKindFromTheFirstPipValue) {
  for (auto [trades, balance] : {std::pair{"2", "10020"}, std::pair{"3", "10300"}}) {
    SimulationCase c;
    c.report.grid1.SetRowCount(4);
    c.report.grid1.SetCell(16, 1, "0");
    c.report.grid1.SetCell(16, 2, "7.5");  // standard lots: 10 mini pips each
    c.report.grid1.SetCell(16, 3, "0.75");
    c.panel().percWinsText = "100";
    c.panel().avgProfitText = "10";
    c.panel().numTradesText = trades;  // rows 1 up to trades - 1 decide
    c.panel().numRunsText = "9";
    EXPECT_EQ(c.Pass().balance, balance) << trades;
  }
}

TEST(MonteCarloPass, StatementWithoutDepositSwitchesToTheCustomDeposit) {
  SimulationCase c;
  c.options().deposit = DepositChoice::statement;
  c.options().depositText = "2500";
  c.panel().percWinsText = "100";
  c.panel().numTradesText = "1";
  c.panel().numRunsText = "8";
  EXPECT_EQ(c.Pass().balance, "2530");
  EXPECT_EQ(c.options().deposit, DepositChoice::custom);

  SimulationCase s;
  s.options().deposit = DepositChoice::statement;
  s.report.stats.statementDeposit = 700.9;  // D = 700
  s.panel().percWinsText = "100";
  s.panel().numTradesText = "1";
  s.panel().numRunsText = "8";
  EXPECT_EQ(s.Pass().returnPercent, "4.4%");  // (730.9 - 700) / 700
  EXPECT_EQ(s.options().deposit, DepositChoice::statement);
}

TEST(MonteCarloPass, EqualSeriesGiveRangesOfZeroWidth) {
  SimulationCase c;
  c.panel().percWinsText = "100";
  c.panel().numRunsText = "20";
  const MonteCarloResults& r = c.Pass();
  EXPECT_EQ(r.returnRange, "30.0% - 30.0%");
  EXPECT_EQ(r.balanceRange, "13000 - 13000");
  EXPECT_EQ(r.drawdownRange, "0.0% - 0.0%");
  EXPECT_EQ(r.ruinRange, "0.0% - 0.0%");
  EXPECT_EQ(r.deviation, "0.0%");
}

TEST(MonteCarloPass, TinyLossesShowNoSignedZero) {
  SimulationCase c;
  Dollars(c, "10000", "0", "1", "0.001", "30", "1");
  c.panel().numRunsText = "8";
  const MonteCarloResults& r = c.Pass();
  EXPECT_EQ(r.returnPercent, "0.0%");
  EXPECT_EQ(r.returnRange, "0.0% - 0.0%");
  EXPECT_EQ(r.profitPerTrade, "-0.001");
}

TEST(TradesForDays, ConvertsAndGuards) {
  EXPECT_EQ(TradesForDays(52, 200, 365), 91);
  EXPECT_EQ(TradesForDays(52, 0, 3), 150);  // a span of 0 counts as 1
  EXPECT_EQ(TradesForDays(2, 200, 365), 0);
  EXPECT_EQ(TradesForDays(52, 200, -365), 0);
  EXPECT_EQ(TradesForDays(200000, 0, std::numeric_limits<std::int32_t>::max()),
            std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace quillfen
