// MetaTrader 5 tester reports: UTF-16 pages whose Deals table gives the trades.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../real_statements.h"
#include "../support/utf16_bytes.h"
#include "import/printed_figures.h"
#include "import/statement_converter.h"
#include "import_test_support.h"
#include "text/utf16.h"

namespace quillfen {
namespace {

using testing::Utf16Bytes;
using testing::Wide;

// The labels a terminal writes; deal types and directions are English in every language.
struct Labels {
  std::u16string title, settings, symbol, deposit, results, netProfit, orders, deals, type;
};
const Labels kEnglish = {u"Strategy Tester Report",
                         u"Settings",
                         u"Symbol:",
                         u"Initial Deposit:",
                         u"Results",
                         u"Total Net Profit:",
                         u"Orders",
                         u"Deals",
                         u"Type"};
const Labels kJapanese = {u"\u30B9\u30C8\u30E9\u30C6\u30B8\u30FC\u30C6\u30B9\u30BF\u30FC",
                          u"\u8A2D\u5B9A",
                          u"\u9298\u67C4:",
                          u"\u521D\u671F\u8A3C\u62E0\u91D1:",
                          u"\u7D50\u679C",
                          u"\u7DCF\u640D\u76CA:",
                          u"\u6CE8\u6587",
                          u"\u7D04\u5B9A",
                          u"\u30BF\u30A4\u30D7"};

std::u16string Cells(const std::vector<std::string>& cells) {
  std::u16string row = u"   <tr bgcolor=\"#FFFFFF\" align=right>";
  for (const std::string& cell : cells) row += u"<td>" + Wide(cell) + u"</td>";
  return row + u"</tr>\r\n";
}

// A deal row: time, deal, symbol, type, direction, volume, price, commission,
// swap, profit, comment (order = deal, balance 0.00: no reader needs them).
std::u16string Deal(const std::string& time, const std::string& deal, const std::string& symbol,
                    const std::string& type, const std::string& direction,
                    const std::string& volume, const std::string& price,
                    const std::string& commission, const std::string& swap,
                    const std::string& profit, const std::string& comment = "") {
  return Cells({time, deal, symbol, type, direction, volume, price, deal, commission, swap, profit,
                "10 000.00", comment});
}

std::u16string Balance(const std::string& time, const std::string& deal, const std::string& amount,
                       const std::string& comment = "") {
  return Cells(
      {time, deal, "", "balance", "", "", "", "", "0.00", "0.00", amount, amount, comment});
}

// The Deals table's footer: commission, swap, profit and balance of the deals.
using Footer = std::vector<std::string>;
const Footer kDepositOnly = {"0.00", "0.00", "0.00", "10 000.00"};
const Footer kHedgingFooter = {"-24.00", "-1.60", "270.00", "9 744.40"};

// A tester report laid out as the terminal writes it: title, server, settings,
// results, one order, then the deals and their totals.
std::u16string Page(const Labels& labels, const std::u16string& deals,
                    const Footer& footer = kHedgingFooter) {
  auto line = [](std::u16string_view label, std::u16string_view value) {
    return u"   <tr align=\"right\"><td nowrap colspan=\"3\">" + std::u16string(label) +
           u"</td><td nowrap colspan=\"10\" align=\"left\"><b>" + std::u16string(value) +
           u"</b></td></tr>\r\n";
  };
  auto heading = [](std::u16string_view text) {
    return u"   <tr align=\"center\"><th colspan=\"13\"><div><b>" + std::u16string(text) +
           u"</b></div></th></tr>\r\n";
  };
  auto total = [](const std::string& amount) {
    return u"      <td nowrap><b>" + Wide(amount) + u"</b></td>\r\n";
  };
  auto header = [](std::vector<std::u16string> names) {
    std::u16string row = u"   <tr align=\"center\" bgcolor=\"#E5F0FC\">";
    for (const auto& name : names) row += u"<td nowrap><b>" + name + u"</b></td>";
    return row + u"</tr>\r\n";
  };
  return u"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n"
         u"  <head>\r\n    <title>" +
         labels.title +
         u"</title>\r\n    <meta name=\"generator\" content=\"strategy tester\">\r\n"
         u"  </head>\r\n<body>\r\n<div align=\"center\">\r\n<table>\r\n" +
         heading(labels.title) + heading(u"Demo-Server (Build 5000)") + heading(labels.settings) +
         line(labels.symbol, u"EURUSD") + line(u"Period:", u"H1 (2024.01.01 - 2024.12.31)") +
         line(u"", u"Lots=0.10") + line(labels.deposit, u"10 000.00") + heading(labels.results) +
         line(labels.netProfit, u"123.00") + heading(labels.orders) +
         header({u"Open Time", u"Order", u"Symbol", labels.type, u"Volume", u"Price"}) +
         Cells({"2024.01.02 10:00:00", "2", "EURUSD", "buy", "1.00 / 1.00", "1.10000", "", "",
                "2024.01.02 10:00:00", "filled", ""}) +
         heading(labels.deals) + header({u"Time", u"Deal", u"Symbol", labels.type, u"Direction"}) +
         deals + u"   <tr align=\"right\">\r\n      <td colspan=\"8\"></td>\r\n" +
         total(footer[0]) + total(footer[1]) + total(footer[2]) + total(footer[3]) +
         u"      <td></td>\r\n   </tr>\r\n"
         u"</table>\r\n</div>\r\n</body>\r\n</html>\r\n";
}

// UTF-8 of text whose characters all lie in the basic plane.
std::string Utf8(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) {
    if (unit < 0x80) {
      bytes += static_cast<char>(unit);
    } else if (unit < 0x800) {
      bytes += static_cast<char>(0xC0 | (unit >> 6));
      bytes += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (unit >> 12));
      bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return bytes;
}

const int kOpen = col::openDate;
const std::initializer_list<int> kTrade = {
    col::ticket,     col::type,      col::lots,      col::symbol,    col::openDate,
    col::openTime,   col::openPrice, col::closeDate, col::closeTime, col::closePrice,
    col::commission, col::swap,      col::profit,    col::comment};

// Hedged positions, partial closes, a close of two entries, a reversal by one
// deal, a close by the opposite position and a position still open.
std::u16string HedgingDeals() {
  return Balance("2024.01.02 00:00:00", "1", "10 000.00") +
         Deal("2024.01.02 10:00:00", "2", "EURUSD", "buy", "in", "1.00", "1.10000", "-7.00", "0.00",
              "0.00", "long") +
         Deal("2024.01.02 11:00:00", "3", "EURUSD", "sell", "in", "0.50", "1.10100", "-3.50",
              "0.00", "0.00") +
         Deal("2024.01.03 10:00:00", "4", "EURUSD", "sell", "out", "0.40", "1.10500", "-2.80",
              "-0.40", "200.00", "part one") +
         Deal("2024.01.03 12:00:00", "5", "EURUSD", "buy", "out", "0.50", "1.10300", "-3.50",
              "0.00", "-100.00", "sl 1.10300") +
         Deal("2024.01.04 09:00:00", "6", "EURUSD", "sell", "out", "0.60", "1.10200", "-4.20",
              "-1.20", "120.00") +
         Deal("2024.01.05 10:00:00", "7", "GBPUSD", "buy", "in", "0.10", "1.25000", "0.00", "0.00",
              "0.00") +
         Deal("2024.01.05 12:00:00", "8", "GBPUSD", "sell", "in out", "0.30", "1.25200", "-0.90",
              "0.00", "20.00") +
         Deal("2024.01.06 10:00:00", "9", "GBPUSD", "buy", "out by", "0.20", "1.25100", "0.00",
              "0.00", "20.00") +
         Deal("2024.01.06 11:00:00", "10", "USDJPY", "buy", "in", "0.10", "150.000", "0.00", "0.00",
              "0.00") +
         Deal("2024.01.06 12:00:00", "11", "USDJPY", "buy", "in", "0.10", "150.100", "0.00", "0.00",
              "0.00") +
         Deal("2024.01.07 10:00:00", "12", "USDJPY", "sell", "out", "0.20", "150.500", "0.00",
              "0.00", "10.00") +
         Balance("2024.01.07 12:00:00", "13", "-500.00", "Withdrawal") +
         Deal("2024.01.08 10:00:00", "14", "EURUSD", "buy", "in", "0.30", "1.09000", "-2.10",
              "0.00", "0.00", "late");
}

void ExpectHedgingTrades(const Report& report) {
  ASSERT_EQ(report.full.TradeRows(), 7);
  EXPECT_EQ(Cells(report, 0, kTrade),
            "4|buy|0.40|EURUSD|2024/01/02|10:00:00|1.10000|2024/01/03|10:00:00|1.10500|-5.60|-0.40|"
            "200.00|part one");
  EXPECT_EQ(Cells(report, 1, kTrade),
            "5|sell|0.50|EURUSD|2024/01/02|11:00:00|1.10100|2024/01/03|12:00:00|1.10300|-7.00|0.00|"
            "-100.00|sl 1.10300");
  EXPECT_EQ(Cells(report, 2, kTrade),
            "6|buy|0.60|EURUSD|2024/01/02|10:00:00|1.10000|2024/01/04|09:00:00|1.10200|-8.40|-1.20|"
            "120.00|");
  // The reversal closes the 0.10 long with a third of its commission; the
  // 0.20 short it opens closes by the opposite position.
  EXPECT_EQ(Cells(report, 3, kTrade),
            "8|buy|0.10|GBPUSD|2024/01/05|10:00:00|1.25000|2024/01/05|12:00:00|1.25200|-0.30|0.00|"
            "20.00|");
  EXPECT_EQ(Cells(report, 4, kTrade),
            "9|sell|0.20|GBPUSD|2024/01/05|12:00:00|1.25200|2024/01/06|10:00:00|1.25100|-0.60|0.00|"
            "20.00|");
  // One close of two entries opens at their mean price, at the first one's time.
  EXPECT_EQ(Cells(report, 5, {col::ticket, col::lots, col::openTime, col::closePrice}),
            "12|0.20|11:00:00|150.500");
  EXPECT_DOUBLE_EQ(TextToAmount(report.full.Cell(col::openPrice, 5)), 150.05);
  EXPECT_EQ(Cells(report, 6, kTrade),
            "14|buy|0.30|EURUSD|2024/01/08|10:00:00|1.09000||||-2.10|||late");
  // Pips and pip values as for any report: 50 pips of 0.40 lots earned 200.00.
  EXPECT_EQ(Cells(report, 0, {col::pips, col::pipValuePerLot, col::commissionPerLot}), "50|10|-14");
  EXPECT_EQ(report.full.Cell(col::pips, 6), "0");
  EXPECT_EQ(Cells(report, 0, {col::stopLoss, col::takeProfit}), "0.00|0.00");
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 10000);
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 0);
  EXPECT_DOUBLE_EQ(report.stats.withdrawalTotal, 500);
}

TEST(Mt5Report, DealsBecomeTradesInEveryByteOrderAndLanguage) {
  struct Form {
    const char* name;
    const Labels& labels;
    Utf16Order order;
    bool mark;
  };
  const Form forms[] = {
      {"English UTF-16LE with a mark", kEnglish, Utf16Order::littleEndian, true},
      {"Japanese UTF-16LE with a mark", kJapanese, Utf16Order::littleEndian, true},
      {"English UTF-16BE", kEnglish, Utf16Order::bigEndian, false},
      {"Japanese UTF-16LE", kJapanese, Utf16Order::littleEndian, false},
      {"Japanese UTF-8", kJapanese, Utf16Order::none, false}};
  for (const Form& form : forms) {
    SCOPED_TRACE(form.name);
    TempDir dir;
    const std::u16string page = Page(form.labels, HedgingDeals());
    const std::string path = dir.Write(
        "report.html",
        form.order == Utf16Order::none ? Utf8(page) : Utf16Bytes(page, form.order, form.mark));
    Report report;
    MessageList messages;
    ASSERT_TRUE(OpenFiles(report, {path}, &messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{kNoResultsBlock});
    ExpectHedgingTrades(report);
  }
}

TEST(Mt5Report, WhatCannotBeReadIsCountedAndNothingIsMadeUp) {
  const std::u16string deals = Balance("2024.01.02 00:00:00", "1", "10 000.00") +
                               Deal("2024.01.02 10:00:00", "2", "EURUSD", "sell", "out", "0.10",
                                    "1.10500", "0.00", "0.00", "5.00", "no entry") +
                               Cells({"2024.01.02 11:00:00", "3", "", "credit", "", "", "", "",
                                      "0.00", "0.00", "100.00", "10 105.00", ""}) +
                               Cells({"2024.01.02 12:00:00", "4", "EURUSD", "buy", "in", "0.10"}) +
                               Deal("2024.01.03 10:00:00", "5", "EURUSD", "buy", "in", "0.10",
                                    "1.10000", "0.00", "0.00", "0.00") +
                               Deal("2024.01.03 11:00:00", "6", "EURUSD", "sell", "out", "0.10",
                                    "1.10100", "0.00", "0.00", "10.00");
  TempDir dir;
  Report report;
  MessageList messages;
  ASSERT_TRUE(OpenReport(
      report,
      dir.Write("report.html", Utf16Bytes(Page(kEnglish, deals), Utf16Order::littleEndian, true)),
      &messages));
  EXPECT_EQ(messages.texts,
            (std::vector<std::string>{
                "Deals of a type this program does not read, skipped: 1",
                "Closing deals without an entry deal, kept as trades without an opening (only the "
                "original sizing counts their profit): 1",
                "Rows of the Deals table that lack cells, not read: 1", kNoResultsBlock}));
  ASSERT_EQ(report.full.TradeRows(), 2);
  // The close without an entry keeps what it has and shows no pips.
  EXPECT_EQ(Cells(report, 0, kTrade),
            "2|buy|0.10|EURUSD||||2024/01/02|10:00:00|1.10500|0.00|0.00|"
            "5.00|no entry");
  EXPECT_EQ(report.full.Cell(col::pips, 0), "0");
  EXPECT_EQ(Cells(report, 1, {col::ticket, kOpen, col::profit}), "6|2024/01/03|10.00");
  EXPECT_DOUBLE_EQ(report.stats.netProfit, 5.00 + 10.00);
}

// The footer's totals catch a deal row that no rule saw go missing.
TEST(Mt5Report, TheDealsFooterHoldsTheDealsRead) {
  TempDir dir;
  const std::u16string page = Page(kEnglish, HedgingDeals());
  std::u16string damaged = page;
  const std::size_t deal6 = damaged.rfind(u"<tr", damaged.find(u"<td>6</td>"));
  damaged.erase(deal6, damaged.find(u"</tr>", deal6) + 5 - deal6);
  for (const auto& [text, expected] :
       {std::pair{page, std::vector<std::string>{kNoResultsBlock}},
        std::pair{damaged, std::vector<std::string>{kNoResultsBlock,
                                                    "The trades read add up to 129.80; the "
                                                    "report prints 244.40: the file may be "
                                                    "damaged."}}}) {
    Report report;
    MessageList messages;
    ASSERT_TRUE(OpenFiles(
        report, {dir.Write("report.html", Utf16Bytes(text, Utf16Order::littleEndian, true))},
        &messages));
    EXPECT_EQ(messages.texts, expected);
  }
}

TEST(Mt5Report, APageCutShortIsReadToItsLastWholeRowWithAWarning) {
  const std::u16string page = Page(kEnglish, HedgingDeals());
  // Cut inside deal 6, between two of its cells.
  const std::size_t cut = page.find(u"<td>6</td>") + 4;
  TempDir dir;
  const std::string path =
      dir.Write("report.html", Utf16Bytes(page.substr(0, cut), Utf16Order::littleEndian, true));
  Report report;
  NoProgress progress;
  MessageList messages;
  const StatementRead read =
      ConvertAndReadStatement(report.full, report.stats, path, "", false, progress, messages);
  EXPECT_EQ(read.outcome, ReadOutcome::read);
  EXPECT_EQ(read.warning, kEndsEarlyWarning);
  // Deals 4 and 5 closed; the rest of the long entry stays open.
  ASSERT_EQ(report.full.TradeRows(), 3);
  EXPECT_EQ(Cells(report, 2, {col::ticket, col::lots, col::closeDate}), "2|0.60|");
}

TEST(Mt5Report, AUtf16PageWithAnOddByteCountIsRefused) {
  TempDir dir;
  const std::string path =
      dir.Write("report.html",
                Utf16Bytes(Page(kEnglish, HedgingDeals()), Utf16Order::littleEndian, true) + "x");
  Report report;
  NoProgress progress;
  MessageList messages;
  const StatementRead read =
      ConvertAndReadStatement(report.full, report.stats, path, "", false, progress, messages);
  EXPECT_EQ(read.outcome, ReadOutcome::failed);
  EXPECT_EQ(read.reason, kOddUtf16Reason);
  EXPECT_EQ(report.full.TradeRows(), 1);
  EXPECT_TRUE(report.full.Cell(col::ticket, 0).empty());
}

TEST(Mt5Report, ARunWithoutDealsFindsNothingButItsDeposit) {
  TempDir dir;
  const std::string path = dir.Write(
      "report.html",
      Utf16Bytes(Page(kJapanese, Balance("2024.01.02 00:00:00", "1", "10 000.00"), kDepositOnly),
                 Utf16Order::littleEndian, true));
  Report report;
  ProgramState state;
  NoProgress progress;
  MessageList messages;
  const OpenResult result = OpenStatement(
      path, dir.File("Quillfen.tmp"), [&]() -> Report& { return report; }, state, progress,
      messages);
  EXPECT_EQ(result.outcome, OpenOutcome::opened);
  EXPECT_TRUE(result.foundNothing);
  EXPECT_EQ(messages.texts, std::vector<std::string>{kNoResultsBlock});
  EXPECT_EQ(report.full.TradeRows(), 1);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 10000);
}

std::string Mt5Folder() {
  return std::string(QUILLFEN_STATEMENTS) + "/mt5";
}

TEST(Mt5Report, SharedReportsGiveThePrintedTradesDepositAndNetProfit) {
  std::ifstream file(Mt5Folder() + "/manifest.json");
  if (!file) GTEST_SKIP() << "no MetaTrader 5 reports beside the project";
  const nlohmann::json manifest = nlohmann::json::parse(file);
  int checked = 0;
  for (const auto& entry : manifest) {
    const std::string name = entry["file"];
    SCOPED_TRACE(name);
    Report report;
    MessageList messages;
    ASSERT_TRUE(OpenReport(report, Mt5Folder() + "/" + name, &messages));
    EXPECT_TRUE(messages.texts.empty());
    const int printedTrades = std::stoi(entry["canonical"]["total_trades"].get<std::string>());
    int closed = 0;
    for (int row = 0; row < report.full.TradeRows(); ++row)
      closed += !report.full.Cell(col::closeDate, row).empty();
    EXPECT_EQ(closed, printedTrades);
    EXPECT_EQ(report.stats.tradeCount, printedTrades);
    EXPECT_DOUBLE_EQ(report.stats.statementDeposit,
                     PrintedAmount(entry["settings"]["initial_deposit"]));
    EXPECT_NEAR(report.stats.netProfit, PrintedAmount(entry["canonical"]["total_net_profit"]),
                0.005);
    ++checked;
  }
  EXPECT_EQ(checked, 6);
}

}  // namespace
}  // namespace quillfen
