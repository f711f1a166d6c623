#include "actions/refresh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../analysis/report_builder.h"

namespace quillfen {
namespace {

// A refresh asked for while the rows are sorted (the sort lets events in)
// leaves the grids, the figures, the summary and the offered figures alone:
// they read the rows by number. The refresh after the sort brings them all.
TEST(Refresh, WaitsForASortAndThenBringsEverything) {
  Report report = testing::MakeReport({{.ticket = "1", .pips = "10", .pipValuePerLot = "1"},
                                       {.ticket = "2", .symbol = "GBPUSD", .pips = "-5"}});
  report.pairsListBox.SetSelected(1, false);
  report.summaryMemo = {"old"};
  report.busy = BusyWith::sorting;
  FullRefresh(report);
  EXPECT_EQ(report.grid1.Cell(0, 2), "2");
  EXPECT_EQ(report.stats.tradeCount, 0);
  EXPECT_EQ(report.summaryMemo, std::vector<std::string>{"old"});
  EXPECT_EQ(report.options.simulation.avgProfitText, "");

  report.busy = BusyWith::nothing;
  FullRefresh(report);
  EXPECT_EQ(report.grid1.Cell(0, 2), "");
  EXPECT_EQ(report.stats.tradeCount, 1);
  EXPECT_EQ(report.summaryMemo.size(), 19u);
  EXPECT_EQ(report.options.simulation.avgProfitText, "10.0");
}

}  // namespace
}  // namespace quillfen
