// A plain page exported by the program and opened again gives the same trades
// and figures: the hidden values survive the statement converter.
#include <gtest/gtest.h>

#include "actions/export_actions.h"

#include <cmath>
#include <filesystem>

#include "../import/import_test_support.h"
#include "../support/temp_dir.h"
#include "analysis/summary_text.h"
#include "analysis/trade_selection.h"
#include "export/html_export.h"
#include "messages.h"
#include "program_info.h"
#include "report.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

bool Open(Report& report, const std::string& path) {
  WriteGridHeaders(report);
  return OpenReport(report, path);
}

// The summary without the balance operations, which a page does not carry.
std::vector<std::string> TradeSummary(const Report& report) {
  Report copy = report;
  copy.stats.interestTotal = copy.stats.depositTotal = copy.stats.withdrawalTotal = 0;
  copy.stats.rebateTotal = copy.stats.feeTotal = 0;
  return SummaryLines(copy.grid1, copy.stats);
}

std::vector<std::string> MagicColumn(const Report& report) {
  std::vector<std::string> magics;
  for (int r = 1; r < report.grid2.RowCount(); ++r)
    magics.emplace_back(report.grid2.Cell(g2::magic, r));
  return magics;
}

// Each listed trade: who, what and when, and the prices.
std::vector<std::string> TradeCells(const Report& report) {
  const VisibleGrid& grid = report.grid1;
  std::vector<std::string> rows;
  for (int r = 1; r < grid.RowCount(); ++r) {
    if (grid.Cell(g1::ticket, r).empty()) continue;
    // The page prints lots with two decimals ("0.1" comes back "0.10").
    std::string row = std::to_string(std::llround(TextToAmount(grid.Cell(g1::lots, r)) * 100));
    for (int column : {g1::ticket, g1::type, g1::symbol, g1::openDate, g1::openTime, g1::openPrice,
                       g1::closeDate, g1::closeTime, g1::closePrice})
      row.append("|").append(grid.Cell(column, r));
    rows.push_back(row);
  }
  return rows;
}

RgbImage BlankPicture(const DisplayList& list) {
  return {list.width, list.height,
          std::vector<std::uint8_t>(static_cast<std::size_t>(list.width) * list.height * 3, 255)};
}

// The number of trades compared; -1 when the file is not a statement. The
// detailed page carries the magic numbers too.
int ExpectRoundTrip(const std::string& path, bool detailed = false) {
  SCOPED_TRACE(path + (detailed ? " (detailed)" : ""));
  testing::TempDir dir;
  Report original;
  if (!Open(original, path)) return -1;
  const std::string page = dir / "page.htm";
  const ExportResult exported = ExportHtmlReport(
      original, original.options, {page, kCaptionPrefix + path, detailed}, BlankPicture);
  EXPECT_EQ(exported.outcome, ExportOutcome::written) << exported.reason;
  Report reread;
  EXPECT_TRUE(Open(reread, page));
  const ReportStatistics& a = original.stats;
  const ReportStatistics& b = reread.stats;
  EXPECT_EQ(a.tradeCount, b.tradeCount);
  EXPECT_NEAR(a.netProfit, b.netProfit, 0.005);
  EXPECT_NEAR(a.grossProfit, b.grossProfit, 0.005);
  EXPECT_NEAR(a.grossLoss, b.grossLoss, 0.005);
  EXPECT_EQ(TradeSummary(original), reread.summaryMemo);
  EXPECT_EQ(TradeCells(original), TradeCells(reread));
  if (detailed) {
    EXPECT_EQ(MagicColumn(original), MagicColumn(reread));
  }
  return a.tradeCount;
}

std::vector<std::string> HtmFiles(const std::string& folder, const char* extension = ".htm") {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == extension) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(HtmlRoundTrip, EveryFixture) {
  const std::vector<std::string> files = HtmFiles(QUILLFEN_FIXTURES);
  int trades = 0;
  for (const std::string& file : files)
    for (bool detailed : {false, true}) trades += std::max(ExpectRoundTrip(file, detailed), 0);
  EXPECT_GT(trades, 20);
}

TEST(HtmlRoundTrip, EveryRealStatement) {
  const std::vector<std::string> files = HtmFiles(QUILLFEN_STATEMENTS);
  if (files.empty()) GTEST_SKIP() << "no real statements beside the project";
  for (const std::string& file : files) EXPECT_GT(ExpectRoundTrip(file), 0) << file;
}

// The page an MT5 report exports to is an MT4-shaped page, read back alike.
TEST(HtmlRoundTrip, EveryRealMt5Report) {
  const std::vector<std::string> files =
      HtmFiles(std::string(QUILLFEN_STATEMENTS) + "/mt5", ".html");
  if (files.empty()) GTEST_SKIP() << "no real MT5 reports beside the project";
  for (const std::string& file : files)
    for (bool detailed : {false, true}) EXPECT_GE(ExpectRoundTrip(file, detailed), 0) << file;
}

}  // namespace
}  // namespace quillfen
