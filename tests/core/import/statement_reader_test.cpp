#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../report_invariants.h"
#include "../support/road_read.h"
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

namespace quillfen {
namespace {

using namespace col;

// Reads working-text lines from a page that converts into them, through the reading road.
Report ReadLines(const std::string& text, Report report = {}, bool adding = false,
                 MessageList* messages = nullptr) {
  TempDir dir;
  MessageList ignored;
  testing::ReadThroughRoad(report, dir.Write("page.htm", testing::PageOfLines(text)), adding,
                           messages ? *messages : ignored);
  return report;
}

constexpr const char* kStatementHead =
    "Statement: 1 - Test\n"
    "Ticket Open Time Type Size Item Price S / L T / P Close Time Price Commission Taxes Swap "
    "Profit\n";
constexpr const char* kTesterHead =
    "Strategy Tester Report\n"
    "Symbol EURUSD (Euro vs US Dollar)\n"
    "Initial deposit 10000.00 Spread Current (13)\n"
    "# Time Type Order Size Price S / L T / P Profit Balance\n";

TEST(ReadStatement, BalanceOperationsOfEveryClass) {
  Report report = OpenFixtures({"statement_balance_operations.htm"});
  ExpectTableInvariants(report);
  const ReportStatistics& s = report.stats;
  EXPECT_DOUBLE_EQ(s.statementDeposit, 5000);  // the first deposit, not the later ones
  EXPECT_DOUBLE_EQ(s.depositTotal, 5000 + 1000 + 250.0);
  EXPECT_DOUBLE_EQ(s.withdrawalTotal, 500 + 100 + 1000.0);
  EXPECT_DOUBLE_EQ(s.interestTotal, 12.5 - 2);
  EXPECT_DOUBLE_EQ(s.rebateTotal, 3.25 + 1.75);
  EXPECT_DOUBLE_EQ(s.feeTotal, 2.5);
  // The credit row is neither a trade nor a balance operation, and the magic line
  // after it still belongs to the trade before it.
  ASSERT_EQ(report.full.TradeRows(), 1);
  EXPECT_EQ(Cells(report, 0, {ticket, magic, comment}), "110|4242|after");
  // The last balance line leaves its ticket and type in the spare row.
  EXPECT_EQ(Cells(report, 1, {ticket, type, symbol}), "112|balance|");
}

TEST(ReadStatement, BalanceRuleOrderAndAmountWord) {
  struct Case {
    const char* line;
    double ReportStatistics::*total;
    double value;
  };
  const Case cases[] = {
      {"1 2010.01.04 10:00 balance Interest Rebate 5.00", &ReportStatistics::interestTotal, 5},
      {"1 2010.01.04 10:00 balance Balance update Fee 5.00", &ReportStatistics::interestTotal, 5},
      {"1 2010.01.04 10:00 balance rb Fee 5.00", &ReportStatistics::rebateTotal, 5},
      {"1 2010.01.04 10:00 balance Fee rebate 5.00", &ReportStatistics::rebateTotal, 5},
      {"1 2010.01.04 10:00 balance x Fee withdrawal -5.00", &ReportStatistics::feeTotal, 5},
      {"1 2010.01.04 10:00 balance Fees 5.00", &ReportStatistics::depositTotal, 5},
      {"1 2010.01.04 10:00 balance Fees -5.00", &ReportStatistics::withdrawalTotal, 5},
      {"1 2010.01.04 10:00 balance Balance update -5.00", &ReportStatistics::interestTotal, -5},
      {"1 2010.01.04 10:00 balance Rebate -5.00", &ReportStatistics::rebateTotal, -5},
      {"1 2010.01.04 10:00 balance Fee refund 5.00", &ReportStatistics::feeTotal, -5},
      {"1 2010.01.04 10:00 balance Withdrawal -5.00", &ReportStatistics::withdrawalTotal, 5},
      {"1 2010.01.04 10:00 balance 700.00", &ReportStatistics::depositTotal, 700},
      {"1 2010.01.04 10:00 balance Deposit 1,234.50", &ReportStatistics::depositTotal, 1234.5},
      {"1 2010.01.04 10:00 balance Deposit 10 000.00", &ReportStatistics::depositTotal, 0},
      {"1 2010.01.04 10:00 balance", nullptr, 0},  // no amount at all: nothing
  };
  for (const Case& c : cases) {
    Report report = ReadLines(std::string(kStatementHead) + c.line + "\n");
    double sum = report.stats.interestTotal + report.stats.rebateTotal + report.stats.feeTotal +
                 report.stats.withdrawalTotal + report.stats.depositTotal;
    if (c.total) {
      EXPECT_DOUBLE_EQ(report.stats.*(c.total), c.value) << c.line;
      EXPECT_DOUBLE_EQ(sum, c.value) << c.line;
    } else {
      EXPECT_DOUBLE_EQ(sum, 0) << c.line;
    }
  }
}

// Money taken out under any comment of the last class is a withdrawal, so the
// deposits stay what was put in.
TEST(ReadStatement, NegativeRowsOfTheLastClassAreWithdrawals) {
  Report report = OpenFixtures({"statement_transfer_out.htm"});
  ExpectTableInvariants(report);
  ASSERT_EQ(report.full.TradeRows(), 1);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 10000);
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 10000 + 100.0);    // Deposit, Bonus
  EXPECT_DOUBLE_EQ(report.stats.withdrawalTotal, 2000 + 500.0);  // Transfer out, Withdraw:...
}

TEST(ReadStatement, MoneyTakenOutFirstIsNoStatementDeposit) {
  Report report = ReadLines(std::string(kStatementHead) +
                            "1 2010.01.04 10:00 balance Transfer out -300.00\n"
                            "2 2010.01.04 11:00 balance Deposit 5000.00\n");
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 5000);
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 5000);
  EXPECT_DOUBLE_EQ(report.stats.withdrawalTotal, 300);
}

TEST(ReadStatement, DepositRowsSetTheStatementDepositOnce) {
  Report report = ReadLines(std::string(kStatementHead) +
                            "1 2010.01.04 10:00 balance Deposit 0.00\n"
                            "2 2010.01.04 11:00 balance Deposit 5000.00\n"
                            "3 2010.01.05 10:00 balance Deposit 1000.00\n");
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 5000);
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 6000);
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 0);
}

TEST(ReadStatement, MagicAndCommentLines) {
  Report report = OpenFixtures({"statement_magic_comments.htm"});
  ExpectTableInvariants(report);
  ASSERT_EQ(report.full.TradeRows(), 5);
  // A magic line before the first trade fills row 0, which holds no trade.
  EXPECT_EQ(Cells(report, 0, {ticket, type, symbol, magic, comment}), "200|balance||777|before");
  EXPECT_EQ(Cells(report, 1, {ticket, magic, comment}), "201|20171016|Buy[tp]");
  EXPECT_EQ(Cells(report, 2, {ticket, magic, comment}), "202||my_ea");
  EXPECT_EQ(Cells(report, 3, {ticket, magic, comment}), "203|21001|second");
  // "Closed P/L" ends the attachment: the line after it is dropped.
  EXPECT_EQ(Cells(report, 4, {ticket, magic, comment}), "204||");
}

TEST(ReadStatement, PendingAndCancelledOrdersAreNotStored) {
  Report report = OpenFixtures({"statement_pending_cancelled.htm"});
  ExpectTableInvariants(report);
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(Cells(report, 0, {ticket}), "300");
  EXPECT_EQ(Cells(report, 1, {ticket}), "304");
}

TEST(ReadStatement, GermanStatementWithoutTaxesColumn) {
  Report report = OpenFixtures({"statement_german_typ.htm"});
  ExpectTableInvariants(report);
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(Cells(report, 0,
                  {ticket, type, lots, closeDate, closePrice, commission, swap, taxes, profit, pips,
                   pipValuePerLot, duration}),
            "5001|sell|0.30|2011/03/02|1.3750|0.00|-0.60||150.00|50|10|1d00");
  EXPECT_EQ(Cells(report, 1, {ticket, profit, pips, pipValuePerLot}), "5002|-12.20|-10|12.2");
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 2500);
}

TEST(ReadStatement, OwnReportOpenTradeAndHeaderDeposit) {
  Report report = OpenFixtures({"own_report_open_trade.htm"});
  ExpectTableInvariants(report);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 5000);
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 5000);
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(Cells(report, 0, {closeDate, closeTime, closePrice, commission, swap, profit, pips}),
            "2010/01/05|12:30|1.43250|-7.00|-1.20|100.00|10");
  EXPECT_EQ(
      Cells(report, 1,
            {closeDate, closeTime, closePrice, commission, swap, profit, pips, pipValuePerLot}),
      "||1.60500|0.00|-0.40|-10.00|-50|1");
}

TEST(ReadStatement, TesterCloseByAndZeroSizeClose) {
  MessageList messages;
  Report report = OpenFixtures({"tester_close_by.htm"}, &messages);
  ExpectTableInvariants(report);
  EXPECT_TRUE(messages.texts.empty());
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(Cells(report, 0, {ticket, symbol, closeDate, closePrice, profit, pips}),
            "1|eurgbp|2017/04/03|0.85400|-3.45|-10");
  EXPECT_EQ(Cells(report, 1, {ticket, closeDate, profit, pips, pipValuePerLot}),
            "2|2017/04/03|0.00|0|0");
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 200);
}

TEST(ReadStatement, ClosingsBeforeTheirOpeningsWarnOnce) {
  MessageList messages;
  Report report = OpenFixtures({"tester_descending_tickets.htm"}, &messages);
  ExpectTableInvariants(report);
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(messages.texts[0], "Please use ascending ticket numbers");
  ASSERT_EQ(report.full.TradeRows(), 1);
  EXPECT_EQ(Cells(report, 0, {ticket, closeDate, profit}), "4|2010/02/01|1.00");
}

TEST(ReadStatement, TesterWithoutSymbolLineStoresRowsWithoutSymbol) {
  Report report = ReadLines(
      "Strategy Tester Report\n# Time Type Order Size Price S / L T / P Profit Balance\n"
      "1 2010.01.04 00:00 buy 1 0.10 1.4315 0.0000 0.0000\n"
      "2 2010.01.04 01:00 buy 2 0.10 1.4315 0.0000 0.0000\n");
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(Cells(report, 1, {ticket, symbol, openPrice}), "2||1.43150");
}

TEST(ReadStatement, DepositIsTheNumberAfterTheDepositLabel) {
  struct Case {
    const char* line;
    double deposit;
  };
  const Case cases[] = {
      {"Initial deposit 10000.00 Spread Current (13)", 10000},
      {"Initial deposit 10000.00 Spread 13", 10000},
      {"Initial deposit Spread Current (13)", 0},  // the last digit's word "(13)" is no number
      {"Net profit 90.00 Initial deposit 5000.00", 5000},
      {"Deposit: 2500,50 total", 2500},  // a comma ends the number
      {"Initial deposit 1e3", 1000},
      {"Initial deposit none", 0},
  };
  for (const Case& c : cases) {
    Report report = ReadLines(std::string("Strategy Tester Report\n") + c.line +
                              "\n# Time Type Order Size Price\n");
    EXPECT_DOUBLE_EQ(report.stats.statementDeposit, c.deposit) << c.line;
    EXPECT_DOUBLE_EQ(report.stats.initialDeposit, c.deposit) << c.line;
  }
}

TEST(ReadStatement, HeaderEndsOnlyAtATypeWord) {
  // "LotsType=1;" is a parameter, not the column header: the deposit after it is read.
  Report report = ReadLines(
      "Strategy Tester Report\nSymbol GBPUSD\nParameters LotsType=1; Typical=2;\n"
      "Initial deposit 3000.00\n# Time Type Order Size Price S / L T / P Profit Balance\n"
      "1 2010.01.04 00:00 buy 1 0.10 1.4315 0.0000 0.0000\n");
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 3000);
  EXPECT_EQ(Cells(report, 0, {ticket, symbol}), "1|gbpusd");
}

TEST(ReadStatement, HeaderDepositOnlyForTheFirstStatement) {
  Report first = ReadLines(std::string(kTesterHead));
  EXPECT_DOUBLE_EQ(first.stats.statementDeposit, 10000);
  Report added =
      ReadLines("Strategy Tester Report\nInitial deposit 500.00\n# Time Type Order\n", first, true);
  EXPECT_DOUBLE_EQ(added.stats.statementDeposit, 10000);
  EXPECT_DOUBLE_EQ(added.stats.initialDeposit, 10000);
}

TEST(ReadStatement, ContinuationAndSkipRules) {
  Report report = ReadLines(std::string(kStatementHead) +
                            "7 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 2010.01.04 11:00 "
                            "1.4325 0.00 0.00 0.00 100.00\n"
                            "0.00 0.00 0.00 100.00\n"  // a totals line: not a continuation
                            "123 comment after totals\n"
                            "8 2010.01.04 12:00 sell 1.00 eurusd 1.4315 0 0 2010.01.04 13:00 "
                            "1.4325 0.00 0.00 0.00 -100.00\n"
                            "Floating P/L: 0.00\n"
                            "99 not attached\n"
                            "9 2010.01.04 14:00 buy 1.00\n"  // no word 5
                            "x.1 2010.01.04 14:00 buy 1.00 eurusd 1.4315\n"
                            "Working Orders:\n"
                            "10 2010.01.04 15:00 buy 1.00 eurusd 1.4315 0 0 1.4320 0.00 0.00 "
                            "0.00 5.00\n");
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(Cells(report, 0, {ticket, magic, comment}), "7||");
  EXPECT_EQ(Cells(report, 1, {ticket, magic, comment}), "8||");
}

TEST(ReadStatement, StatementWithoutTaxesTakesProfitFromWord14) {
  Report report = ReadLines(
      "Statement\nTicket Open Time Type Size Item Price\n"
      "7 2010.01.04 10:00 buy 2.00 eurusd 1.4315 0 0 2010.01.04 11:00 1.4325 -4.00 "
      "-1.00 100.00\n"
      "8 2010.01.04 10:00 buy 2.00 eurusd 1.4315 0 0 1.4325 -4.00 -1.00 100.00\n");
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(Cells(report, 0,
                  {commission, taxes, swap, profit, commissionPerLot, swapPerLot, pipValuePerLot}),
            "-4.00||-1.00|100.00|-2|-0.5|5");
  EXPECT_EQ(Cells(report, 1, {closeDate, closePrice, commission, swap, profit}),
            "|1.4325|-4.00|-1.00|100.00");
}

TEST(ReadStatement, InvalidDatesGiveAnEmptyDuration) {
  Report report = ReadLines(std::string(kStatementHead) +
                            "7 2010.13.04 10:00 buy 1.00 eurusd 1.4315 0 0 2010.13.05 11:00 "
                            "1.4325 0.00 0.00 0.00 100.00\n");
  ASSERT_EQ(report.full.TradeRows(), 1);
  EXPECT_EQ(Cells(report, 0, {openDate, closeDate, duration, pips}), "2010/13/04|2010/13/05||10");
}

TEST(ReadStatement, AddingATesterReportStartsItsTicketsAboveTheStatements) {
  MessageList messages;
  Report report = OpenFixtures({"statement_taxes_column.htm", "tester_swap_reopen.htm"}, &messages);
  ExpectTableInvariants(report);
  EXPECT_TRUE(messages.texts.empty());
  ASSERT_EQ(report.full.TradeRows(), 3 + 5);
  // Largest ticket 4720: the tester's order 1 becomes 10001. Sorted by ticket,
  // equal tickets in the order the exchanges leave them.
  std::string tickets;
  for (int row = 0; row < report.full.TradeRows(); ++row)
    tickets += std::string(report.full.Cell(ticket, row)) + " ";
  EXPECT_EQ(tickets, "4711 4712 4720 10001 10001 10002 10002 10003 ");
  EXPECT_EQ(Cells(report, 3, {openTime, closeTime}), "00:00|00:00");
  EXPECT_EQ(Cells(report, 4, {openTime, closeTime}), "00:00|05:00");
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 10000);  // kept from the statement
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 0);
  EXPECT_EQ(report.statements.size(), 2u);
}

TEST(ReadStatement, TicketBaseIsTheNextMultipleOfTenThousand) {
  const std::pair<const char*, const char*> cases[] = {
      {"20000", "20001"}, {"19999", "20001"}, {"20001", "30001"}, {"-5", "1"}};
  for (auto [largest, first] : cases) {
    Report statement = ReadLines(std::string(kStatementHead) + largest +
                                 " 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 1.4320 0 0 0 5\n");
    Report report = ReadLines(std::string(kTesterHead) +
                                  "1 2010.01.05 00:00 buy 1 0.10 1.4315 0.0000 0.0000\n"
                                  "2 2010.01.05 01:00 close 1 0.10 1.4325 0.0000 0.0000 10.00\n",
                              statement, true);
    ExpectTableInvariants(report);
    EXPECT_EQ(Cells(report, 1, {ticket, closeTime}), std::string(first) + "|01:00") << largest;
  }
}

// The reader lets events in while it reads, a few hundred lines apart.
TEST(ReadStatement, LetsEventsInWhileReading) {
  TempDir dir;
  RecordingProgress progress;
  MessageList messages;
  Report report;
  std::string text = std::string(kStatementHead) + "Closed Transactions:\n";
  for (int row = 0; row < 2000; ++row)
    text +=
        std::to_string(7 + row) + " 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 1.4320 0 0 0 5\n";
  const std::string page = dir.Write("page.htm", testing::PageOfLines(text));
  ASSERT_EQ(testing::ReadThroughRoad(report, page, false, messages, &progress).outcome,
            ReadOutcome::read);
  EXPECT_EQ(report.full.TradeRows(), 2000);
  EXPECT_GE(progress.pumps, 2000 / 256);
}

TEST(ReadStatement, SwapReopeningTakesTheDirectionOfTheClosedTrade) {
  Report report =
      ReadLines(std::string(kTesterHead) +
                "1 2010.01.04 00:00 sell 5 0.10 1.4315 0.0000 0.0000\n"
                "2 2010.01.05 00:00 swap close 5 0.10 1.4320 0.0000 0.0000 -5.00 9995.00\n"
                "3 2010.01.05 00:00 swap open 5 0.10 1.4320 0.0000 0.0000\n"
                "4 2010.01.05 00:00 swap close 9 0.10 1.4320 0.0000 0.0000 -5.00 9995.00\n"
                "5 2010.01.05 00:00 swap open 9 0.10 1.4320 0.0000 0.0000\n");
  ASSERT_EQ(report.full.TradeRows(), 3);
  EXPECT_EQ(Cells(report, 1, {ticket, type}), "5|sell");
  EXPECT_EQ(Cells(report, 2, {ticket, type}), "9|buy");  // nothing to close: buy
}

// A fixture with every line that holds `text` left out, as a damaged copy of it.
std::string FixtureWithout(const TempDir& dir, const std::string& name, const std::string& text) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  std::string page, line;
  while (std::getline(in, line))
    if (line.find(text) == std::string::npos) page += line + "\n";
  return dir.Write(name, page);
}

std::vector<std::string> MessagesOf(const std::string& path) {
  Report report;
  MessageList messages;
  OpenFiles(report, {path}, &messages);
  return messages.texts;
}

// Every page prints its own totals: a row lost on the way shows against them,
// in the report's own money format, and the report still opens.
TEST(ReadStatement, PrintedTotalsHoldTheRowsRead) {
  TempDir dir;
  using Texts = std::vector<std::string>;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLFEN_FIXTURES))
    for (const std::string& text : MessagesOf(entry.path().string()))
      EXPECT_EQ(text.find("may be damaged"), std::string::npos) << entry.path().filename();
  EXPECT_EQ(MessagesOf(FixtureWithout(dir, "statement_mid_history.htm", "<td>2003</td>")),
            Texts{"The trades read add up to -400.00; the report prints 300.00: the file may be "
                  "damaged."});
  EXPECT_EQ(MessagesOf(FixtureWithout(dir, "statement_mid_history.htm", "<td>2000</td>")),
            Texts{"The deposits and withdrawals read add up to 0.00; the report prints 1 000.00: "
                  "the file may be damaged."});
  // Label and amount on lines of their own, whole yen grouped by blanks.
  EXPECT_EQ(MessagesOf(FixtureWithout(dir, "statement_jpy_whole_amounts.htm", "<td>4101</td>")),
            Texts{"The trades read add up to 686 234; the report prints 673 889: the file may be "
                  "damaged."});
  EXPECT_EQ(MessagesOf(FixtureWithout(dir, "tester_swap_reopen.htm", "<td>t/p</td>")),
            Texts{"The trades read add up to 7.00; the report prints 29.00: the file may be "
                  "damaged."});
}

TEST(ReadStatement, TesterTotalsCountTheClosingRowsAndAllowTheirRounding) {
  const std::string rows =
      "1 2010.01.04 00:00 buy 1 0.10 1.4315 0.0000 0.0000\n"
      "2 2010.01.04 05:00 close 1 0.10 1.4325 0.0000 0.0000 10.01 10010.01\n"
      "3 2010.01.05 00:00 sell 2 0.10 1.4325 0.0000 0.0000\n"
      "4 2010.01.05 05:00 close 2 0.10 1.4315 0.0000 0.0000 10.01 10020.01\n";
  auto messages = [&](const std::string& totals) {
    MessageList said;
    ReadLines(
        std::string(kTesterHead).insert(std::string(kTesterHead).find("# Time"), totals) + rows, {},
        false, &said);
    return said.texts;
  };
  using Texts = std::vector<std::string>;
  // Each printed profit may be half a cent off the exact one the total sums.
  EXPECT_EQ(messages("Total net profit 20.02 Gross profit 20.02\nTotal trades 2 Short 1\n"),
            Texts{});
  EXPECT_EQ(messages("Total net profit 20.03 Gross profit 20.03\nTotal trades 2 Short 1\n"),
            Texts{});
  EXPECT_EQ(messages("Total net profit 20.04 Gross profit 20.04\nTotal trades 2 Short 1\n"),
            Texts{"The trades read add up to 20.02; the report prints 20.04: the file may be "
                  "damaged."});
  EXPECT_EQ(messages("Total net profit 20.02 Gross profit 20.02\nTotal trades 3 Short 1\n"),
            Texts{"The trades read number 2; the report prints 3: the file may be damaged."});
}

// A number past 10^15 is no amount a report prints (and one too long for a
// double would read as 0): the row goes, named, and nothing else is touched.
TEST(ReadStatement, AmountsBeyondMoneyLeaveTheirRowOutNamed) {
  const std::string huge = "1" + std::string(307, '0');
  MessageList said;
  Report report = ReadLines(std::string(kStatementHead) +
                                "1 2010.01.04 09:00 balance Deposit 10000.00\n"
                                "2 2010.01.04 09:30 balance Bonus " +
                                huge +
                                "\n"
                                "7 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 2010.01.05 11:00 "
                                "1.4325 0.00 0.00 0.00 100.00\n"
                                "8 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 2010.01.05 11:00 "
                                "1.4325 0.00 0.00 0.00 " +
                                huge +
                                "\n"
                                "9 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 2010.01.05 11:00 "
                                "1.4325 0.00 0.00 0.00 " +
                                huge +
                                "1\n"
                                "10 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 2010.01.05 11:00 "
                                "1.4325 0.00 0.00 0.00 1000000000000001.00\n"
                                "11 2010.01.04 10:00 buy 1.00 eurusd 1.4315 0 0 2010.01.05 11:00 "
                                "1.4325 0.00 0.00 0.00 -1000000000000000.00\n",
                            {}, false, &said);
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(report.full.Cell(ticket, 0), "7");
  EXPECT_EQ(report.full.Cell(ticket, 1), "11");
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 10000);
  EXPECT_EQ(report.stats.balanceRows.size(), 1u);
  EXPECT_EQ(said.texts, std::vector<std::string>{
                            "Lines 4, 6, 7, 8 hold amounts beyond 10^15, which are no money "
                            "amounts: their rows are left out."});

  MessageList testerSaid;
  Report tester = ReadLines(std::string(kTesterHead) +
                                "1 2010.01.04 00:00 buy 1 0.10 1.4315 0.0000 0.0000\n"
                                "2 2010.01.04 05:00 close 1 0.10 1.4325 0.0000 0.0000 " +
                                huge + " 10010.00\n",
                            {}, false, &testerSaid);
  EXPECT_EQ(tester.full.Cell(closeDate, 0), "");
  EXPECT_EQ(testerSaid.texts, std::vector<std::string>{
                                  "Line 6 holds an amount beyond 10^15, which is no money amount: "
                                  "its row is left out."});

  // Through the converter the line is the page's own, a "<br>" in its head.
  MessageList pageSaid;
  Report page;
  ASSERT_TRUE(OpenFiles(page, {FixturePath("statement_amount_beyond_money.htm")}, &pageSaid));
  EXPECT_EQ(page.full.TradeRows(), 2);
  EXPECT_EQ(pageSaid.texts, std::vector<std::string>{
                                "Line 23 holds an amount beyond 10^15, which is no money amount: "
                                "its row is left out."});
}

}  // namespace
}  // namespace quillfen
