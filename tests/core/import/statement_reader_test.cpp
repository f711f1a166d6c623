#include "import/statement_reader.h"

#include <gtest/gtest.h>

#include "../report_invariants.h"
#include "import/trade_table.h"
#include "import_test_support.h"

namespace quillfen {
namespace {

using namespace col;

constexpr std::initializer_list<int> kStatementCells = {
    ticket,      type,       lots,       symbol,        openDate,         openTime,
    openPrice,   stopLoss,   takeProfit, closeDate,     closeTime,        closePrice,
    duration,    commission, swap,       taxes,         commissionPerLot, swapPerLot,
    taxesPerLot, profit,     pips,       pipValuePerLot};

TEST(ReadStatement, StatementWithTaxesColumn) {
  Report report = OpenFixtures({"statement_taxes_column.htm"});
  ExpectTableInvariants(report);
  ASSERT_EQ(report.full.RowCount(), 3 + 1);
  EXPECT_EQ(Cells(report, 0, kStatementCells),
            "4711|buy|1.00|eurusd|2010/01/04|10:00:00|1.43150|1.42000|1.44000|2010/01/05|12:30:00|"
            "1.43250|1d02|-7.00|-1.20|-0.50|-7|-1.2|-0.5|100.00|10|10");
  // -1 084.60: the thousands blank goes; sell at 92.150 closed at 92.350 is -20 pips.
  EXPECT_EQ(Cells(report, 1, kStatementCells),
            "4712|sell|0.50|usdjpy|2010/01/05|10:00:00|92.150|0.000|0.000|2010/01/05|11:00:00|"
            "92.350|1:00|0.00|0.00|0.00|0|0|0|-1084.60|-20|108.46");
  // The open trade: the current price stands in the close price, no close date.
  EXPECT_EQ(Cells(report, 2, kStatementCells),
            "4720|buy|0.20|gbpusd|2010/01/08|10:00:00|1.60000|0.00000|0.00000|||1.60500||0.00|"
            "-0.40|0.00|0|-2|0|10.00|50|1");
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 10000);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 10000);
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 0);  // only a header line sets it
  EXPECT_EQ(report.statements.size(), 1u);
}

TEST(ReadStatement, TesterReportWithSwapReopenings) {
  MessageList messages;
  Report report = OpenFixtures({"tester_swap_reopen.htm"}, &messages);
  ExpectTableInvariants(report);
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 10000);
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 10000);
  const std::initializer_list<int> cells = {
      ticket,    type,     lots,       symbol,         openDate,   openTime,
      openPrice, stopLoss, takeProfit, closeDate,      closeTime,  closePrice,
      duration,  profit,   pips,       pipValuePerLot, commission, commissionPerLot};
  ASSERT_EQ(report.full.RowCount(), 5 + 1);
  EXPECT_EQ(Cells(report, 0, cells),
            "1|buy|0.10|eurusd|2010/01/04|00:00|1.43150|0.0000|0.0000|2010/01/05|00:00|1.43200|"
            "1d00|5.00|5|10||");
  EXPECT_EQ(Cells(report, 1, cells),
            "2|sell|0.20|eurusd|2010/01/04|01:00|1.43000|1.4400|1.4200|2010/01/05|00:00|1.43100|"
            "23:00|-2.00|-10|1||");
  // The reopened trades keep their tickets and directions.
  EXPECT_EQ(Cells(report, 2, cells),
            "1|buy|0.10|eurusd|2010/01/05|00:00|1.43200|0.0000|0.0000|2010/01/05|05:00|1.43250|"
            "5:00|5.00|5|10||");
  EXPECT_EQ(Cells(report, 3, cells),
            "2|sell|0.20|eurusd|2010/01/05|00:00|1.43100|1.4350|1.4200|2010/01/06|10:00|1.42000|"
            "1d10|22.00|110|1||");
  // Closed "at stop" by the end of the test: stays open.
  EXPECT_EQ(Cells(report, 4, cells),
            "3|buy|0.10|eurusd|2010/01/07|00:00|1.44000|0.0000|0.0000|||||||||");
}

}  // namespace
}  // namespace quillfen
