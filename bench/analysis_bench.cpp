#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "actions/export_actions.h"
#include "actions/refresh.h"
#include "actions/view_actions.h"
#include "analysis/column_sort.h"
#include "analysis/statistics.h"
#include "analysis/summary_text.h"
#include "analysis/terminal_view.h"
#include "analysis/trade_selection.h"
#include "report.h"
#include "report_parts.h"
#include "text/number_format.h"
#include "twins/exchange_sort.h"

namespace quillfen {
namespace {

std::string Date(int day) {
  char text[16];
  std::snprintf(text, sizeof text, "2011/%02d/%02d", 1 + day / 28 % 12, 1 + day % 28);
  return text;
}

// Trades over about a year; close times come from a few values so that many
// trades close at the same moment. One in ten is still open.
Report MakeReport(int trades) {
  std::mt19937 random(4520);
  std::uniform_int_distribution<int> day(0, 300), minute(0, 5), pips(-400, 600), lots(1, 300);
  Report report;
  WriteGridHeaders(report);
  report.options.deposit = DepositChoice::custom;
  TradeTable& table = report.full;
  table.SetRowCount(trades + 1);
  for (int r = 0; r < trades; ++r) {
    int open = day(random);
    table.SetCell(col::ticket, r, std::to_string(100000 + r));
    table.SetCell(col::type, r, r % 2 ? "buy" : "sell");
    table.SetCell(col::lots, r, FormatFixed(lots(random) / 100.0, 0, 2));
    table.SetCell(col::symbol, r, r % 3 ? "EURUSD" : "GBPJPY");
    table.SetCell(col::openDate, r, Date(open));
    table.SetCell(col::openTime, r, "0" + std::to_string(minute(random)) + ":30");
    if (r % 10 != 0) {
      table.SetCell(col::closeDate, r, Date(open + minute(random)));
      table.SetCell(col::closeTime, r, "1" + std::to_string(minute(random)) + ":00");
    }
    table.SetCell(col::pips, r, FormatGeneral(pips(random) / 10.0));
    table.SetCell(col::pipValuePerLot, r, r % 3 ? "10" : "9.12");
    table.SetCell(col::commissionPerLot, r, "-7");
    table.SetCell(col::swapPerLot, r, "-0.35");
    table.SetCell(col::magic, r, std::to_string(r % 7));
  }
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  FillMagicList(report.full, report.magicListBox);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  return report;
}

void BM_RecomputeStatistics(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RecomputeStatistics(report, report.stats, report.options);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecomputeStatistics)->Arg(100000)->Unit(benchmark::kMillisecond);

// Each recompute under another lot count, so that every Lots, Profit, Comm,
// Swap and Balance cell is written anew.
void BM_RecomputeStatisticsNewSizing(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  report.options.sizing = SizingChoice::standardLots;
  bool two = false;
  for (auto _ : state) {
    report.options.standardContractsText = (two = !two) ? "2" : "1";
    RecomputeStatistics(report, report.stats, report.options);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecomputeStatisticsNewSizing)->Arg(100000)->Unit(benchmark::kMillisecond);

// The terminal's figures and the breakdown, after the recompute they follow,
// as after a sort, a selection or an option that changed a cell: the walk
// reads the grids' trades afresh.
void BM_BuildTerminalFigures(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  RecomputeStatistics(report, report.stats, report.options);
  const TerminalSource source = TerminalSourceOf(report);
  for (auto _ : state) {
    const TerminalView view = BuildTerminalFigures(source);
    benchmark::DoNotOptimize(view.figures.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildTerminalFigures)->Arg(100000)->Unit(benchmark::kMillisecond);

// A refresh that changes nothing, as a change of tab: the recompute and the
// figures after it.
void BM_RecomputeWithTerminalFigures(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RecomputeFigures(report);
    benchmark::DoNotOptimize(report.terminalFigures.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecomputeWithTerminalFigures)->Arg(100000)->Unit(benchmark::kMillisecond);

// A refresh after a change of selection (the grids rebuilt, every row read
// afresh), with the months and drawdown episodes and, as before them, without.
void BM_FullRefresh(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  report.options.timeShiftMinutes = 120;
  for (auto _ : state) {
    FullRefresh(report);
    benchmark::DoNotOptimize(report.timeFigures.returns.months.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FullRefresh)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FullRefreshWithoutTimeFigures(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
    RecomputeStatistics(report, report.stats, report.options);
    const TerminalView view = BuildTerminalFigures(TerminalSourceOf(report));
    BuildSummaryText(report);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FullRefreshWithoutTimeFigures)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// A refresh after a change of the time shift alone: the statistics walk
// changes no cell, the months and episodes are taken afresh; and, as before
// them, without.
void BM_RecomputeFiguresNewShift(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  bool shifted = false;
  for (auto _ : state) {
    report.options.timeShiftMinutes = (shifted = !shifted) ? 120 : 0;
    RecomputeFigures(report);
    benchmark::DoNotOptimize(report.timeFigures.returns.months.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecomputeFiguresNewShift)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_RecomputeFiguresWithoutTimeFigures(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RecomputeStatistics(report, report.stats, report.options);
    const TerminalView view = BuildTerminalFigures(TerminalSourceOf(report));
    benchmark::DoNotOptimize(view.figures.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecomputeFiguresWithoutTimeFigures)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The order alone, on a fresh copy of the table each time.
void BM_OrderByCloseDate(benchmark::State& state) {
  const Report report = MakeReport(static_cast<int>(state.range(0)));
  TradeTable table;
  for (auto _ : state) {
    state.PauseTiming();
    table = report.full;  // assigned outside the timing, and destroyed outside it too
    state.ResumeTiming();
    OrderTradeRows(table, col::closeDate, -1);
    benchmark::DoNotOptimize(table.Cell(0, 0).data());
  }
}
BENCHMARK(BM_OrderByCloseDate)->Arg(100000)->Unit(benchmark::kMillisecond);

// A double click on the close-date header: the order and the full refresh after it.
void BM_SortTradeTableByCloseDate(benchmark::State& state) {
  const Report original = MakeReport(static_cast<int>(state.range(0)));
  ProgramState program;
  NoProgress progress;
  Report report;
  for (auto _ : state) {
    state.PauseTiming();
    report = original;
    program.lastSortColumn = -1;
    state.ResumeTiming();
    SortAndRefresh(report, program, col::closeDate, progress);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
}
BENCHMARK(BM_SortTradeTableByCloseDate)->Arg(100000)->Unit(benchmark::kMillisecond);

// The refresh after each user action, taken through the action as the window
// takes it, on a report whose figures are current.

// The Delete key on one trade, then Undo: two full refreshes.
void BM_DeleteAndUndoRefresh(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  FullRefresh(report);
  const ReportOptions options = report.options;
  for (auto _ : state) {
    DeleteGridRows(report, options, {report.grid1.RowCount() / 2});
    UndoGridDeletion(report, options);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
}
BENCHMARK(BM_DeleteAndUndoRefresh)->Arg(100000)->Unit(benchmark::kMillisecond);

// A new deposit typed on the Options tab, then the old one again.
void BM_OptionChangeRefresh(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  FullRefresh(report);
  ReportOptions one = report.options;
  ReportOptions other = report.options;
  one.depositText = "10000";
  other.depositText = "20000";
  for (auto _ : state) {
    ApplyOptions(report, other);
    ApplyOptions(report, one);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
}
BENCHMARK(BM_OptionChangeRefresh)->Arg(100000)->Unit(benchmark::kMillisecond);

// One symbol chosen in the list, then both again.
void BM_SelectionRefresh(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  FullRefresh(report);
  const ReportOptions options = report.options;
  const ListSelections both = CurrentSelections(report);
  ListSelections first = both;
  first.pairs.assign(first.pairs.size(), false);
  first.pairs[0] = true;
  for (auto _ : state) {
    SelectTrades(report, options, first);
    SelectTrades(report, options, both);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
}
BENCHMARK(BM_SelectionRefresh)->Arg(100000)->Unit(benchmark::kMillisecond);

// The CSV export: its refresh and the file.
void BM_CsvExportRefresh(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  FullRefresh(report);
  const ReportOptions options = report.options;
  const std::string path = std::filesystem::temp_directory_path() / "quillfen_bench.csv";
  for (auto _ : state) {
    ExportCsvReport(report, ProgramState{}, options, path);
    benchmark::DoNotOptimize(report.stats.netProfit);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_CsvExportRefresh)->Arg(100000)->Unit(benchmark::kMillisecond);

// The quadratic exchange procedure that the order replaces.
void BM_ExchangeSortByCloseDate(benchmark::State& state) {
  const Report report = MakeReport(static_cast<int>(state.range(0)));
  TradeTable table;
  for (auto _ : state) {
    state.PauseTiming();
    table = report.full;
    state.ResumeTiming();
    testing::ExchangeSortTradeRows(table, col::closeDate, -1);
    benchmark::DoNotOptimize(table.Cell(0, 0).data());
  }
}
BENCHMARK(BM_ExchangeSortByCloseDate)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillfen

BENCHMARK_MAIN();
