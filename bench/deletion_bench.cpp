// Delete and Undo on large reports: one trade out of a million as the window
// does it, with its full refresh (and that refresh alone beside it), and a
// thousand in a row out of a hundred thousand as repeated --delete options do. The counters give
// the memory the work took at its peak beyond what the report held before.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "actions/view_actions.h"
#include "analysis/trade_selection.h"
#include "gui/process_memory.h"
#include "report.h"
#include "text/number_format.h"

namespace quillfen {
namespace {

// Closed trades over about a year on two symbols and seven magic numbers.
Report MakeReport(int trades) {
  std::mt19937 random(4520);
  std::uniform_int_distribution<int> day(0, 300), pips(-400, 600), lots(1, 300);
  Report report;
  WriteGridHeaders(report);
  report.options.deposit = DepositChoice::custom;
  TradeTable& table = report.full;
  table.SetRowCount(trades + 1);
  for (int r = 0; r < trades; ++r) {
    const int open = day(random);
    char date[16];
    std::snprintf(date, sizeof date, "2011/%02d/%02d", 1 + open / 28 % 12, 1 + open % 28);
    table.SetCell(col::ticket, r, std::to_string(100000 + r));
    table.SetCell(col::type, r, r % 2 ? "buy" : "sell");
    table.SetCell(col::lots, r, FormatFixed(lots(random) / 100.0, 0, 2));
    table.SetCell(col::symbol, r, r % 3 ? "EURUSD" : "GBPJPY");
    table.SetCell(col::openDate, r, date);
    table.SetCell(col::openTime, r, "08:30");
    table.SetCell(col::closeDate, r, date);
    table.SetCell(col::closeTime, r, "16:00");
    table.SetCell(col::pips, r, FormatGeneral(pips(random) / 10.0));
    table.SetCell(col::pipValuePerLot, r, r % 3 ? "10" : "9.12");
    table.SetCell(col::magic, r, std::to_string(r % 7));
  }
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  FillMagicList(report.full, report.magicListBox);
  FullRefresh(report);
  return report;
}

// Starts a new peak of this process's resident size at its present size.
void ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_DeleteOneOfAMillion(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  const ReportOptions options = report.options;
  double added = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const double before = ProcessMegabytes("VmRSS");
    benchmark::DoNotOptimize(DeleteGridRows(report, options, {report.grid1.RowCount() / 2}));
    state.PauseTiming();
    added = std::max(added, ProcessMegabytes("VmHWM") - before);
    UndoGridDeletion(report, options);
    state.ResumeTiming();
  }
  state.counters["peak MB added"] = added;
}
BENCHMARK(BM_DeleteOneOfAMillion)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The refresh that every Delete ends with, alone: what a Delete costs beyond it
// is its own.
void BM_FullRefreshOfAMillion(benchmark::State& state) {
  Report report = MakeReport(static_cast<int>(state.range(0)));
  for (auto _ : state) FullRefresh(report);
}
BENCHMARK(BM_FullRefreshOfAMillion)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A thousand --delete options in a row, on the command line's road.
void BM_ThousandDeletes(benchmark::State& state) {
  const Report original = MakeReport(static_cast<int>(state.range(0)));
  double added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Report report = original;
    ResetPeakMemory();
    const double before = ProcessMegabytes("VmRSS");
    state.ResumeTiming();
    std::vector<std::string> tickets;
    for (int k = 0; k < 1000; ++k) tickets.push_back(std::to_string(100000 + 97 * k));
    benchmark::DoNotOptimize(DeleteTicketRows(report, report.options, tickets));
    state.PauseTiming();
    added = std::max(added, ProcessMegabytes("VmHWM") - before);
    state.ResumeTiming();
  }
  state.counters["peak MB added"] = added;
}
BENCHMARK(BM_ThousandDeletes)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quillfen

BENCHMARK_MAIN();
