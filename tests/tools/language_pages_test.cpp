// Pages that make-statement writes in the terminal's other languages and code
// pages read as their English twins do, and give the figures they print.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "actions/opening_actions.h"
#include "generated_page_folder.h"
#include "import/trade_table.h"
#include "messages.h"
#include "program_state.h"
#include "progress.h"
#include "report.h"
#include "synthetic/page_language.h"
#include "synthetic/page_writer.h"
#include "synthetic/statement_history.h"
#include "synthetic/statement_page.h"
#include "synthetic/tester_history.h"
#include "synthetic/tester_page.h"
#include "text/charset.h"

namespace quillfen::synthetic {
namespace {

class LanguagePages : public GeneratedPageFolder {
 protected:
  // Writes the page, checks the code page the reader will find in it, and
  // opens it as the window does.
  template <typename Write>
  void Open(Report& report, const std::string& charset, Write write) {
    const std::string page = WritePage(write);
    if (!charset.empty()) {
      const std::string found = DetectFileCharset(page);
      // ICU names Windows-31J Shift_JIS and GBK its superset GB18030.
      const std::string expected = charset == "windows-31j" ? "Shift_JIS"
                                   : charset == "GBK"       ? "GB18030"
                                                            : charset;
      EXPECT_EQ(found, expected);
    }
    WriteGridHeaders(report);
    ProgramState state;
    NoProgress progress;
    MessageList messages;
    const OpenResult result = OpenStatement(
        page, (Folder() / "Quillfen.tmp").string(), [&]() -> Report& { return report; }, state,
        progress, messages);
    EXPECT_EQ(result.outcome, OpenOutcome::opened) << result.reason;
    EXPECT_TRUE(messages.texts.empty());
  }
};

struct Variant {
  std::string code;
  std::string charset;  // empty: the language's own code page
};

std::vector<Variant> Variants() {
  std::vector<Variant> variants;
  for (const std::string& code : PageLanguageCodes()) {
    if (code == "en") continue;
    variants.push_back({code, ""});
    variants.push_back({code, "UTF-8"});
  }
  return variants;
}

bool Listed(const SelectionList& list, const std::string& item) {
  return std::find(list.Items().begin(), list.Items().end(), item) != list.Items().end();
}

TEST_F(LanguagePages, TesterReportsGiveTheirTradesDepositSymbolAndNetProfit) {
  HistoryOptions options;
  options.trades = 300;
  options.symbols = {"gbpusd"};
  options.modifications = 40;
  options.swapReopenings = 10;
  options.pendingOrders = 6;
  options.closedAtStop = 3;
  options.depositCents = 523456;
  const TesterHistory history = MakeTesterHistory(options);
  // What the page prints as its total net profit: every row with a profit,
  // those closed at stop at the end of the test among them.
  long long netCents = 0;
  for (const TesterRow& row : history.rows)
    if (row.hasProfit) netCents += row.profit;

  for (const Variant& v : Variants()) {
    SCOPED_TRACE(v.code + " " + v.charset);
    PageLanguage language;
    ASSERT_TRUE(LoadPageLanguage(v.code, v.charset, language));
    Report report;
    Open(report, language.charset,
         [&](PageWriter& out) { WriteTesterPage(out, history, options.depositCents, language); });
    // A swap reopening splits a position into two rows.
    EXPECT_EQ(report.full.TradeRows(), 300 + 10);
    EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 5234.56);
    EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 5234.56);
    EXPECT_TRUE(Listed(report.pairsListBox, "gbpusd"));
    EXPECT_NEAR(report.stats.netProfit, static_cast<double>(netCents) / 100, 1e-6);
    int open = 0;
    for (int row = 0; row < report.full.TradeRows(); ++row)
      open += report.full.Cell(col::closeDate, row).empty();
    EXPECT_EQ(open, 0);
  }
}

TEST_F(LanguagePages, StatementsReadAsTheirEnglishTwinWithTheirOwnComments) {
  HistoryOptions options;
  options.trades = 250;
  options.balanceRows = 8;
  options.openTrades = 4;
  options.pendingOrders = 5;
  options.workingOrders = 3;
  options.magic = true;
  options.commission = true;
  const StatementHistory history = MakeStatementHistory(options);
  // Magic numbers and comments in the tickets' tooltips only, as many terminals write them.
  const StatementLayout layout{true, true, false};
  Report english;
  Open(english, "",
       [&](PageWriter& out) { WriteStatementPage(out, history, layout, options.depositCents); });
  ASSERT_EQ(english.full.TradeRows(), 250 + 4);

  for (const Variant& v : Variants()) {
    SCOPED_TRACE(v.code + " " + v.charset);
    PageLanguage language;
    ASSERT_TRUE(LoadPageLanguage(v.code, v.charset, language));
    PageLanguage utf8;
    ASSERT_TRUE(LoadPageLanguage(v.code, "UTF-8", utf8));
    Report report;
    Open(report, language.charset, [&](PageWriter& out) {
      WriteStatementPage(out, history, layout, options.depositCents, language);
    });
    const TradeTable& table = report.full;
    ASSERT_EQ(table.TradeRows(), english.full.TradeRows());
    int row = 0;
    for (const std::vector<Order>* orders : {&history.closed, &history.open}) {
      for (const Order& order : *orders) {
        if (order.type != OrderType::Buy && order.type != OrderType::Sell) continue;
        for (int column = 0; column < TradeTable::kDataColumns; ++column) {
          if (column == col::comment) continue;
          EXPECT_EQ(table.Cell(column, row), english.full.Cell(column, row))
              << "row " << row << " column " << column;
        }
        EXPECT_EQ(table.Cell(col::comment, row), utf8.Comment(order.comment)) << "row " << row;
        ++row;
      }
    }
    EXPECT_DOUBLE_EQ(report.stats.statementDeposit, english.stats.statementDeposit);
    EXPECT_DOUBLE_EQ(report.stats.depositTotal, english.stats.depositTotal);
    EXPECT_DOUBLE_EQ(report.stats.withdrawalTotal, english.stats.withdrawalTotal);
    EXPECT_DOUBLE_EQ(report.stats.netProfit, english.stats.netProfit);
    EXPECT_EQ(report.pairsListBox.Items(), english.pairsListBox.Items());
    EXPECT_EQ(report.magicListBox.Items(), english.magicListBox.Items());
  }
}

TEST(PageLanguage, TextsAreInTheLanguagesCodePage) {
  PageLanguage russian;
  ASSERT_TRUE(LoadPageLanguage("ru", "", russian));
  EXPECT_EQ(russian.charset, "windows-1251");
  EXPECT_EQ(russian.symbol, "\xD1\xE8\xEC\xE2\xEE\xEB");  // Символ
  PageLanguage utf8;
  ASSERT_TRUE(LoadPageLanguage("ru", "UTF-8", utf8));
  EXPECT_EQ(utf8.symbol, "Символ");
  EXPECT_EQ(utf8.Comment("trend follower[tp]"), "по тренду[tp]");
  EXPECT_EQ(utf8.Comment("Deposit by wire"), "Deposit by wire");
  EXPECT_EQ(utf8.Comment("cancelled"), "cancelled");
  PageLanguage japanese;
  EXPECT_FALSE(LoadPageLanguage("ja", "windows-1251", japanese));
  EXPECT_FALSE(LoadPageLanguage("xx", "", japanese));
}

}  // namespace
}  // namespace quillfen::synthetic
