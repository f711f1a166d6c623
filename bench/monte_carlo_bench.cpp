// A Monte Carlo pass of 100,000 runs × 1,000 trades (fixed amount mini 1000,
// deposit 10000, win 45 %, profit 30 and loss 20 pips, maximum drawdown 30 %)
// against the same pass played literally: one trade after another with
// rand() % 100. Both count the trades they simulate (runs end early at ruin).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "program_state.h"
#include "progress.h"
#include "report.h"
#include "report_parts.h"
#include "risk/monte_carlo.h"
#include "risk/monte_carlo_settings.h"
#include "risk/run_lanes.h"
#include "risk/trade_model.h"

namespace {

using namespace quillfen;

constexpr int kRuns = 100000;
constexpr int kTrades = 1000;
constexpr double kDeposit = 10000, kAmount = 1000, kMinLots = 0.01, kMaxLots = 50;
constexpr double kWin = 45, kProfit = 30, kLoss = 20;
constexpr int kLimit = 30;

void LiteralPass(benchmark::State& state) {
  long long trades = 0;
  std::vector<double> returns, drawdowns, ruins;
  for (auto _ : state) {
    std::srand(1);
    returns.assign(kRuns, 0);
    drawdowns.assign(kRuns, 0);
    ruins.assign(kRuns, 0);
    const double d = std::trunc(kDeposit);
    int perfectRuns = 0, ruinedRuns = 0;
    double sumFinalBalance = 0, sumMaxDrawdown = 0;
    for (int r = 0; r < kRuns; ++r) {
      double balance = kDeposit, peak = kDeposit, maxDrawdown = 0;
      bool perfect = true;
      for (int t = 0; t < kTrades; ++t) {
        double lots = std::trunc(balance / kAmount);
        if (kMaxLots < lots) lots = kMaxLots;
        if (!(lots > 0)) lots = kMinLots;
        const int x = std::rand() % 100;
        const double amount = x < kWin ? kProfit : -kLoss;
        balance += lots * amount;
        if (balance == 0) balance = 1;
        peak = std::max(peak, balance);
        const double drawdown = (peak - balance) * 100 / peak;
        maxDrawdown = std::max(maxDrawdown, drawdown);
        ++trades;
        if (balance < d) perfect = false;
        if (peak - balance > kLimit * peak * 0.01) {
          ++ruinedRuns;
          break;
        }
      }
      if (perfect) ++perfectRuns;
      sumFinalBalance += balance;
      sumMaxDrawdown += maxDrawdown;
      returns[r] = (sumFinalBalance / (r + 1) - d) / d;
      drawdowns[r] = sumMaxDrawdown / (r + 1);
      ruins[r] = ruinedRuns;
    }
    benchmark::DoNotOptimize(perfectRuns);
    benchmark::DoNotOptimize(returns.data());
  }
  state.counters["trades/s"] =
      benchmark::Counter(static_cast<double>(trades), benchmark::Counter::kIsRate);
}

Report BenchmarkReport() {
  Report report;
  ReportOptions& o = report.options;
  o.deposit = DepositChoice::custom;
  o.depositText = "10000";
  o.sizing = SizingChoice::miniAmount;
  o.miniAmountText = "1000";
  SimulationOptions& p = o.simulation;
  p.percWinsText = "45";
  p.avgProfitText = "30";
  p.avgLossText = "20";
  p.maxDrawdownText = "30";
  p.numTradesText = "1000";
  p.numRunsText = "100000";
  return report;
}

// The trades a pass with this seed plays: every run is played the same way
// whatever the order, so counting them once counts every timed pass.
double TradesOfPass(const Report& report, std::uint64_t seed) {
  struct Count final : RunSink {
    double trades = 0;
    bool RunPlayed(std::int32_t, const RunOutcome& o) override {
      trades += o.trades;
      return true;
    }
    bool KeepGoing() override { return true; }
  } count;
  const MonteCarloSettings s = ReadMonteCarloSettings(report.options);
  PlayRuns(MakeTradeModel(s, s.customDeposit, s.tradesPerRun, true), seed, s.runs, count);
  return count.trades;
}

void MonteCarloPass(benchmark::State& state) {
  Report report = BenchmarkReport();
  ProgramState program;
  program.simulationSeed = 1;
  NoProgress progress;
  const double tradesPerPass = TradesOfPass(report, 1);
  double trades = 0;
  for (auto _ : state) {
    RunMonteCarloPass(TargetOf(report), program, progress);
    trades += tradesPerPass;
  }
  state.counters["trades/s"] = benchmark::Counter(trades, benchmark::Counter::kIsRate);
}

BENCHMARK(LiteralPass)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MonteCarloPass)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
