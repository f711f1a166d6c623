// What follows the reading of a generated 100,000-trade MetaTrader 5 tester
// report: the computed columns of its rows and the trade table's text, each
// beside its plain twin.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "actions/opening_actions.h"
#include "export/table_text.h"
#include "import/computed_columns.h"
#include "synthetic/mt5_tester_page.h"
#include "twins/after_reading.h"

namespace quillfen {
namespace {

// The report bench/mt5_tester_read.sh reads, as the command line opens it.
Report& BigReport() {
  static Report* report = [] {
    synthetic::Mt5Options o;
    o.closes = 100000;
    o.closeKeptAtEnd = true;
    o.canceledOrders = 500;
    o.commission = true;
    o.symbols = {"eurusd", "usdjpy", "xauusd"};
    o.seed = 11;
    const std::string path =
        (std::filesystem::temp_directory_path() / "quillfen-after-reading-bench.htm").string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    {
      synthetic::PageWriter out(file, false, 2);
      out.EncodeUtf16Le();
      synthetic::WriteMt5TesterPage(out, synthetic::MakeMt5History(o), false, o.seed);
      out.Finish();
    }
    std::fclose(file);
    auto* built = new Report();  // kept to the end, as the command line keeps it
    ProgramState state;
    NoProgress progress;
    MessageList messages;
    OpenStatement(
        StatementFile{path, path}, {}, [built]() -> Report& { return *built; }, state, progress,
        messages, {}, OpenViews::tableOnly);
    std::filesystem::remove(path);
    return built;
  }();
  return *report;
}

template <void (*Fill)(TradeTable&, int, bool)>
void ComputedColumns(benchmark::State& state) {
  TradeTable& table = BigReport().full;
  for (auto _ : state)
    for (int row = 0; row < table.TradeRows(); ++row) Fill(table, row, true);
  state.SetItemsProcessed(state.iterations() * table.TradeRows());
}
BENCHMARK_TEMPLATE(ComputedColumns, testing::FillComputedColumnsPlain)
    ->Name("BM_ComputedColumnsPlain")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(ComputedColumns, FillComputedColumns)
    ->Name("BM_ComputedColumns")
    ->Unit(benchmark::kMillisecond);

// Written to /dev/null, as the benchmark script drops the command line's output.
template <void (*Write)(const TradeTable&, std::ostream&)>
void TableText(benchmark::State& state) {
  const TradeTable& table = BigReport().full;
  std::ofstream out("/dev/null", std::ios::binary);
  for (auto _ : state) Write(table, out);
  state.SetItemsProcessed(state.iterations() * table.TradeRows());
}
BENCHMARK_TEMPLATE(TableText, testing::WriteTableTextPlain)
    ->Name("BM_TableTextPlain")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(TableText, WriteTableText)->Name("BM_TableText")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillfen

BENCHMARK_MAIN();
