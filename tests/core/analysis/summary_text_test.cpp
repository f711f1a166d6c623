#include "analysis/summary_text.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>

#include "analysis/statistics.h"
#include "report_builder.h"

namespace quillfen {
namespace {

std::string Printf(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

// A report that shows one trade, with every figure set by hand.
Report WithFigures() {
  Report report = testing::MakeReport({{.ticket = "1"}});
  ReportStatistics& s = report.stats;
  s.netProfit = 1234.5;
  s.initialDeposit = 5000;
  s.grossProfit = 2345.67;
  s.swapTotal = -12.3;
  s.interestTotal = 2.1;
  s.grossLoss = -1111.17;
  s.commissionTotal = -45.6;
  s.totalLots = 12.34;
  s.tradeCount = 42;
  s.percentProfitable = 61.91;
  s.totalPips = 876.54;
  s.averagePips = 20.87;
  s.totalPipsPerLot = 543.21;
  s.averagePipsPerLot = 12.93;
  s.winCount = 26;
  s.lossCount = 16;
  s.averageWin = 90.22;
  s.averageLoss = -69.45;
  s.averageWinPips = 44.44;
  s.averageLossPips = -33.33;
  s.averageWinPipsPerLot = 22.22;
  s.averageLossPipsPerLot = -11.11;
  s.largestWin = 456.78;
  s.largestLoss = -321.09;
  s.largestWinPips = 98.7;
  s.largestLossPips = -87.6;
  s.depositTotal = 6000;
  s.withdrawalTotal = 250;
  s.rebateTotal = 3.5;
  s.feeTotal = 1.25;
  s.returnPercent = 24.69;
  s.maxDrawdownPercent = 7.77;
  s.maxDrawdown = 1234.99;
  s.periodDays = 123;
  return report;
}

TEST(SummaryLines, EveryLineInItsFixedLayout) {
  Report report = WithFigures();
  const ReportStatistics& s = report.stats;
  const std::vector<std::string> expected = {
      Printf("Net profit               %12.2lf              Initial deposit         %14.2lf",
             s.netProfit, s.initialDeposit),
      Printf("Gross profit             %12.2lf              Interest earned         %14.2lf",
             s.grossProfit, s.swapTotal + s.interestTotal),
      Printf("Gross loss               %12.2lf              Commission paid         %14.2lf",
             -s.grossLoss, 45.6),
      Printf("Total lots traded        %12.2lf", s.totalLots),
      "",
      Printf("Total number of trades   %12d              Percentage profitable   %14.1f%%",
             s.tradeCount, s.percentProfitable),
      Printf("Total number of pips     %12.1lf              Average pips per trade  %14.1lf",
             s.totalPips, s.averagePips),
      Printf("Total number of pips (per lot) %6.1lf              Average pips per trade (per "
             "lot)%6.1lf",
             s.totalPipsPerLot, s.averagePipsPerLot),
      "",
      Printf("Number of winning trades   %10d              Number of losing trades  %13d",
             s.winCount, s.lossCount),
      Printf("Average winning trade    %12.2lf              Average losing trade    %14.2lf",
             s.averageWin, s.averageLoss),
      Printf("Average winning pips     %12.1lf              Average losing pips     %14.1lf",
             s.averageWinPips, s.averageLossPips),
      Printf("Average winning pips (per lot) %6.1lf              Average losing pips (per lot) "
             "%8.1lf",
             s.averageWinPipsPerLot, s.averageLossPipsPerLot),
      Printf("Avg win / avg loss       %12.1lf", -s.averageWin / s.averageLoss),
      "",
      Printf("Largest winning trade    %12.2lf              Largest losing trade    %14.2lf",
             s.largestWin, s.largestLoss),
      Printf("Largest winning pips     %12.1lf              Largest losing pips     %14.1lf",
             s.largestWinPips, s.largestLossPips),
      "",
      Printf("Total deposits           %12.2lf              Total withdrawals       %14.2lf",
             s.depositTotal, s.withdrawalTotal),
      Printf("Total rebates            %12.2lf              Fees                    %14.2lf",
             s.rebateTotal, s.feeTotal),
      Printf("Return %-11s       %12.1lf%%             Maximum drawdown percentage   %8.1lf%%",
             "(123 days)", s.returnPercent, s.maxDrawdownPercent),
      Printf("                                                   Maximum drawdown          %12d",
             1234),
  };
  EXPECT_EQ(SummaryLines(report.grid1, report.stats), expected);
}

// Which of the conditional lines a set of figures shows.
TEST(SummaryLines, ConditionalLines) {
  struct Case {
    const char* name;
    double depositTotal, withdrawalTotal, initialDeposit, feeTotal, rebateTotal, averageLoss;
    bool deposits, rebates, ratio, returns;
  };
  const Case cases[] = {
      {"only deposit is the initial one", 5000, 0, 5000, 0, 0, -1, false, false, true, true},
      {"a second deposit", 6000, 0, 5000, 0, 0, -1, true, false, true, true},
      {"no deposit booked", 0, 0, 5000, 0, 0, -1, false, false, true, true},
      {"a withdrawal", 5000, 10, 5000, 0, 0, -1, true, false, true, true},
      {"fees", 5000, 0, 5000, 2, 0, -1, false, true, true, true},
      {"rebates", 5000, 0, 5000, 0, 2, -1, false, true, true, true},
      {"no losers", 5000, 0, 5000, 0, 0, 0, false, false, false, true},
      {"no initial deposit", 6000, 0, 0, 1, 0, -1, true, true, true, false},
  };
  for (const Case& c : cases) {
    Report report = WithFigures();
    ReportStatistics& s = report.stats;
    s.depositTotal = c.depositTotal;
    s.withdrawalTotal = c.withdrawalTotal;
    s.initialDeposit = c.initialDeposit;
    s.feeTotal = c.feeTotal;
    s.rebateTotal = c.rebateTotal;
    s.averageLoss = c.averageLoss;
    std::vector<std::string> lines = SummaryLines(report.grid1, report.stats);
    auto shows = [&lines](const std::string& start) {
      for (const std::string& line : lines)
        if (line.rfind(start, 0) == 0) return true;
      return false;
    };
    EXPECT_EQ(shows("Total deposits"), c.deposits) << c.name;
    EXPECT_EQ(shows("Total rebates"), c.rebates) << c.name;
    EXPECT_EQ(shows("Avg win / avg loss"), c.ratio) << c.name;
    EXPECT_EQ(shows("Return ("), c.returns) << c.name;
    EXPECT_EQ(shows("                 "), c.returns) << c.name;
    // Without a deposit the text ends after the largest-pips line or the totals.
    if (!c.returns) {
      EXPECT_EQ(lines.size(), 18u + c.deposits + c.rebates) << c.name;
    }
  }
}

TEST(SummaryLines, DaysTextPadsToElevenAndDrawdownIsCut) {
  struct Case {
    double days;
    double drawdown;
    const char* returnStart;
    const char* drawdownEnd;
  };
  const Case cases[] = {
      {5, 99.99, "Return (5 days)           ", "          99"},
      {123, 1234.99, "Return (123 days)        ", "        1234"},
      {1234, -0.5, "Return (1234 days)       ", "           0"},
  };
  for (const Case& c : cases) {
    Report report = WithFigures();
    report.stats.periodDays = c.days;
    report.stats.maxDrawdown = c.drawdown;
    std::vector<std::string> lines = SummaryLines(report.grid1, report.stats);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].substr(0, std::string(c.returnStart).size()), c.returnStart);
    const std::string& last = lines.back();
    EXPECT_EQ(last.substr(last.size() - 12), c.drawdownEnd);
  }
}

TEST(SummaryLines, NoSignedZeroAndNoTextWithoutTrades) {
  Report report = testing::MakeReport({{.ticket = "1", .pips = "10", .pipValuePerLot = "1"}});
  RecomputeStatistics(report, report.stats, report.options);
  std::vector<std::string> lines = SummaryLines(report.grid1, report.stats);
  ASSERT_GE(lines.size(), 3u);
  // Without losers the gross loss is 0 and its negation -0.
  EXPECT_EQ(lines[2].substr(25, 12), "        0.00");
  for (const std::string& line : lines) EXPECT_EQ(line.find("-0.0"), std::string::npos) << line;

  Report empty = testing::MakeReport({});
  RecomputeStatistics(empty, empty.stats, empty.options);
  EXPECT_TRUE(SummaryLines(empty.grid1, empty.stats).empty());
}

}  // namespace
}  // namespace quillfen
