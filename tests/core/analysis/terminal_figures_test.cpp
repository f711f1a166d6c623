#include "analysis/terminal_figures.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "../import/import_test_support.h"
#include "../support/figure_walk.h"
#include "actions/view_actions.h"
#include "analysis/figure_text.h"
#include "report_builder.h"

namespace quillfen {
namespace {

using Printed = std::map<std::string, std::string>;

// The statement's printed figures of these results (in money) from this deposit.
Printed Walk(const std::vector<double>& results, double deposit = 1000) {
  std::vector<WalkResult> trades;
  for (double money : results) trades.push_back({money * 100, false});
  Printed printed;
  for (const FigureLine& line :
       TerminalFigureLines(testing::ComputeTerminalFigures(trades, deposit * 100), {}))
    printed[line.label] = line.text;
  return printed;
}

Printed Shown(const Report& report) {
  Printed printed;
  for (const FigureLine& line : report.terminalFigures) printed[line.label] = line.text;
  return printed;
}

TEST(TerminalRuns, EqualRunsReplaceTheLongestOnlyWithMoreMoney) {
  Printed richerLater = Walk({1, 1, -1, 5, 5});
  EXPECT_EQ(richerLater["Maximum consecutive wins ($)"], "2 (10.00)");
  EXPECT_EQ(richerLater["Maximal consecutive profit (count)"], "10.00 (2)");
  Printed poorerLater = Walk({5, 5, -1, 1, 1});
  EXPECT_EQ(poorerLater["Maximum consecutive wins ($)"], "2 (10.00)");
  // As long as the longest, but not richer than the richest run so far.
  Printed notRichest = Walk({20, -1, 1, 1, -1, 3, 3});
  EXPECT_EQ(notRichest["Maximum consecutive wins ($)"], "2 (2.00)");
  EXPECT_EQ(notRichest["Maximal consecutive profit (count)"], "20.00 (1)");
  Printed losses = Walk({-2, -2, 1, -5, -5});
  EXPECT_EQ(losses["Maximum consecutive losses ($)"], "2 (-10.00)");
  EXPECT_EQ(losses["Maximal consecutive loss (count)"], "-10.00 (2)");
}

TEST(TerminalRuns, EqualMoneyGoesToARunLongerThanTheLongest) {
  Printed longer = Walk({10, -1, 4, 6});
  EXPECT_EQ(longer["Maximal consecutive profit (count)"], "10.00 (2)");
  EXPECT_EQ(longer["Maximum consecutive wins ($)"], "2 (10.00)");
  // Longer than the richest run but not than the longest: the richest stays.
  Printed notLonger = Walk({1, 1, 1, -1, 10, -1, 5, 5});
  EXPECT_EQ(notLonger["Maximal consecutive profit (count)"], "10.00 (1)");
  EXPECT_EQ(notLonger["Maximum consecutive wins ($)"], "3 (3.00)");
}

TEST(TerminalRuns, AFirstTradeThatLosesOpensALossRun) {
  Printed printed = Walk({-3, 1, -1, -2});
  EXPECT_EQ(printed["Maximum consecutive losses ($)"], "2 (-3.00)");
  EXPECT_EQ(printed["Maximal consecutive loss (count)"], "-3.00 (2)");
  EXPECT_EQ(printed["Maximum consecutive wins ($)"], "1 (1.00)");
  EXPECT_EQ(printed["Average consecutive wins"], "1");
  EXPECT_EQ(printed["Average consecutive losses"], "2");  // 3 / 2 rounded half up
  EXPECT_EQ(printed["Absolute Drawdown"], "5.00");        // 1000 down to 995
  EXPECT_EQ(printed["Loss trades (% of total)"], "3 (75.00%)");
}

TEST(TerminalDrawdown, AWalkThatEndsInADrawdownClosesItsEpisode) {
  Printed printed = Walk({100, -300, 50});
  EXPECT_EQ(printed["Maximal Drawdown"], "300.00 (27.27%)");
  EXPECT_EQ(printed["Relative Drawdown"], "27.27% (300.00)");
  EXPECT_EQ(printed["Absolute Drawdown"], "200.00");
}

TEST(TerminalDrawdown, MaximalAndRelativeTakeTheirOwnEpisodes) {
  Printed printed = Walk({-50, 950, -200}, 100);
  EXPECT_EQ(printed["Maximal Drawdown"], "200.00 (20.00%)");
  EXPECT_EQ(printed["Relative Drawdown"], "50.00% (50.00)");
  EXPECT_EQ(printed["Absolute Drawdown"], "50.00");
  // Equal drops: the first episode keeps both.
  Printed equal = Walk({-10, 20, -10}, 100);
  EXPECT_EQ(equal["Maximal Drawdown"], "10.00 (10.00%)");
  EXPECT_EQ(equal["Relative Drawdown"], "10.00% (10.00)");
}

TEST(TerminalDrawdown, ADropBelowZeroPrintsItsShareAsItComes) {
  Printed printed = Walk({10, -100}, 50);
  EXPECT_EQ(printed["Relative Drawdown"], "166.67% (100.00)");
  EXPECT_EQ(printed["Absolute Drawdown"], "90.00");
  EXPECT_EQ(printed["Profit Factor"], "0.10");
}

TEST(TerminalText, StatementsGroupThousandsAndTestersSignEveryLoss) {
  const std::vector<WalkResult> wins = {{123456788, false}, {0, true}};
  TerminalFigures figures = testing::ComputeTerminalFigures(wins, 0);
  Printed statement, jpy, tester;
  for (const FigureLine& line : TerminalFigureLines(figures, {})) statement[line.label] = line.text;
  for (const FigureLine& line : TerminalFigureLines(figures, {false, 0}))
    jpy[line.label] = line.text;
  for (const FigureLine& line : TerminalFigureLines(figures, {true, 2}))
    tester[line.label] = line.text;
  EXPECT_EQ(statement["Gross Profit"], "1 234 567.88");
  EXPECT_EQ(statement["Gross Loss"], "0.00");
  EXPECT_EQ(statement["Profit Factor"], "");
  EXPECT_EQ(statement["Expected Payoff"], "617283.94");
  EXPECT_EQ(statement["Short Positions (won %)"], "1 (100.00%)");
  EXPECT_EQ(jpy["Gross Profit"], "1 234 568");
  EXPECT_EQ(jpy["Expected Payoff"], "617283.94");
  EXPECT_EQ(tester["Gross profit"], "1234567.88");
  EXPECT_EQ(tester["Gross loss"], "-0.00");
  EXPECT_EQ(tester["Largest loss trade"], "-0.00");
  EXPECT_EQ(tester["Maximal drawdown (balance)"], "0.00 (0.00%)");
}

TEST(TerminalFiguresOfAReport, FixedLotsRewriteTheResults) {
  using testing::TestTrade;
  Report report = testing::MakeReport(
      {TestTrade{.ticket = "1", .pips = "10", .commissionPerLot = "-7", .profit = "100.00"},
       TestTrade{.ticket = "2", .pips = "-5", .commissionPerLot = "-7", .profit = "-50.00"}});
  ReportOptions options = report.options;
  ASSERT_TRUE(ApplyOptions(report, options));
  EXPECT_EQ(Shown(report)["Total Net Profit"], "36.00");  // 100 - 7 - 50 - 7
  options.sizing = SizingChoice::standardLots;
  options.standardContractsText = "2";
  ASSERT_TRUE(ApplyOptions(report, options));
  Printed printed = Shown(report);
  EXPECT_EQ(printed["Gross Profit"], "186.00");  // 200 - 14
  EXPECT_EQ(printed["Gross Loss"], "114.00");    // 100 + 14
  EXPECT_EQ(printed["Largest loss trade"], "-114.00");
  EXPECT_EQ(printed["Absolute Drawdown"], "0.00");
  EXPECT_EQ(printed["Maximal Drawdown"], "114.00 (1.12%)");  // from 10 186
}

// A statement of a period: 8 800 before its first row (its summary block),
// then a deposit of 1 000 and a credit of 300 before the first trade.
TEST(TerminalFiguresOfAReport, AStatementOfAPeriodStartsFromItsSummaryBlock) {
  Report report;
  ASSERT_TRUE(OpenReport(report, FixturePath("statement_mid_history.htm")));
  EXPECT_DOUBLE_EQ(report.stats.openingBalance, 10100 - 300 - 1000);
  Printed printed = Shown(report);
  EXPECT_EQ(printed["Absolute Drawdown"], "400.00");
  EXPECT_EQ(printed["Maximal Drawdown"], "400.00 (3.96%)");  // of 10 100
  ReportOptions typed = report.options;
  typed.deposit = DepositChoice::custom;
  typed.depositText = "5000";
  ASSERT_TRUE(ApplyOptions(report, typed));
  EXPECT_EQ(Shown(report)["Maximal Drawdown"], "400.00 (8.00%)");
}

// A statement of a period with no deposit in it starts from its opening
// balance, Balance - Closed Trade P/L - Deposit/Withdrawal, each amount on a
// line after its label as the terminal writes them; so does the Summary. A JPY
// account prints whole amounts grouped by blanks ("4 673 889").
TEST(TerminalFiguresOfAReport, APeriodWithoutDepositStartsFromItsOpeningBalance) {
  const struct {
    const char* fixture;
    double opening;
    const char* absolute;
    const char* maximal;
    const char* relative;
  } cases[] = {
      {"statement_period_opening_balance.htm", 10300 - 300 - 0, "400.00", "400.00 (4.00%)",
       "4.00% (400.00)"},
      {"statement_jpy_whole_amounts.htm", 4673889 - 673889 - 0, "12 345", "12 345 (0.31%)",
       "0.31% (12 345)"},
  };
  for (const auto& c : cases) {
    Report report;
    ASSERT_TRUE(OpenReport(report, FixturePath(c.fixture))) << c.fixture;
    EXPECT_DOUBLE_EQ(report.stats.openingBalance, c.opening) << c.fixture;
    EXPECT_EQ(report.options.deposit, DepositChoice::statement) << c.fixture;
    EXPECT_DOUBLE_EQ(report.stats.initialDeposit, c.opening) << c.fixture;
    Printed printed = Shown(report);
    EXPECT_EQ(printed["Absolute Drawdown"], c.absolute) << c.fixture;
    EXPECT_EQ(printed["Maximal Drawdown"], c.maximal) << c.fixture;
    EXPECT_EQ(printed["Relative Drawdown"], c.relative) << c.fixture;
  }
}

TEST(TerminalFiguresOfAReport, OneSymbolGivesTheStatementOfItsTradesAlone) {
  Report mix, alone;
  ASSERT_TRUE(OpenReport(mix, FixturePath("statement_analysis_mix.htm")));
  ASSERT_TRUE(OpenReport(alone, FixturePath("statement_eurusd_of_mix.htm")));
  ListSelections only = CurrentSelections(mix);
  for (int i = 0; i < mix.pairsListBox.Size(); ++i)
    only.pairs[static_cast<std::size_t>(i)] = mix.pairsListBox.Item(i) == "EURUSD";
  ASSERT_TRUE(SelectTrades(mix, mix.options, only));
  ASSERT_FALSE(alone.terminalFigures.empty());
  EXPECT_EQ(Shown(mix), Shown(alone));
  EXPECT_EQ(Shown(mix)["Total Trades"], "5");
  ASSERT_EQ(mix.breakdown.symbols.size(), 1U);
  EXPECT_EQ(mix.breakdown.symbols[0].trades, 5);
}

// A swap closes an order and reopens it under the same number: each closing
// row walks in its own place (+5, -2, +5, +22, -1), and once trades are
// deleted the net profit is the walked trades' own, not the printed balance's.
TEST(TerminalFiguresOfAReport, EachClosingOfAReopenedOrderWalksInItsPlace) {
  Report report;
  ASSERT_TRUE(OpenReport(report, FixturePath("tester_swap_reopen.htm")));
  Printed printed = Shown(report);
  EXPECT_EQ(printed["Total trades"], "5");
  EXPECT_EQ(printed["Maximum consecutive wins (profit in money)"], "2 (27.00)");
  EXPECT_EQ(printed["Maximal consecutive profit (count of wins)"], "27.00 (2)");
  EXPECT_EQ(printed["Total net profit"], "29.00");
  ASSERT_EQ(DeleteGridRows(report, report.options, {2, 3}), 2);
  printed = Shown(report);
  EXPECT_EQ(printed["Total trades"], "3");
  EXPECT_EQ(printed["Total net profit"], "26.00");
}

}  // namespace
}  // namespace quillfen
