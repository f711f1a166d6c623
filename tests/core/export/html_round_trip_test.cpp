// A plain page exported by the program and opened again gives the same trades
// and figures: the hidden values survive the statement converter.
#include <gtest/gtest.h>

#include <filesystem>

#include "../import/import_test_support.h"
#include "../support/temp_dir.h"
#include "analysis/summary_text.h"
#include "analysis/trade_selection.h"
#include "export/html_export.h"
#include "messages.h"
#include "program_info.h"
#include "report.h"

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
  return SummaryLines(copy);
}

std::vector<std::string> MagicColumn(const Report& report) {
  std::vector<std::string> magics;
  for (int r = 1; r < report.grid2.RowCount(); ++r)
    magics.emplace_back(report.grid2.Cell(g2::magic, r));
  return magics;
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
  std::string error;
  EXPECT_TRUE(ExportHtml(original, {page, kCaptionPrefix + path, detailed}, BlankPicture, &error))
      << error;
  Report reread;
  EXPECT_TRUE(Open(reread, page));
  const ReportStatistics& a = original.stats;
  const ReportStatistics& b = reread.stats;
  EXPECT_EQ(a.tradeCount, b.tradeCount);
  EXPECT_NEAR(a.netProfit, b.netProfit, 0.005);
  EXPECT_NEAR(a.grossProfit, b.grossProfit, 0.005);
  EXPECT_NEAR(a.grossLoss, b.grossLoss, 0.005);
  EXPECT_EQ(TradeSummary(original), reread.summaryMemo);
  if (detailed) {
    EXPECT_EQ(MagicColumn(original), MagicColumn(reread));
  }
  return a.tradeCount;
}

std::vector<std::string> HtmFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == ".htm") files.push_back(entry.path().string());
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

}  // namespace
}  // namespace quillfen
