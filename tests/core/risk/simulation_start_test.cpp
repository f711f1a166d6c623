#include "risk/simulation_start.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "actions/simulation_actions.h"
#include "simulation_test_support.h"

namespace quillfen {
namespace {

using testing::SimulationCase;
using testing::StopAfter;

TEST(SimulationStart, DepositRefusals) {
  ReportStatistics withDeposit, withoutDeposit;
  withDeposit.statementDeposit = 5000;
  EXPECT_TRUE(SimulationDepositAccepted(DepositChoice::statement, "", withDeposit));
  EXPECT_FALSE(SimulationDepositAccepted(DepositChoice::statement, "5000", withoutDeposit));
  const std::pair<const char*, bool> custom[] = {
      {"5000", true}, {"12.9", true}, {"-3", true}, {"0", false},
      {"0.5", false}, {"abc", false}, {"", false},  {"99999999999", false}};
  for (auto [text, accepted] : custom)
    EXPECT_EQ(SimulationDepositAccepted(DepositChoice::custom, text, withoutDeposit), accepted)
        << text;
}

TEST(SimulationStart, EveryNeededBoxMustHoldText) {
  std::string ReportOptions::*options[] = {&ReportOptions::depositText};
  std::string SimulationOptions::*panel[] = {
      &SimulationOptions::avgProfitText,   &SimulationOptions::percWinsText,
      &SimulationOptions::maxDrawdownText, &SimulationOptions::avgLossText,
      &SimulationOptions::numTradesText,   &SimulationOptions::numRunsText};
  SimulationCase base;
  EXPECT_TRUE(SimulationInputsAccepted(base.options()));
  for (auto field : options) {
    SimulationCase c;
    c.options().*field = "";
    EXPECT_FALSE(SimulationInputsAccepted(c.options()));
  }
  for (auto field : panel) {
    SimulationCase c;
    c.panel().*field = "";
    EXPECT_FALSE(SimulationInputsAccepted(c.options()));
  }
  SimulationCase notNeeded;
  notNeeded.panel().numDaysText = "";
  notNeeded.panel().accuracyText = "";
  EXPECT_TRUE(SimulationInputsAccepted(notNeeded.options()));
}

// Counts beyond 32 bits, which would read as 0 and play nothing, are capped too.
TEST(SimulationStart, CountsAboveTheirCapsBecomeTheCap) {
  const std::pair<const char*, const char*> rows[] = {{"2000000", "1000000"},
                                                      {"1000001", "1000000"},
                                                      {"1000000", "1000000"},
                                                      {"10000.5", "10000.5"},
                                                      {"2147483648", "1000000"},
                                                      {"1000000000000.5", "1000000"},
                                                      {"99999999999999999999999", "1000000"},
                                                      {"00000000000000012", "00000000000000012"},
                                                      {"-2147483649", "-2147483649"}};
  const std::pair<std::string SimulationOptions::*, const char*> boxes[] = {
      {&SimulationOptions::numRunsText, "runs"},
      {&SimulationOptions::numTradesText, "trades per run"},
      {&SimulationOptions::numDaysText, "days per run"}};
  for (auto [box, what] : boxes) {
    for (auto [typed, kept] : rows) {
      SimulationCase c;
      c.panel().*box = typed;
      std::vector<std::string> notices;
      EXPECT_TRUE(SimulationInputsAccepted(c.options(), &notices));
      EXPECT_EQ(c.panel().*box, kept);
      const std::vector<std::string> said =
          std::string(typed) == kept
              ? std::vector<std::string>{}
              : std::vector<std::string>{std::string(what) + " capped at 1000000"};
      EXPECT_EQ(notices, said) << typed;
    }
  }
}

TEST(SimulationStart, ClearsTheStopFlagAndTheBoxesThenRunsTheMode) {
  SimulationCase c;
  c.state.SimulationStopRequested = true;
  c.report.simulationResults.deviation = "old";
  c.report.simulationResults.ruinRange = "old tooltip";
  c.panel().numRunsText = "0";  // the pass plays nothing
  RunSimulation(c.report, c.state, c.progress);
  EXPECT_FALSE(c.state.SimulationStopRequested);
  EXPECT_EQ(c.report.simulationResults.deviation, "");
  EXPECT_EQ(c.report.simulationResults.ruinRange, "old tooltip");

  c.panel().percWinsText = "10";
  c.panel().mode = SimulationMode::minimumDeposit;
  RunSimulation(c.report, c.state, c.progress);
  EXPECT_EQ(c.report.simulationResults.minDeposit, "0");
  c.panel().mode = SimulationMode::minimumTrades;
  RunSimulation(c.report, c.state, c.progress);
  EXPECT_EQ(c.report.simulationResults.minTrades, "0");
}

bool ShowsSignedZero(const std::string& text) {
  static const std::regex signedZero(R"((^|[^0-9.])-0(\.0+)?($|[^0-9.]))");
  return std::regex_search(text, signedZero);
}

// Every box empty, zero, negative, not a number or huge, in every mode: no
// crash, no signed zero (nor a signed NaN), and the pass stays stoppable.
TEST(SimulationStart, BadInputNeverBreaksThePass) {
  const std::string huge = "1" + std::string(308, '0');
  const std::string texts[] = {"",      "0",  "-5",       "abc",       "1000000000000",
                               "1e308", huge, "-" + huge, "0.0000001", "1000000000",
                               "99.99"};
  std::string ReportOptions::*options[] = {
      &ReportOptions::depositText,           &ReportOptions::miniContractsText,
      &ReportOptions::standardContractsText, &ReportOptions::miniAmountText,
      &ReportOptions::standardAmountText,    &ReportOptions::minMiniLotsText,
      &ReportOptions::maxMiniLotsText,       &ReportOptions::minStandardLotsText,
      &ReportOptions::maxStandardLotsText};
  std::string SimulationOptions::*panel[] = {
      &SimulationOptions::avgProfitText, &SimulationOptions::avgLossText,
      &SimulationOptions::percWinsText,  &SimulationOptions::maxDrawdownText,
      &SimulationOptions::numTradesText, &SimulationOptions::numDaysText,
      &SimulationOptions::numRunsText,   &SimulationOptions::accuracyText};
  const SizingChoice sizings[] = {SizingChoice::original, SizingChoice::miniAmount,
                                  SizingChoice::standardLots};
  int pass = 0;
  auto check = [&](auto setField) {
    for (const std::string& text : texts) {
      SimulationCase c;
      const int i = pass++;
      c.options().sizing = sizings[i % 3];
      c.panel().mode = static_cast<SimulationMode>(i % 3);
      c.panel().daysMode = i % 5 == 0;
      c.panel().dollars = i % 7 == 0;
      c.panel().numRunsText = "40";
      c.report.grid1.SetRowCount(30);
      c.report.stats.periodDays = 3;
      setField(c, text);
      StopAfter stop(c.state, 1 << 30, 200);
      if (!SimulationInputsAccepted(c.options())) continue;
      RunSimulation(c.report, c.state, stop);
      const MonteCarloResults& r = c.report.simulationResults;
      for (const std::string* box :
           {&r.perfect, &r.riskOfRuin, &r.balance, &r.returnPercent, &r.profitPerTrade,
            &r.avgDrawdown, &r.errorRate, &r.deviation, &r.returnRange, &r.balanceRange,
            &r.drawdownRange, &r.ruinRange, &r.minDeposit, &r.minTrades}) {
        EXPECT_FALSE(ShowsSignedZero(*box)) << *box << " for " << text.substr(0, 20);
        EXPECT_EQ(box->find("-nan"), std::string::npos) << *box;
      }
      EXPECT_LE(stop.position, kMaxSimulationRuns);
    }
  };
  for (auto field : options)
    check([field](SimulationCase& c, const std::string& text) { c.options().*field = text; });
  for (auto field : panel)
    check([field](SimulationCase& c, const std::string& text) { c.panel().*field = text; });
}

}  // namespace
}  // namespace quillfen
