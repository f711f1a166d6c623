// Real terminal files, when present beside the project: the reader must find
// what the terminal itself counted and printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "../real_statements.h"
#include "../report_invariants.h"
#include "import_test_support.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

Report OpenReal(const std::string& file, MessageList& messages) {
  Report report;
  EXPECT_TRUE(OpenFiles(report, {std::string(QUILLFEN_STATEMENTS) + "/" + file}, &messages))
      << file;
  return report;
}

TEST(Conformance, StatementsGiveTheTerminalsTradesAndBalanceTotal) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  int checked = 0;
  for (const auto& entry : manifest) {
    if (entry.value("kind", "") != "statement") continue;
    const std::string file = entry["file"];
    MessageList messages;
    Report report = OpenReal(file, messages);
    ExpectTableInvariants(report);
    EXPECT_EQ(report.full.TradeRows(),
              entry["closed_trades"].get<int>() + entry["open_trades"].get<int>())
        << file;
    const ReportStatistics& s = report.stats;
    EXPECT_NEAR(s.depositTotal - s.withdrawalTotal + s.interestTotal + s.rebateTotal - s.feeTotal,
                PrintedAmount(entry["oracle"]["Deposit/Withdrawal"]), 0.005)
        << file;
    EXPECT_TRUE(messages.texts.empty()) << file;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

// Statement 002 takes money out as balance rows "Withdraw:usdttron:USD".
TEST(Conformance, WithdrawalsUnderTheirOwnCommentCountAsWithdrawals) {
  const std::string file = "002-mamolas-detailed-xauusd-4k-trades.htm";
  if (!std::filesystem::exists(std::string(QUILLFEN_STATEMENTS) + "/" + file))
    GTEST_SKIP() << "no real statements beside the project";
  MessageList messages;
  Report report = OpenReal(file, messages);
  EXPECT_DOUBLE_EQ(report.stats.depositTotal, 5000);
  EXPECT_DOUBLE_EQ(report.stats.withdrawalTotal, 50000 + 40000 + 40000 + 50000 + 50000 + 30000.0);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 5000);
}

TEST(Conformance, TesterReportsGiveTheTerminalsTradesAndDeposit) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  int checked = 0;
  for (const auto& entry : manifest) {
    if (entry.value("kind", "") != "tester" || entry.value("language", "") != "English") continue;
    const std::string file = entry["file"];
    MessageList messages;
    Report report = OpenReal(file, messages);
    ExpectTableInvariants(report);
    EXPECT_EQ(report.full.TradeRows(), entry["closed_trades"].get<int>()) << file;
    double deposit = PrintedAmount(entry["oracle"]["Initial deposit"]);
    EXPECT_DOUBLE_EQ(report.stats.statementDeposit, deposit) << file;
    EXPECT_DOUBLE_EQ(report.stats.initialDeposit, deposit) << file;
    EXPECT_TRUE(messages.texts.empty()) << file;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

// Every real page agrees with its own printed totals, and says so once one of
// its closing rows is gone. The tester prints each profit rounded to the cent
// and its total unrounded: 027, 029 and 037 sum 4, 1 and 1 cent off, which the
// half cent a row allows. The French and Russian reports print their totals
// under translated labels, which the reader does not take: nothing to hold.
TEST(Conformance, PrintedTotalsAgreeAndCatchALostRow) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  std::ifstream international(std::string(QUILLFEN_STATEMENTS) + "/international/manifest.json");
  for (auto& entry : nlohmann::json::parse(international)) {
    entry["file"] = "international/" + entry["file"].get<std::string>();
    manifest.push_back(entry);
  }
  // A closing row with money in it: a statement's trade carries its close time
  // after its type, a test's row a closing type.
  static const std::regex closing(R"(>(buy|sell)<.*\d{4}\.\d\d\.\d\d \d\d:\d\d|>(close|t/p|s/l)<)");
  TempDir dir;
  int damaged = 0;
  for (const auto& entry : manifest) {
    const std::string file = entry["file"];
    MessageList messages;
    OpenReal(file, messages);
    EXPECT_EQ(messages.texts, std::vector<std::string>{}) << file;
    if (entry.value("language", "") != "English") continue;
    std::ifstream in(std::string(QUILLFEN_STATEMENTS) + "/" + file, std::ios::binary);
    std::string page, line;
    bool dropped = false;
    while (std::getline(in, line)) {
      const bool drop = !dropped && std::regex_search(line, closing) &&
                        line.find("cancel") == std::string::npos &&
                        line.find(">0.00</td></tr>") == std::string::npos;
      dropped |= drop;
      if (!drop) page += line + "\n";
    }
    Report report;
    MessageList said;
    ASSERT_TRUE(OpenFiles(report, {dir.Write("damaged.htm", page)}, &said)) << file;
    ASSERT_FALSE(said.texts.empty()) << file;
    EXPECT_NE(said.texts.back().find(": the file may be damaged."), std::string::npos)
        << file << ": " << said.texts.back();
    ++damaged;
  }
  EXPECT_GT(damaged, 0);
}

// The summary block puts each amount on a line after its label; the balance
// before the statement's first row is Balance - Closed Trade P/L - Deposit/Withdrawal.
TEST(Conformance, StatementsGiveTheirOpeningBalance) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  for (const auto& entry : manifest) {
    if (entry.value("kind", "") != "statement") continue;
    const nlohmann::json& printed = entry["oracle"];
    MessageList messages;
    Report report = OpenReal(entry["file"], messages);
    EXPECT_NEAR(report.stats.openingBalance,
                PrintedAmount(printed["Balance"]) - PrintedAmount(printed["Closed Trade P/L"]) -
                    PrintedAmount(printed["Deposit/Withdrawal"]),
                0.005)
        << entry["file"];
  }
}

}  // namespace
}  // namespace quillfen
