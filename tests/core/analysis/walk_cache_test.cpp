#include "analysis/walk_cache.h"

#include <gtest/gtest.h>

#include <functional>

#include "analysis/column_sort.h"
#include "analysis/statistics.h"
#include "analysis/terminal_view.h"
#include "analysis/trade_deletion.h"
#include "analysis/trade_selection.h"
#include "report_builder.h"

namespace quillfen {
namespace {

using testing::MakeReport;
using testing::TestTrade;

void ExpectSameGrid(const VisibleGrid& a, const VisibleGrid& b, const char* step) {
  ASSERT_EQ(a.RowCount(), b.RowCount()) << step;
  for (int r = 0; r < a.RowCount(); ++r)
    for (int c = 0; c < a.Columns(); ++c)
      EXPECT_EQ(a.Cell(c, r), b.Cell(c, r)) << step << " row " << r << " column " << c;
}

// A recompute that trusts the kept numbers leaves what one that reads every
// cell afresh leaves, whatever changed in the grids or options in between; so
// do the terminal's figures over the kept walk.
TEST(WalkCache, KeptNumbersFollowEveryChange) {
  ProgramState program;
  NoProgress progress;
  const struct {
    const char* name;
    std::function<void(Report&)> change;
  } steps[] = {
      {"nothing", [](Report&) {}},
      {"two standard lots",
       [](Report& r) {
         r.options.sizing = SizingChoice::standardLots;
         r.options.standardContractsText = "2";
       }},
      {"original sizing reads the rewritten lots",
       [](Report& r) { r.options.sizing = SizingChoice::original; }},
      {"fixed amount mini", [](Report& r) { r.options.sizing = SizingChoice::miniAmount; }},
      {"deposit", [](Report& r) { r.options.depositText = "777"; }},
      {"pips cell", [](Report& r) { r.grid1.SetCell(g1::pips, 2, "-300"); }},
      {"hidden pip value", [](Report& r) { r.grid1.SetCell(g1::pipValuePerLot, 1, "2"); }},
      {"close date", [](Report& r) { r.grid1.SetCell(g1::closeDate, 3, "2011/03/09"); }},
      {"marker", [](Report& r) { r.grid1.SetCell(g1::marker, 4, "*"); }},
      {"Grid2 swap", [](Report& r) { r.grid2.SetCell(g2::swap, 1, "x"); }},
      {"rows swapped",
       [](Report& r) {
         r.grid1.SwapRows(1, 3);
         r.grid2.SwapRows(1, 3);
       }},
      {"fewer rows",
       [](Report& r) {
         r.grid1.SetRowCount(4);
         r.grid2.SetRowCount(4);
       }},
      {"rebuilt", [](Report& r) { RebuildTradeGrids(r); }},
      {"column sort", [&](Report& r) { SortTradeTable(r, program, col::pips, progress); }},
      {"deletion", [](Report& r) { DeleteTrades(r, {2}); }},
  };
  Report report = MakeReport({
      {.ticket = "1", .lots = "0.5", .pips = "40", .swapPerLot = "-1"},
      {.ticket = "2", .lots = "150", .pips = "-25", .commissionPerLot = "-7"},
      {.ticket = "3", .lots = "0.01", .pips = "-60", .pipValuePerLot = "1"},
      {.ticket = "4", .lots = "2", .pips = "10", .closeDate = "", .closeTime = ""},
      {.ticket = "5", .lots = "1", .pips = "-5"},
  });
  for (const auto& step : steps) {
    step.change(report);
    Report cold = report;
    cold.walkCache = WalkCache{};
    RecomputeStatistics(report);
    RecomputeStatistics(cold);
    BuildTerminalFigures(report);
    BuildTerminalFigures(cold);
    ASSERT_EQ(report.terminalFigures.size(), cold.terminalFigures.size()) << step.name;
    for (std::size_t i = 0; i < report.terminalFigures.size(); ++i)
      EXPECT_EQ(report.terminalFigures[i].text, cold.terminalFigures[i].text) << step.name;
    ASSERT_EQ(report.breakdown.magics.size(), cold.breakdown.magics.size()) << step.name;
    for (std::size_t i = 0; i < report.breakdown.magics.size(); ++i)
      EXPECT_EQ(report.breakdown.magics[i].maximalDrawdown,
                cold.breakdown.magics[i].maximalDrawdown)
          << step.name;
    ExpectSameGrid(report.grid1, cold.grid1, step.name);
    ExpectSameGrid(report.grid2, cold.grid2, step.name);
    const ReportStatistics& a = report.stats;
    const ReportStatistics& b = cold.stats;
    for (auto field : {&ReportStatistics::netProfit, &ReportStatistics::totalLots,
                       &ReportStatistics::maxDrawdown, &ReportStatistics::periodDays,
                       &ReportStatistics::swapTotal, &ReportStatistics::commissionTotal})
      EXPECT_EQ(a.*field, b.*field) << step.name;
    EXPECT_EQ(a.tradeCount, b.tradeCount) << step.name;
  }
}

}  // namespace
}  // namespace quillfen
