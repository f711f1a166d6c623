#include "analysis/walk_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "actions/refresh.h"
#include "actions/view_actions.h"
#include "analysis/column_sort.h"
#include "analysis/statistics.h"
#include "analysis/terminal_view.h"
#include "analysis/trade_selection.h"
#include "report_builder.h"
#include "report_parts.h"

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
      {"rebuilt",
       [](Report& r) { RebuildTradeGrids(r, r.pairsListBox, r.magicListBox, r.options.display); }},
      {"column sort", [&](Report& r) { SortAndRefresh(r, program, col::pips, progress); }},
      {"deletion", [](Report& r) { DeleteGridRows(r, r.options, {2}); }},
  };
  Report report = MakeReport({
      {.ticket = "1", .lots = "0.5", .pips = "40", .swapPerLot = "-1"},
      {.ticket = "2", .lots = "150", .pips = "-25", .commissionPerLot = "-7"},
      {.ticket = "3", .lots = "0.01", .pips = "-60", .pipValuePerLot = "1"},
      {.ticket = "4", .lots = "2", .pips = "10", .closeDate = "", .closeTime = ""},
      {.ticket = "5", .lots = "1", .pips = "-5"},
      // Closed flat: the printed profit, a fee, stands under the original sizing.
      {.ticket = "6", .pips = "0", .pipValuePerLot = "0", .profit = "-89.20"},
  });
  for (const auto& step : steps) {
    step.change(report);
    Report cold = report;
    cold.walkCache = WalkCache{};
    RecomputeStatistics(report, report.stats, report.options);
    RecomputeStatistics(cold, cold.stats, cold.options);
    const TerminalView kept = BuildTerminalFigures(TerminalSourceOf(report));
    const TerminalView afresh = BuildTerminalFigures(TerminalSourceOf(cold));
    ASSERT_EQ(kept.figures.size(), afresh.figures.size()) << step.name;
    for (std::size_t i = 0; i < kept.figures.size(); ++i)
      EXPECT_EQ(kept.figures[i].text, afresh.figures[i].text) << step.name;
    ASSERT_EQ(kept.breakdown.magics.size(), afresh.breakdown.magics.size()) << step.name;
    for (std::size_t i = 0; i < kept.breakdown.magics.size(); ++i)
      EXPECT_EQ(kept.breakdown.magics[i].maximalDrawdown,
                afresh.breakdown.magics[i].maximalDrawdown)
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

// A grid large enough to be read on two threads reads as on one.
TEST(WalkCache, TwoThreadsReadWhatOneReads) {
  Report report;
  WriteGridHeaders(report);
  const int trades = WalkCache::kSplitFrom + 999;
  report.full.SetRowCount(trades + 1);
  for (int r = 0; r < trades; ++r) {
    const std::string day = std::to_string(10 + r % 19);
    report.full.SetCell(col::ticket, r, std::to_string(r + 1));
    report.full.SetCell(col::symbol, r, "EURUSD");
    report.full.SetCell(col::lots, r, std::to_string(1 + r % 7) + ".5");
    report.full.SetCell(col::openDate, r, r == 70 ? "2009/01/02" : "2010/03/" + day);
    report.full.SetCell(col::openTime, r, "10:00");
    report.full.SetCell(col::closeDate, r, r == trades - 5 ? "2012/01/02" : "2010/04/" + day);
    report.full.SetCell(col::closeTime, r, "11:00");
    report.full.SetCell(col::pips, r, std::to_string(r % 50 - 25));
    report.full.SetCell(col::pipValuePerLot, r, r % 3 ? "10" : r % 2 ? "9.12" : "0");
    report.full.SetCell(col::profit, r, std::to_string(r % 11 - 5) + ".25");
  }
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  FillMagicList(report.full, report.magicListBox);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  WalkCache split;
  WalkCache single(report.grid1.RowCount() + 1);
  const std::vector<WalkRow>& a = split.Rows(report.grid1, report.grid2);
  const std::vector<WalkRow>& b = single.Rows(report.grid1, report.grid2);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t r = 0; r < a.size(); ++r) {
    ASSERT_EQ(a[r].trade, b[r].trade) << r;
    ASSERT_EQ(a[r].lots, b[r].lots) << r;
    ASSERT_EQ(a[r].pips, b[r].pips) << r;
    ASSERT_EQ(a[r].printedProfit, b[r].printedProfit) << r;
    ASSERT_EQ(a[r].pipValuePerLot, b[r].pipValuePerLot) << r;
  }
  EXPECT_EQ(split.Period().earliest, single.Period().earliest);
  EXPECT_EQ(split.Period().latest, single.Period().latest);
  EXPECT_GT(split.Period().Days(), 1000);  // the early opening and the late closing count
}

}  // namespace
}  // namespace quillfen

namespace quillfen {
namespace {

// The counting order equals the plain stable sort: ties (many, in a narrow
// range) in row order, moments far apart, a list already in order.
TEST(WalkCache, CloseOrderEqualsAStableSort) {
  std::mt19937 random(26);
  for (const int spread : {3, 70000, 2000000000}) {
    std::vector<WalkRow> walked(5000);
    std::uniform_int_distribution<int> minutes(1, spread);
    for (WalkRow& row : walked) row.closeMinutes = minutes(random);
    std::vector<int> rows;
    for (int r = 1; r < 5000; r += 1 + r % 3) rows.push_back(r);
    std::vector<int> plain = rows;
    std::stable_sort(plain.begin(), plain.end(), [&](int a, int b) {
      return walked[static_cast<std::size_t>(a)].closeMinutes <
             walked[static_cast<std::size_t>(b)].closeMinutes;
    });
    StableSortByClose(rows, walked);
    EXPECT_EQ(rows, plain) << spread;
    StableSortByClose(rows, walked);
    EXPECT_EQ(rows, plain) << spread << ", sorted";
  }
}

}  // namespace
}  // namespace quillfen
