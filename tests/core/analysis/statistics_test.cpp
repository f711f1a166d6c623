#include "analysis/statistics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../report_invariants.h"
#include "analysis/trade_selection.h"
#include "report_builder.h"

namespace quillfen {
namespace {

using testing::MakeReport;
using testing::TestTrade;

// A trade whose profit under the original sizing is pips × lots × pip value:
// one lot at a pip value of 1, so the profit equals its pips.
TestTrade Result(std::string ticket, std::string pips) {
  return {.ticket = std::move(ticket), .pips = std::move(pips), .pipValuePerLot = "1"};
}

std::vector<std::string> Markers(const Report& report) {
  std::vector<std::string> marks;
  for (int r = 1; r < report.grid1.RowCount(); ++r) marks.emplace_back(report.grid1.Cell(14, r));
  return marks;
}

using Texts = std::vector<std::string>;

TEST(RecomputeStatistics, ZeroResultWinsAndCostsCanMakeALoser) {
  TestTrade costly = Result("1", "10");
  costly.commissionPerLot = "-12";
  Report report = MakeReport({costly, Result("2", "0")});
  RecomputeStatistics(report, report.stats, report.options);
  ExpectWalkInvariants(report);
  const ReportStatistics& s = report.stats;
  EXPECT_EQ(s.tradeCount, 2);
  EXPECT_EQ(s.winCount, 1);
  EXPECT_EQ(s.lossCount, 1);
  EXPECT_DOUBLE_EQ(s.grossLoss, 10 - 12);
  EXPECT_DOUBLE_EQ(s.grossProfit, 0);
  // +10 profit is no largest loss; the largest trades compare the profit alone.
  EXPECT_DOUBLE_EQ(s.largestLoss, 0);
  EXPECT_DOUBLE_EQ(s.largestWin, 0);
  EXPECT_DOUBLE_EQ(s.netProfit, 10 - 12);
  EXPECT_DOUBLE_EQ(s.commissionTotal, -12);
}

TEST(RecomputeStatistics, LargestTradesKeepTheEarlierOfEqualOnes) {
  // Equal profits from different pips: half a lot at 1 per pip, or one lot at 2.
  TestTrade halfLotWin{.ticket = "2", .lots = "0.5", .pips = "100", .pipValuePerLot = "1"};
  TestTrade doubleValueWin{.ticket = "3", .pips = "25", .pipValuePerLot = "2"};
  TestTrade halfLotLoss{.ticket = "5", .lots = "0.5", .pips = "-80", .pipValuePerLot = "1"};
  TestTrade doubleValueLoss{.ticket = "6", .pips = "-20", .pipValuePerLot = "2"};
  Report report = MakeReport({Result("1", "30"), halfLotWin, doubleValueWin, Result("4", "-20"),
                              halfLotLoss, doubleValueLoss});
  RecomputeStatistics(report, report.stats, report.options);
  ExpectWalkInvariants(report);
  const ReportStatistics& s = report.stats;
  EXPECT_DOUBLE_EQ(s.largestWin, 50);
  EXPECT_DOUBLE_EQ(s.largestWinPips, 0.5 * 100);
  EXPECT_DOUBLE_EQ(s.largestLoss, -40);
  EXPECT_DOUBLE_EQ(s.largestLossPips, 0.5 * -80);
  EXPECT_DOUBLE_EQ(s.totalPips, 30 + 0.5 * 100 + 25 - 20 - 0.5 * 80 - 20);
  EXPECT_DOUBLE_EQ(s.totalPipsPerLot, 30 + 100 + 25 - 20 - 80 - 20);
  EXPECT_DOUBLE_EQ(s.winPipsPerLot, 30 + 100 + 25);
  EXPECT_DOUBLE_EQ(s.totalLots, 5);
}

TEST(RecomputeStatistics, AveragesAndARealPercentage) {
  Report report = MakeReport({Result("1", "20"), Result("2", "-20"), Result("3", "40")});
  RecomputeStatistics(report, report.stats, report.options);
  const ReportStatistics& s = report.stats;
  EXPECT_DOUBLE_EQ(s.percentProfitable, 200.0 / 3);
  EXPECT_DOUBLE_EQ(s.averageWin, 30);
  EXPECT_DOUBLE_EQ(s.averageLoss, -20);
  EXPECT_DOUBLE_EQ(s.averageWinPips, 30);
  EXPECT_DOUBLE_EQ(s.averagePips, 40.0 / 3);
  EXPECT_DOUBLE_EQ(s.returnPercent, 40 * 100.0 / 10000);
}

TEST(RecomputeStatistics, DrawdownFromTheDepositMarksRowOne) {
  Report report = MakeReport({Result("1", "-100"), Result("2", "-200"), Result("3", "50"),
                              Result("4", "-300"), Result("5", "1000")});
  RecomputeStatistics(report, report.stats, report.options);
  ExpectWalkInvariants(report);
  EXPECT_EQ(Markers(report), (Texts{"*", "*", "*", "*", ""}));
  EXPECT_DOUBLE_EQ(report.stats.maxDrawdownPercent, 550 * 100.0 / 10000);
  EXPECT_DOUBLE_EQ(report.stats.maxDrawdown, 550);
  EXPECT_EQ(report.grid1.Cell(13, 4), "      9450.00");
  EXPECT_DOUBLE_EQ(report.stats.maxBalance, 10450);
  EXPECT_DOUBLE_EQ(report.stats.minBalance, 9450);
}

TEST(RecomputeStatistics, DrawdownAfterAPeakLeavesThePeakRowUnmarked) {
  Report report =
      MakeReport({Result("1", "100"), Result("2", "-50"), Result("3", "-100"), Result("4", "10")});
  RecomputeStatistics(report, report.stats, report.options);
  EXPECT_EQ(Markers(report), (Texts{"", "*", "*", ""}));
  EXPECT_DOUBLE_EQ(report.stats.maxDrawdownPercent, 150 * 100.0 / 10100);
}

TEST(RecomputeStatistics, FirstOfEqualDrawdownsStays) {
  Report report = MakeReport({Result("1", "-100"), Result("2", "100"), Result("3", "-100")});
  RecomputeStatistics(report, report.stats, report.options);
  EXPECT_EQ(Markers(report), (Texts{"*", "", ""}));
}

TEST(RecomputeStatistics, NoTroughClearsStaleMarkers) {
  Report report = MakeReport({Result("1", "-100"), Result("2", "50")});
  RecomputeStatistics(report, report.stats, report.options);
  ASSERT_EQ(Markers(report), (Texts{"*", ""}));
  report.options.sizing = SizingChoice::standardLots;
  report.options.standardContractsText = "1";
  report.grid1.SetCell(11, 1, "100");  // now only winners
  RecomputeStatistics(report, report.stats, report.options);
  EXPECT_EQ(Markers(report), (Texts{"", ""}));
}

TEST(RecomputeStatistics, EmptyListWritesOnlyTheBalanceOfItsBlankRow) {
  Report report = MakeReport({}, "2500");
  RecomputeStatistics(report, report.stats, report.options);
  ExpectWalkInvariants(report);
  const ReportStatistics& s = report.stats;
  EXPECT_EQ(s.tradeCount, 0);
  EXPECT_EQ(s.winCount, 0);
  EXPECT_DOUBLE_EQ(s.percentProfitable, 0);
  EXPECT_EQ(report.grid1.Cell(13, 1), "      2500.00");
  EXPECT_EQ(report.grid1.Cell(2, 1), "");
  EXPECT_EQ(report.grid1.Cell(12, 1), "");
  EXPECT_EQ(report.grid2.Cell(8, 1), "");
  EXPECT_DOUBLE_EQ(s.runningBalance, 2500);
  EXPECT_DOUBLE_EQ(s.maxDrawdownPercent, 0);
}

TEST(RecomputeStatistics, WritesTheSizedCells) {
  struct Case {
    const char* name;
    SizingChoice sizing;
    std::string pipValue;
    const char* lots;
    const char* profit;
    const char* commission;
    const char* swap;
  };
  // 20 pips, statement lots 0.50, commission -2 and swap -0.5 per lot.
  const Case cases[] = {
      {"original, standard statement", SizingChoice::original, "10", "  0.50", "100.00", "  -1.00",
       "  -0.25"},
      // A mini statement traded as one standard lot: profit and swap ×10, commission not.
      {"mini statement as 1 standard lot", SizingChoice::standardLots, "1", "  1.00", "200.00",
       "  -2.00", "  -5.00"},
      {"standard statement as 1 mini lot", SizingChoice::miniLots, "10", "  1.00", "20.00",
       "  -2.00", "  -0.05"},
      {"standard statement as 1 standard lot", SizingChoice::standardLots, "10", "  1.00", "200.00",
       "  -2.00", "  -0.50"},
  };
  for (const Case& c : cases) {
    TestTrade trade{.ticket = "1",
                    .lots = "0.50",
                    .pips = "20",
                    .pipValuePerLot = c.pipValue,
                    .commissionPerLot = "-2",
                    .swapPerLot = "-0.5"};
    Report report = MakeReport({trade});
    report.options.sizing = c.sizing;
    RecomputeStatistics(report, report.stats, report.options);
    ExpectWalkInvariants(report);
    EXPECT_EQ(report.grid1.Cell(2, 1), c.lots) << c.name;
    EXPECT_EQ(report.grid2.Cell(2, 1), c.lots) << c.name;
    EXPECT_EQ(report.grid1.Cell(12, 1), c.profit) << c.name;
    EXPECT_EQ(report.grid2.Cell(10, 1), c.profit) << c.name;
    EXPECT_EQ(report.grid2.Cell(8, 1), c.commission) << c.name;
    EXPECT_EQ(report.grid2.Cell(9, 1), c.swap) << c.name;
  }
}

TEST(RecomputeStatistics, FixedAmountFollowsTheBalanceBeforeEachTrade) {
  // The first trade takes the balance to 25 730, the second then trades 2.57 lots.
  Report report = MakeReport({Result("1", "15730"), Result("2", "1")});
  report.options.sizing = SizingChoice::standardAmount;
  report.grid1.SetCell(16, 1, "10");  // first trade: 1 lot (10000 / 10000) at 10 per pip
  report.grid1.SetCell(11, 1, "1573");
  report.grid1.SetCell(16, 2, "10");
  RecomputeStatistics(report, report.stats, report.options);
  ExpectWalkInvariants(report);
  EXPECT_EQ(report.grid1.Cell(2, 1), "  1.00");
  EXPECT_EQ(report.grid1.Cell(13, 1), "     25730.00");
  EXPECT_EQ(report.grid1.Cell(2, 2), "  2.57");
  EXPECT_EQ(report.grid1.Cell(12, 2), "25.70");
}

// A trade the statement closed flat (or without lots) has no pip value: as
// the statement sized it, it keeps its printed profit, a fee in a tester
// report; every other sizing rebuilds it from its pips, which gives 0.
TEST(RecomputeStatistics, TradesWithoutPipValueKeepTheirPrintedProfitAsSized) {
  TestTrade flat{.ticket = "1", .pips = "0", .pipValuePerLot = "0", .profit = "-89.20"};
  TestTrade noLots{
      .ticket = "2", .lots = "0.00", .pips = "12", .pipValuePerLot = "0", .profit = "3.50"};
  TestTrade pipModel = Result("3", "0");  // a pip value, but no pips
  pipModel.profit = "12.34";
  Report report = MakeReport({flat, noLots, pipModel});
  RecomputeStatistics(report, report.stats, report.options);
  ExpectWalkInvariants(report);
  EXPECT_EQ(report.grid1.Cell(g1::profit, 1), "-89.20");
  EXPECT_EQ(report.grid2.Cell(g2::profit, 1), "-89.20");
  EXPECT_EQ(report.grid1.Cell(g1::profit, 2), "3.50");
  EXPECT_EQ(report.grid1.Cell(g1::profit, 3), "0.00");
  EXPECT_EQ(report.stats.lossCount, 1);
  EXPECT_DOUBLE_EQ(report.stats.grossLoss, -89.20);
  EXPECT_DOUBLE_EQ(report.stats.largestLoss, -89.20);
  EXPECT_EQ(report.grid1.Cell(g1::balance, 3), "      9914.30");

  report.options.sizing = SizingChoice::standardLots;
  RecomputeStatistics(report, report.stats, report.options);
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(report.grid1.Cell(g1::profit, r), "0.00") << r;
  EXPECT_EQ(report.stats.lossCount, 0);

  // Back to the statement's sizing after the cells showed 0.00 and the rows moved.
  report.options.sizing = SizingChoice::original;
  report.grid1.SwapRows(1, 3);
  report.grid2.SwapRows(1, 3);
  RecomputeStatistics(report, report.stats, report.options);
  EXPECT_EQ(report.grid1.Cell(g1::profit, 3), "-89.20");
  EXPECT_DOUBLE_EQ(report.stats.grossLoss, -89.20);
}

TEST(RecomputeStatistics, StatementDepositOrTheTypedOne) {
  Report report = MakeReport({Result("1", "10")});
  report.stats.statementDeposit = 3000;
  report.options.deposit = DepositChoice::statement;
  RecomputeStatistics(report, report.stats, report.options);
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 3000);
  EXPECT_EQ(report.options.deposit, DepositChoice::statement);

  // Without a deposit in the statement the typed amount takes over, and stays chosen.
  report.stats.statementDeposit = 0;
  report.options.depositText = "7500";
  RecomputeStatistics(report, report.stats, report.options);
  EXPECT_EQ(report.options.deposit, DepositChoice::custom);
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 7500);
  EXPECT_DOUBLE_EQ(report.stats.runningBalance, 7510);
}

TEST(RecomputeStatistics, NoDepositLeavesReturnAndKeepsTheOldDrawdown) {
  Report report = MakeReport({Result("1", "-100"), Result("2", "50")});
  RecomputeStatistics(report, report.stats, report.options);
  ASSERT_DOUBLE_EQ(report.stats.maxDrawdownPercent, 1);
  for (const char* text : {"", "0", "abc"}) {
    report.options.depositText = text;
    RecomputeStatistics(report, report.stats, report.options);
    EXPECT_DOUBLE_EQ(report.stats.returnPercent, 0) << text;
    EXPECT_DOUBLE_EQ(report.stats.maxDrawdownPercent, 1) << text;
    EXPECT_TRUE(std::isfinite(report.stats.averageLoss)) << text;
  }
}

TEST(RecomputeStatistics, PeriodCountsWholeDays) {
  struct Case {
    TestTrade first;
    TestTrade second;
    double days;
  };
  const Case cases[] = {
      {{.ticket = "1",
        .openDate = "2011/01/03",
        .openTime = "10:00",
        .closeDate = "2011/01/05",
        .closeTime = "09:59"},
       {.ticket = "2",
        .openDate = "2011/01/04",
        .openTime = "10:00",
        .closeDate = "2011/01/04",
        .closeTime = "11:00"},
       1},
      {{.ticket = "1",
        .openDate = "2011/01/03",
        .openTime = "10:00",
        .closeDate = "2011/01/03",
        .closeTime = "11:00"},
       {.ticket = "2",
        .openDate = "2011/01/05",
        .openTime = "10:00",
        .closeDate = "2011/01/05",
        .closeTime = "10:00"},
       2},
      // The latest moment may be an opening: an open trade has no close.
      {{.ticket = "1",
        .openDate = "2011/01/10",
        .openTime = "10:00",
        .closeDate = "",
        .closeTime = ""},
       {.ticket = "2",
        .openDate = "2011/01/03",
        .openTime = "10:00",
        .closeDate = "2011/01/03",
        .closeTime = "10:05"},
       7},
  };
  for (const Case& c : cases) {
    Report report = MakeReport({c.first, c.second});
    RecomputeStatistics(report, report.stats, report.options);
    EXPECT_DOUBLE_EQ(report.stats.periodDays, c.days);
  }
}

TEST(RecomputeStatistics, UnusableOptionTextsNeverReachTheFigures) {
  const char* texts[] = {"", "abc", "0", "-5000", "0.0000001", "999999999999999999999999999999"};
  const SizingChoice modes[] = {SizingChoice::original, SizingChoice::miniLots,
                                SizingChoice::standardLots, SizingChoice::miniAmount,
                                SizingChoice::standardAmount};
  for (SizingChoice mode : modes) {
    for (const char* text : texts) {
      Report report = MakeReport({Result("1", "-10"), Result("2", "25")}, text);
      ReportOptions& o = report.options;
      o.sizing = mode;
      o.miniContractsText = o.standardContractsText = o.miniAmountText = text;
      o.standardAmountText = o.minMiniLotsText = o.maxMiniLotsText = text;
      o.minStandardLotsText = o.maxStandardLotsText = text;
      RecomputeStatistics(report, report.stats, report.options);
      const ReportStatistics& s = report.stats;
      for (double figure : {s.netProfit, s.returnPercent, s.maxDrawdownPercent, s.averageWin,
                            s.averageLoss, s.averagePips, s.percentProfitable, s.totalLots})
        EXPECT_TRUE(std::isfinite(figure)) << static_cast<int>(mode) << " '" << text << "'";
    }
  }
}

TEST(ImportReportFigures, OffersPipsOrMoneyWithOneDecimal) {
  Report report = MakeReport({Result("1", "20.25"), Result("2", "-7.5"), Result("3", "40")});
  SimulationOptions& sim = report.options.simulation;
  RecomputeStatistics(report, report.stats, report.options);
  ImportReportFigures(report.stats, sim);
  EXPECT_EQ(sim.avgProfitText, "30.1");  // (20.25 + 40) / 2 = 30.125
  EXPECT_EQ(sim.avgLossText, "7.5");
  EXPECT_EQ(sim.percWinsText, "66.7");

  for (int r = 1; r <= 3; ++r) report.grid1.SetCell(16, r, "2");  // money doubles, pips do not
  sim.dollars = true;
  RecomputeStatistics(report, report.stats, report.options);
  ImportReportFigures(report.stats, sim);
  EXPECT_EQ(sim.avgProfitText, "60.2");  // 60.25, printf rounds the tie to even
  EXPECT_EQ(sim.avgLossText, "15.0");

  sim.importFromReport = false;
  sim.avgProfitText = "typed";
  RecomputeStatistics(report, report.stats, report.options);
  ImportReportFigures(report.stats, sim);
  EXPECT_EQ(sim.avgProfitText, "typed");
}

}  // namespace
}  // namespace quillfen
