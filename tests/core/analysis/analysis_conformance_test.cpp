// Real terminal files, when present beside the project: the figures of the
// closed trades must be the ones the terminal printed in its own summary.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "../import/import_test_support.h"
#include "../real_statements.h"
#include "../report_invariants.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

// Opens the file as the window does, under the display filter.
Report OpenReal(const std::string& file, DisplayFilter display) {
  Report report;
  WriteGridHeaders(report);
  report.options.display = display;
  EXPECT_TRUE(OpenReport(report, std::string(QUILLFEN_STATEMENTS) + "/" + file)) << file;
  ExpectTableInvariants(report);
  ExpectWalkInvariants(report);
  return report;
}

void ExpectCents(double figure, const nlohmann::json& oracle, const char* label,
                 const std::string& file, double sign = 1) {
  if (!oracle.contains(label) || !oracle[label].is_string()) return;
  EXPECT_NEAR(sign * figure, PrintedAmount(oracle[label]), 0.005 + 1e-9) << file << " " << label;
}

TEST(AnalysisConformance, StatementsGiveTheTerminalsClosedTradeFigures) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  int checked = 0;
  for (const auto& entry : manifest) {
    if (entry.value("kind", "") != "statement" || entry.value("language", "") != "English")
      continue;
    const std::string file = entry["file"];
    Report report = OpenReal(file, DisplayFilter::closed);
    const ReportStatistics& s = report.stats;
    const nlohmann::json& oracle = entry["oracle"];
    if (oracle.contains("Total Trades")) {
      EXPECT_EQ(s.tradeCount, TextToWhole(oracle["Total Trades"].get<std::string>())) << file;
    }
    ExpectCents(s.netProfit, oracle, "Closed Trade P/L", file);
    ExpectCents(s.grossProfit, oracle, "Gross Profit", file);
    ExpectCents(s.grossLoss, oracle, "Gross Loss", file, -1);
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(AnalysisConformance, TesterReportsGiveTheTerminalsTradesAndDeposit) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  int checked = 0;
  for (const auto& entry : manifest) {
    if (entry.value("kind", "") != "tester" || entry.value("language", "") != "English") continue;
    const std::string file = entry["file"];
    // All trades: a trade the tester closed "at stop" stays open in the table.
    Report report = OpenReal(file, DisplayFilter::all);
    EXPECT_EQ(report.stats.tradeCount, entry["closed_trades"].get<int>()) << file;
    EXPECT_DOUBLE_EQ(report.stats.statementDeposit,
                     PrintedAmount(entry["oracle"]["Initial deposit"]))
        << file;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace quillfen
