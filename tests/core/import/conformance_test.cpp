// Real terminal files, when present beside the project: the reader must find
// what the terminal itself counted and printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

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

}  // namespace
}  // namespace quillfen
