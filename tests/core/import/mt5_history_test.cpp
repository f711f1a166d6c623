// MetaTrader 5 account histories: the Positions table gives the trades, the
// Deals table the parts of a position closed in parts and the balance deals.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "../support/utf16_bytes.h"
#include "import/printed_figures.h"
#include "import/statement_converter.h"
#include "import_test_support.h"
#include "text/number_format.h"
#include "text/text_conversions.h"
#include "text/utf16.h"

namespace quillfen {
namespace {

using testing::Utf16Bytes;
using testing::Wide;

// The headings a terminal writes; deal types, directions and states are English in every language.
struct Labels {
  std::u16string title, positions, orders, deals, openPositions, results, netProfit;
  std::vector<std::u16string> dealHeader;  // 13 cells; Fee and Cost go in by name
  std::u16string fee, cost;
};
const Labels kEnglish = {u"Trade History Report",
                         u"Positions",
                         u"Orders",
                         u"Deals",
                         u"Open Positions",
                         u"Results",
                         u"Total Net Profit:",
                         {u"Time", u"Deal", u"Symbol", u"Type", u"Direction", u"Volume", u"Price",
                          u"Order", u"Commission", u"Swap", u"Profit", u"Balance", u"Comment"},
                         u"Fee",
                         u"Cost"};
const Labels kJapanese = {
    u"\u53D6\u5F15\u5C65\u6B74\u30EC\u30DD\u30FC\u30C8",
    u"\u30DD\u30B8\u30B7\u30E7\u30F3",
    u"\u6CE8\u6587",
    u"\u7D04\u5B9A",
    u"\u4FDD\u6709\u30DD\u30B8\u30B7\u30E7\u30F3",
    u"\u7D50\u679C",
    u"\u7DCF\u640D\u76CA:",
    {u"\u6642\u9593", u"\u7D04\u5B9A", u"\u9298\u67C4", u"\u30BF\u30A4\u30D7", u"\u65B9\u5411",
     u"\u6570\u91CF", u"\u4FA1\u683C", u"\u6CE8\u6587", u"\u624B\u6570\u6599",
     u"\u30B9\u30EF\u30C3\u30D7", u"\u640D\u76CA", u"\u6B8B\u9AD8", u"\u30B3\u30E1\u30F3\u30C8"},
    u"\u6599\u91D1",
    u"\u30B3\u30B9\u30C8"};

// Money as the terminal prints it: "10 000.00".
std::string Money(double amount) {
  return GroupThousands(FormatFixed(amount, 0, 2));
}

std::u16string Row(const std::vector<std::string>& cells) {
  std::u16string row = u"   <tr bgcolor=\"#FFFFFF\" align=right>";
  for (const std::string& cell : cells) row += u"<td>" + Wide(cell) + u"</td>";
  return row + u"</tr>\r\n";
}

std::u16string Heading(std::u16string_view text) {
  return u"   <tr align=\"center\"><th colspan=\"13\"><div><b>" + std::u16string(text) +
         u"</b></div></th></tr>\r\n";
}

std::u16string Header(const std::vector<std::u16string>& names) {
  std::u16string row = u"   <tr align=\"center\" bgcolor=\"#E5F0FC\">";
  for (const auto& name : names) row += u"<td nowrap><b>" + name + u"</b></td>";
  return row + u"</tr>\r\n";
}

std::u16string Line(std::u16string_view label, const std::string& value) {
  return u"   <tr align=\"right\"><td nowrap colspan=\"3\">" + std::u16string(label) +
         u"</td><td nowrap colspan=\"10\" align=\"left\"><b>" + Wide(value) + u"</b></td></tr>\r\n";
}

// A deal; a balance deal has no symbol, direction, volume, price, order or cost.
struct Deal {
  std::string time, number, symbol, type, direction, volume, price;
  double commission = 0, swap = 0, profit = 0, fee = 0, cost = 0;
  std::string comment;
};

enum class Columns { thirteen, fourteen, fifteen };

// The Deals table in one of its layouts, each row's balance the one before
// it plus its money (the cost is no money), and its footer of totals.
std::u16string DealsTable(const Labels& labels, const std::vector<Deal>& deals, Columns columns,
                          bool countableHeader = true) {
  const bool fee = columns != Columns::thirteen;
  const bool cost = columns == Columns::fifteen;
  std::vector<std::u16string> header = labels.dealHeader;
  if (fee) header.insert(header.begin() + 9, labels.fee);
  if (cost) header.insert(header.begin() + 8, labels.cost);
  if (!countableHeader) header.resize(5);
  std::u16string table = Heading(labels.deals) + Header(header);
  double balance = 0, commission = 0, fees = 0, swap = 0, profit = 0;
  for (const Deal& deal : deals) {
    const bool trade = deal.type != "balance";
    balance += deal.commission + deal.fee + deal.swap + deal.profit;
    if (trade) {
      commission += deal.commission;
      fees += deal.fee;
      swap += deal.swap;
      profit += deal.profit;
    }
    std::vector<std::string> cells = {
        deal.time,      deal.number, deal.symbol, deal.type,
        deal.direction, deal.volume, deal.price,  trade ? deal.number : ""};
    if (cost) cells.push_back(trade ? Money(deal.cost) : "");
    cells.push_back(Money(deal.commission));
    if (fee) cells.push_back(Money(deal.fee));
    for (double amount : {deal.swap, deal.profit, balance}) cells.push_back(Money(amount));
    cells.push_back(deal.comment);
    table += Row(cells);
  }
  table += u"   <tr align=\"right\">\r\n      <td colspan=\"8\"></td>\r\n";
  auto total = [](const std::string& text) {
    return u"      <td nowrap><b>" + Wide(text) + u"</b></td>\r\n";
  };
  if (cost) table += total("");
  table += total(Money(commission));
  if (fee) table += total(Money(fees));
  for (double amount : {swap, profit, balance}) table += total(Money(amount));
  return table + u"      <td></td>\r\n   </tr>\r\n";
}

// The figures worked out by hand for the page of kPositions and HistoryDeals
// without fees (see ResultsFiguresInTheirOrder), in the Results block's order.
const std::vector<std::pair<std::string, std::string>> kFigures = {
    {"Total Net Profit", "133.10"},
    {"Gross Profit", "155.20"},
    {"Gross Loss", "-21.40"},
    {"Profit Factor", "7.25"},
    {"Expected Payoff", "26.76"},
    {"Recovery Factor", "6.25"},
    {"Sharpe Ratio", "0.41"},
    {"Balance Drawdown", ""},
    {"Balance Drawdown Absolute", "2.80"},
    {"Balance Drawdown Maximal", "21.40 (0.21%)"},
    {"Balance Drawdown Relative", "0.21% (21.40)"},
    {"Total Trades", "5"},
    {"Short Trades (won %)", "2 (50.00%)"},
    {"Long Trades (won %)", "3 (100.00%)"},
    {"Profit Trades (% of total)", "4 (80.00%)"},
    {"Loss Trades (% of total)", "1 (20.00%)"},
    {"Largest profit trade", "76.60"},
    {"Largest loss trade", "-21.40"},
    {"Average profit trade", "38.80"},
    {"Average loss trade", "-21.40"},
    {"Maximum consecutive wins ($)", "3 (136.60)"},
    {"Maximum consecutive losses ($)", "1 (-21.40)"},
    {"Maximal consecutive profit (count)", "136.60 (3)"},
    {"Maximal consecutive loss (count)", "-21.40 (1)"},
    {"Average consecutive wins", "2"},
    {"Average consecutive losses", "1"}};

// The Results block as the terminal writes it, a cell a line, three pairs to
// a row at most, the Balance Drawdown heading alone on its row. The Japanese
// page keeps the English labels but the first: the figures are found by place.
std::u16string Results(const Labels& labels) {
  constexpr std::size_t kRows[] = {3, 2, 2, 1, 3, 3, 2, 2, 2, 2, 2, 2};
  std::u16string block;
  std::size_t figure = 0;
  for (std::size_t pairs : kRows) {
    block += u"   <tr align=\"right\">\r\n";
    for (std::size_t n = 0; n < pairs; ++n, ++figure) {
      const auto& [label, text] = kFigures[figure];
      block += u"      <td nowrap colspan=\"3\">" +
               (figure == 0 ? labels.netProfit : Wide(label + ":")) + u"</td>\r\n";
      if (!text.empty()) block += u"      <td nowrap><b>" + Wide(text) + u"</b></td>\r\n";
    }
    block += u"   </tr>\r\n";
  }
  return block;
}

// A history as the terminal lays it out: title, account lines, Positions,
// Orders, Deals, Open Positions, Working Orders, the account's state and Results.
std::u16string Page(const Labels& labels, const std::vector<std::vector<std::string>>& positions,
                    const std::u16string& deals,
                    const std::vector<std::vector<std::string>>& open = {}) {
  const std::u16string title = u"12345678: Jane Trader - " + labels.title;
  std::u16string page =
      u"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n"
      u"  <head>\r\n    <title>" +
      title + u"</title>\r\n  </head>\r\n<body>\r\n<div align=\"center\">\r\n<table>\r\n" +
      Heading(title) + Line(u"Name:", "Jane Trader") +
      Line(u"Account:", "12345678 (USD, Broker-Server, real, Hedge)") +
      Line(u"Company:", "Broker Ltd") + Line(u"Date:", "2025.11.10 10:11") +
      Heading(labels.positions) +
      Header({u"Time", u"Position", u"Symbol", u"Type", u"Volume", u"Price", u"S / L", u"T / P",
              u"Time", u"Price", u"Commission", u"Swap", u"Profit"});
  for (const auto& position : positions) page += Row(position);
  page += Heading(labels.orders) +
          Header({u"Open Time", u"Order", u"Symbol", u"Type", u"Volume", u"Price", u"S / L",
                  u"T / P", u"Time", u"State", u"Comment"}) +
          Row({"2025.11.03 09:15:02", "2", "EURUSD", "buy", "0.30 / 0.30", "1.10000", "1.09500",
               "1.11000", "2025.11.03 09:15:02", "filled", ""}) +
          Row({"2025.11.03 09:20:00", "4", "EURUSD", "buy limit", "0.10 / 0", "1.09000", "", "",
               "2025.11.03 11:00:00", "canceled", ""}) +
          deals;
  if (!open.empty()) {
    page += Heading(labels.openPositions) +
            Header({u"Time", u"Position", u"Symbol", u"Type", u"Volume", u"Price", u"S / L",
                    u"T / P", u"Market Price", u"Swap", u"Profit", u"Comment"});
    for (const auto& position : open) page += Row(position);
  }
  page += Row({"2025.11.07 10:00:00", "15", "EURUSD", "sell limit", "0.10 / 0.00", "1.12000", "",
               "", "1.10500", "placed", ""}) +
          Line(u"Balance:", "10 633.10") + Line(u"Credit Facility:", "0.00") +
          Line(u"Floating P/L:", "33.22") + Line(u"Equity:", "10 666.32") +
          Line(u"Margin Level:", "0.00%") + Heading(labels.results) + Results(labels);
  return page + u"</table>\r\n</div>\r\n</body>\r\n</html>\r\n";
}

// A long of 0.30 closed in two parts, a hedged short with a lone take-profit
// closed whole, two positions closed by each other, a withdrawal and a
// deposit, and a position still open. A row's commission leaves out fees.
const std::vector<std::vector<std::string>> kPositions = {
    {"2025.11.03 09:15:02", "2", "EURUSD", "buy", "0.30", "1.10000", "1.09500", "1.11000",
     "2025.11.04 10:00:00", "1.10333", "-4.20", "-0.60", "100.00"},
    {"2025.11.03 10:00:00", "3", "EURUSD", "sell", "0.10", "1.10100", "", "1.09000",
     "2025.11.03 15:00:00", "1.10300", "-1.40", "0.00", "-20.00"},
    {"2025.11.05 09:00:00", "8", "GBPUSD", "buy", "0.20", "1.25000", "", "", "2025.11.06 10:00:00",
     "1.25300", "0.00", "0.00", "60.00"},
    {"2025.11.05 11:00:00", "9", "GBPUSD", "sell", "0.20", "1.25300", "", "", "2025.11.06 10:00:00",
     "1.25300", "0.00", "0.00", "0.00"}};

const std::vector<std::vector<std::string>> kOpen = {{"2025.11.07 09:00:00", "14", "USDJPY", "buy",
                                                      "0.10", "150.000", "", "", "150.550", "0.00",
                                                      "33.22", "still open"}};

std::vector<Deal> HistoryDeals() {
  auto balance = [](std::string time, std::string number, double amount, std::string comment) {
    Deal deal;
    deal.time = std::move(time);
    deal.number = std::move(number);
    deal.type = "balance";
    deal.profit = amount;
    deal.comment = std::move(comment);
    return deal;
  };
  auto trade = [](std::string time, std::string number, std::string symbol, std::string type,
                  std::string direction, std::string volume, std::string price, double commission,
                  double profit = 0, double swap = 0, double fee = 0, std::string comment = "") {
    Deal deal;
    deal.time = std::move(time);
    deal.number = std::move(number);
    deal.symbol = std::move(symbol);
    deal.type = std::move(type);
    deal.direction = std::move(direction);
    deal.volume = std::move(volume);
    deal.price = std::move(price);
    deal.commission = commission;
    deal.profit = profit;
    deal.swap = swap;
    deal.fee = fee;
    deal.cost = -0.50;
    deal.comment = std::move(comment);
    return deal;
  };
  return {balance("2025.11.03 08:00:00", "1", 10000, "first deposit"),
          trade("2025.11.03 09:15:02", "2", "EURUSD", "buy", "in", "0.30", "1.10000", -2.10),
          trade("2025.11.03 10:00:00", "3", "EURUSD", "sell", "in", "0.10", "1.10100", -0.70),
          trade("2025.11.03 12:00:00", "5", "EURUSD", "sell", "out", "0.10", "1.10200", -0.70, 20),
          trade("2025.11.03 15:00:00", "6", "EURUSD", "buy", "out", "0.10", "1.10300", -0.70, -20),
          trade("2025.11.04 10:00:00", "7", "EURUSD", "sell", "out", "0.20", "1.10400", -1.40, 80,
                -0.60, -0.20, "tp 1.10400"),
          trade("2025.11.05 09:00:00", "8", "GBPUSD", "buy", "in", "0.20", "1.25000", 0),
          trade("2025.11.05 11:00:00", "9", "GBPUSD", "sell", "in", "0.20", "1.25300", 0),
          trade("2025.11.06 10:00:00", "10", "GBPUSD", "sell", "out by", "0.20", "1.25300", 0, 60),
          trade("2025.11.06 10:00:00", "11", "GBPUSD", "buy", "out by", "0.20", "1.25300", 0, 0),
          balance("2025.11.06 12:00:00", "12", -500, "Withdrawal"),
          balance("2025.11.07 08:00:00", "13", 1000, "Deposit"),
          trade("2025.11.07 09:00:00", "14", "USDJPY", "buy", "in", "0.10", "150.000", -0.70)};
}

// A 13-column table has no fee: deal 7's 0.20 goes.
std::vector<Deal> WithoutFees(std::vector<Deal> deals) {
  for (Deal& deal : deals) deal.fee = 0;
  return deals;
}

const std::initializer_list<int> kTrade = {
    col::ticket,     col::type,      col::lots,      col::symbol,
    col::openDate,   col::openTime,  col::openPrice, col::stopLoss,
    col::takeProfit, col::closeDate, col::closeTime, col::closePrice,
    col::commission, col::swap,      col::profit,    col::comment};

Report Read(const std::u16string& page, MessageList& messages) {
  TempDir dir;
  Report report;
  EXPECT_TRUE(OpenReport(
      report, dir.Write("history.html", Utf16Bytes(page, Utf16Order::littleEndian, true)),
      &messages));
  return report;
}

// The rows of the page of kPositions and HistoryDeals, the fee (where a
// column holds it) booked with the commission of the long's second part.
void ExpectHistoryTrades(const Report& report, bool fee) {
  ASSERT_EQ(report.full.TradeRows(), 6);
  // The long closed in two parts: a row per closing deal, the entry's -2.10
  // commission shared by volume.
  EXPECT_EQ(Cells(report, 0, kTrade),
            "5|buy|0.10|EURUSD|2025/11/03|09:15:02|1.10000|1.09500|1.11000|2025/11/03|12:00:00|"
            "1.10200|-1.40|0.00|20.00|");
  // A lone stop below a sell's price is its take-profit.
  EXPECT_EQ(Cells(report, 1, kTrade),
            "3|sell|0.10|EURUSD|2025/11/03|10:00:00|1.10100|0.00|1.09000|2025/11/03|15:00:00|"
            "1.10300|-1.40|0.00|-20.00|");
  EXPECT_EQ(Cells(report, 2, kTrade),
            std::string("7|buy|0.20|EURUSD|2025/11/03|09:15:02|1.10000|1.09500|1.11000|2025/11/04|"
                        "10:00:00|1.10400|") +
                (fee ? "-3.00" : "-2.80") + "|-0.60|80.00|tp 1.10400");
  // Closed by each other: each position by the deal of the opposite type.
  EXPECT_EQ(Cells(report, 3, kTrade),
            "8|buy|0.20|GBPUSD|2025/11/05|09:00:00|1.25000|0.00|0.00|2025/11/06|10:00:00|1.25300|"
            "0.00|0.00|60.00|");
  EXPECT_EQ(Cells(report, 4, kTrade),
            "9|sell|0.20|GBPUSD|2025/11/05|11:00:00|1.25300|0.00|0.00|2025/11/06|10:00:00|1.25300|"
            "0.00|0.00|0.00|");
  EXPECT_EQ(Cells(report, 5, kTrade),
            "14|buy|0.10|USDJPY|2025/11/07|09:00:00|150.000|0.00|0.00||||-0.70|0.00|33.22|"
            "still open");
  // The parts add up to the long's row, and the fee it leaves out.
  double commission = 0, swap = 0, profit = 0, lots = 0;
  for (int row : {0, 2}) {
    commission += TextToAmount(report.full.Cell(col::commission, row));
    swap += TextToAmount(report.full.Cell(col::swap, row));
    profit += TextToAmount(report.full.Cell(col::profit, row));
    lots += TextToAmount(report.full.Cell(col::lots, row));
  }
  EXPECT_NEAR(commission, fee ? -4.40 : -4.20, 1e-9);
  EXPECT_NEAR(swap, -0.60, 1e-9);
  EXPECT_NEAR(profit, 100.00, 1e-9);
  EXPECT_NEAR(lots, 0.30, 1e-9);
  // The first balance deal is the deposit; the others are balance operations.
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 10000);
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 1000);
  EXPECT_DOUBLE_EQ(report.stats.withdrawalTotal, 500);
}

TEST(Mt5History, PositionsAreTheTradesInEveryLanguageAndDealsLayout) {
  struct Form {
    const char* name;
    const Labels& labels;
    Columns columns;
    bool countableHeader;
  };
  const Form forms[] = {{"English, 13 columns", kEnglish, Columns::thirteen, true},
                        {"Japanese, 13 columns", kJapanese, Columns::thirteen, true},
                        {"English, 14 columns", kEnglish, Columns::fourteen, true},
                        {"Japanese, 15 columns", kJapanese, Columns::fifteen, true},
                        {"English, 15 columns", kEnglish, Columns::fifteen, true},
                        {"15 columns told by the balances", kEnglish, Columns::fifteen, false},
                        {"14 columns told by the balances", kJapanese, Columns::fourteen, false}};
  for (const Form& form : forms) {
    SCOPED_TRACE(form.name);
    const bool fee = form.columns != Columns::thirteen;
    const std::u16string deals =
        DealsTable(form.labels, fee ? HistoryDeals() : WithoutFees(HistoryDeals()), form.columns,
                   form.countableHeader);
    MessageList messages;
    const Report report = Read(Page(form.labels, kPositions, deals, kOpen), messages);
    EXPECT_TRUE(messages.texts.empty());
    ExpectHistoryTrades(report, fee);
  }
}

// Worked out by hand from the closed trades' results (profit + swap +
// commission) in the order they closed: 18.60, -21.40, 76.60, 60.00, 0.00,
// from the 10 000.00 deposit (the withdrawal and deposit come after them).
TEST(Mt5History, ResultsFiguresInTheirOrder) {
  MessageList messages;
  const Report report =
      Read(Page(kEnglish, kPositions,
                DealsTable(kEnglish, WithoutFees(HistoryDeals()), Columns::thirteen), kOpen),
           messages);
  std::vector<std::string> figures;
  for (const FigureLine& line : report.terminalFigures)
    figures.push_back(line.label + ": " + line.text);
  EXPECT_EQ(
      figures,
      (std::vector<std::string>{
          // 155.20 - 21.40, less the 0.70 the open position's entry paid
          "Total Net Profit: 133.10", "Gross Profit: 155.20", "Gross Loss: -21.40",
          "Profit Factor: 7.25",              // 155.20 / 21.40 = 7.252
          "Expected Payoff: 26.76",           // (155.20 - 21.40) / 5
          "Balance Drawdown Absolute: 2.80",  // 10 000 - 9 997.20
          // 10 018.60 down to 9 997.20: 21.40 of 10 018.60 = 0.2136%
          "Balance Drawdown Maximal: 21.40 (0.21%)", "Balance Drawdown Relative: 0.21% (21.40)",
          "Total Trades: 5",
          "Short Trades (won %): 2 (50.00%)",  // 0.00 is a win
          "Long Trades (won %): 3 (100.00%)", "Profit Trades (% of total): 4 (80.00%)",
          "Loss Trades (% of total): 1 (20.00%)", "Largest profit trade: 76.60",
          "Largest loss trade: -21.40", "Average profit trade: 38.80", "Average loss trade: -21.40",
          "Maximum consecutive wins ($): 3 (136.60)", "Maximum consecutive losses ($): 1 (-21.40)",
          "Maximal consecutive profit (count): 136.60 (3)",
          "Maximal consecutive loss (count): -21.40 (1)",
          "Average consecutive wins: 2",  // runs of 1 and 3
          "Average consecutive losses: 1"}));
  // The block printed on the page says the same, and two figures more.
  std::vector<std::string> printed;
  for (const PrintedFigure& figure : report.stats.printedFigures)
    if (figure.label != "Recovery Factor" && figure.label != "Sharpe Ratio")
      printed.push_back(figure.label + ": " + figure.text);
  EXPECT_EQ(printed, figures);
}

TEST(Mt5History, APositionWhoseDealsCannotBeFoundStaysWhole) {
  // The long's second closing deal is missing: its row stands as printed.
  std::vector<Deal> deals = WithoutFees(HistoryDeals());
  deals.erase(deals.begin() + 5);
  MessageList messages;
  const Report report = Read(
      Page(kEnglish, kPositions, DealsTable(kEnglish, deals, Columns::thirteen), kOpen), messages);
  ASSERT_EQ(report.full.TradeRows(), 5);
  EXPECT_EQ(Cells(report, 1,
                  {col::ticket, col::lots, col::closeTime, col::closePrice, col::commission,
                   col::swap, col::profit}),
            "2|0.30|10:00:00|1.10333|-4.20|-0.60|100.00");
  EXPECT_TRUE(messages.texts.empty());
}

TEST(Mt5History, WhatCannotBeReadIsCountedAndNothingIsMadeUp) {
  std::vector<Deal> deals = WithoutFees(HistoryDeals());
  // A close of a position whose entry the history does not hold, a deal of an
  // unknown type.
  Deal orphan = deals[3];
  orphan.time = "2025.11.03 08:30:00";
  orphan.number = "20";
  orphan.symbol = "AUDUSD";
  deals.insert(deals.begin() + 1, orphan);
  Deal credit = deals.front();
  credit.type = "credit";
  credit.number = "21";
  credit.profit = 0;
  deals.insert(deals.begin() + 1, credit);
  std::vector<std::vector<std::string>> positions = kPositions;
  positions.insert(positions.begin(),
                   {"2025.10.30 09:00:00", "19", "AUDUSD", "buy", "0.10", "0.65000", "", "",
                    "2025.11.03 08:30:00", "1.10200", "-0.70", "0.00", "20.00"});
  // A Positions row that lacks its close cells.
  positions.push_back({"2025.11.05 09:00:00", "30", "GBPUSD", "buy", "0.20", "1.25000"});
  MessageList messages;
  const Report report = Read(
      Page(kEnglish, positions, DealsTable(kEnglish, deals, Columns::thirteen), kOpen), messages);
  EXPECT_EQ(messages.texts,
            (std::vector<std::string>{
                "Deals of a type this program does not read, skipped: 1",
                "Closing deals without an entry deal; their positions are read as the Positions "
                "table prints them: 1",
                "Rows of the Positions table that lack cells, not read: 1"}));
  ASSERT_EQ(report.full.TradeRows(), 7);
  EXPECT_EQ(Cells(report, 0, {col::ticket, col::openDate, col::lots, col::profit}),
            "19|2025/10/30|0.10|20.00");
}

TEST(Mt5History, APageCutMidRowIsReadToItsLastWholeRowWithAWarning) {
  const std::u16string page =
      Page(kEnglish, kPositions,
           DealsTable(kEnglish, WithoutFees(HistoryDeals()), Columns::thirteen), kOpen);
  // Cut inside deal 7, between two of its cells: the long's parts cannot be
  // found, so it stands whole; the footer and the Results block are gone too.
  const std::size_t cut = page.find(u"<td>7</td>") + 4;
  TempDir dir;
  const std::string path =
      dir.Write("history.html", Utf16Bytes(page.substr(0, cut), Utf16Order::littleEndian, true));
  Report report;
  NoProgress progress;
  MessageList messages;
  const StatementRead read =
      ConvertAndReadStatement(report.full, report.stats, path, "", false, progress, messages);
  EXPECT_EQ(read.outcome, ReadOutcome::read);
  EXPECT_EQ(read.warning, kEndsEarlyWarning);
  EXPECT_EQ(messages.texts, std::vector<std::string>{kNoResultsBlock});
  ASSERT_EQ(report.full.TradeRows(), 4);
  EXPECT_EQ(Cells(report, 0, {col::ticket, col::lots, col::profit}), "3|0.10|-20.00");
  EXPECT_EQ(Cells(report, 1, {col::ticket, col::lots, col::profit}), "2|0.30|100.00");
}

TEST(Mt5History, AnAmountPastTheLargestIsLeftOutWithItsLine) {
  std::vector<std::vector<std::string>> positions = kPositions;
  positions[1][12] = "2000000000000000.00";
  MessageList messages;
  const Report report =
      Read(Page(kEnglish, positions,
                DealsTable(kEnglish, WithoutFees(HistoryDeals()), Columns::thirteen), kOpen),
           messages);
  ASSERT_EQ(messages.texts.size(), 1U);
  EXPECT_NE(messages.texts[0].find("10^15"), std::string::npos) << messages.texts[0];
  EXPECT_EQ(report.full.TradeRows(), 5);
}

// make-statement's history (15-column deals, hedging, partial closes, a
// reversal, open positions) prints the figures its deals give.
TEST(Mt5History, AGeneratedHistoryGivesThePrintedFigures) {
  Report report;
  MessageList messages;
  ASSERT_TRUE(OpenReport(report, FixturePath("mt5_history_fee_columns.htm"), &messages));
  EXPECT_TRUE(messages.texts.empty());
  std::map<std::string, std::string> printed;
  for (const PrintedFigure& figure : report.stats.printedFigures)
    printed[figure.label] = figure.text;
  ASSERT_EQ(report.terminalFigures.size(), 23U);
  for (const FigureLine& line : report.terminalFigures)
    EXPECT_EQ(line.text, printed[line.label]) << line.label;
  int closed = 0;
  for (int row = 0; row < report.full.TradeRows(); ++row)
    closed += !report.full.Cell(col::closeDate, row).empty();
  EXPECT_EQ(std::to_string(closed), printed["Total Trades"]);
}

}  // namespace
}  // namespace quillfen
