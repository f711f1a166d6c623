// Passes of the modes that draw from a report's trades, beside the Monte Carlo
// pass of monte_carlo_bench.cpp (same size, same machine): a resample pass of
// 100,000 runs × 1,000 trades, money and percent, and a challenge pass of
// 100,000 runs × 30 days. Each times the whole pass, percentiles and fan included.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "program_state.h"
#include "progress.h"
#include "risk/history_pass.h"
#include "risk/monte_carlo_results.h"

namespace {

using namespace quillfen;

constexpr int kRuns = 100000;
constexpr double kDeposit = 10000;

// An ordinary statement's year: 600 trades over 240 trading days, wins of
// 20 to 80 and losses of 15 to 60, dates one to five trades apart.
SourceTrades OrdinaryYear() {
  std::vector<std::string> dates;
  std::vector<DrawnTrade> trades;
  std::uint32_t x = 12345;
  auto next = [&x] {
    x = x * 1664525u + 1013904223u;
    return x >> 8;
  };
  double balance = kDeposit;
  int day = 0;
  for (int i = 0; i < 600; ++i) {
    if (next() % 5 < 2) ++day;
    dates.push_back("2024/" + std::to_string(100 + day / 28) + "/" +
                    std::to_string(100 + day % 28));
  }
  for (int i = 0; i < 600; ++i) {
    const double result = next() % 100 < 55 ? 20.0 + next() % 61 : -(15.0 + next() % 46);
    trades.push_back({result, balance, dates[static_cast<std::size_t>(i)]});
    balance += result;
  }
  return MakeSourceTrades(trades);
}

void Pass(benchmark::State& state, SimulationMode mode, bool percent) {
  const SourceTrades source = OrdinaryYear();
  SimulationOptions panel;
  panel.mode = mode;
  panel.replayPercent = percent;
  panel.resampleTradesText = "1000";
  const HistoryModel model = ReadHistoryModel(panel, source, kDeposit);
  ProgramState program;
  program.simulationSeed = 1;
  NoProgress progress;
  MonteCarloResults results;
  for (auto _ : state) {
    RunHistoryPass(source, model, kRuns, program, progress, results);
    benchmark::DoNotOptimize(results.history->finalBalance);
  }
  if (mode == SimulationMode::resampleTrades)
    state.counters["trades/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kRuns * 1000, benchmark::Counter::kIsRate);
}

void ResamplePass(benchmark::State& state) {
  Pass(state, SimulationMode::resampleTrades, false);
}
void ResamplePercentPass(benchmark::State& state) {
  Pass(state, SimulationMode::resampleTrades, true);
}
void ChallengePass(benchmark::State& state) {
  Pass(state, SimulationMode::tradingChallenge, false);
}

BENCHMARK(ResamplePass)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ResamplePercentPass)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ChallengePass)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
