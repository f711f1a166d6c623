#include "risk/run_lanes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "risk/draw_stream.h"

namespace quillfen {
namespace {

// One run trade by trade as the steps of the pass are written, on the run's
// own stream: what the side-by-side player must reproduce bit for bit.
RunOutcome LiteralRun(const MonteCarloSettings& s, double deposit, std::int32_t trades,
                      bool statementMini, std::uint64_t seed, std::int32_t run) {
  DrawStream draws(seed, run);
  const double d = std::trunc(deposit);
  double balance = deposit, peak = deposit, maxDrawdown = 0;
  bool perfect = true, ruined = false, mini = statementMini;
  std::int32_t played = 0;
  for (std::int32_t t = 0; t < trades; ++t) {
    double lots = 1;
    switch (s.sizingMode) {
      case SizingMode::StatementSizing:
        break;
      case SizingMode::FixedMiniLots:
        lots = s.miniLots, mini = true;
        break;
      case SizingMode::FixedStandardLots:
        lots = s.standardLots, mini = false;
        break;
      case SizingMode::FixedAmountMini:
        lots = std::trunc(balance / s.miniAmount), mini = true;
        break;
      case SizingMode::FixedAmountStandard:
        lots = std::trunc(balance / s.standardAmount), mini = false;
        break;
    }
    const double maxLots = mini ? s.maxMiniLots : s.maxStandardLots;
    const double minLots = mini ? s.minMiniLots : s.minStandardLots;
    if (maxLots < lots) lots = maxLots;
    if (!(lots > 0)) lots = minLots;
    const int x = draws.NextDraw();
    const double amount = x < s.winPercent ? s.avgProfit : -s.avgLoss;
    const double change = s.dollars ? amount : mini ? lots * amount : lots * amount * 10;
    balance += change;
    if (balance == 0) balance = 1;
    peak = std::max(peak, balance);
    const double drawdown = (peak - balance) * 100 / peak;
    maxDrawdown = std::max(maxDrawdown, drawdown);
    ++played;
    if (balance < d) perfect = false;
    if (peak - balance > s.maxDrawdownLimit * peak * 0.01) {
      ruined = true;
      break;
    }
  }
  return {balance, maxDrawdown, ruined, perfect, static_cast<double>(played)};
}

class Collect final : public RunSink {
 public:
  explicit Collect(std::int32_t runs) : outcomes(runs), seen(runs) {}
  bool RunPlayed(std::int32_t run, const RunOutcome& o) override {
    outcomes[run] = o;
    ++seen[run];
    return true;
  }
  bool KeepGoing() override { return true; }
  std::vector<RunOutcome> outcomes;
  std::vector<int> seen;
};

bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

// A small deterministic generator of test settings.
struct Picker {
  std::uint64_t state;
  template <class T, std::size_t N>
  T From(const T (&values)[N]) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return values[(state >> 33) % N];
  }
};

TEST(PlayRuns, SideBySideRunsMatchTheLiteralStepsBitForBit) {
  const SizingMode modes[] = {SizingMode::StatementSizing, SizingMode::FixedMiniLots,
                              SizingMode::FixedStandardLots, SizingMode::FixedAmountMini,
                              SizingMode::FixedAmountStandard};
  const double wins[] = {0, 45, 45.5, 62, 100};
  const double profits[] = {30, 0.1, 7.3, 1e6, 0};
  const double losses[] = {20, 0.07, 11.1, 1e6, 30};
  const std::int32_t limits[] = {30, 0, 100, 5, -5};
  const double deposits[] = {10000, 1.5, 1e6, 123.456, 500};
  const double lotCounts[] = {1, 0.5, 0, -2, 7, 0.004};
  const double amounts[] = {1000, 333, 0, -50, 10000, 0.01};
  const double maxima[] = {50, 0, 3, 1e12, 100};
  const double minima[] = {0.01, 0, -1, 0.1};
  const std::int32_t tradeCounts[] = {1, 2, 57, 300};
  const std::int32_t runCounts[] = {1, 7, 8, 37};
  Picker pick{12345};
  for (int i = 0; i < 400; ++i) {
    MonteCarloSettings s;
    s.sizingMode = pick.From(modes);
    s.dollars = pick.From(wins) == 0;  // about one case in five
    s.winPercent = pick.From(wins);
    s.avgProfit = pick.From(profits);
    s.avgLoss = pick.From(losses);
    s.maxDrawdownLimit = pick.From(limits);
    s.miniLots = pick.From(lotCounts);
    s.standardLots = pick.From(lotCounts);
    s.miniAmount = pick.From(amounts);
    s.standardAmount = pick.From(amounts);
    s.maxMiniLots = pick.From(maxima);
    s.maxStandardLots = pick.From(maxima);
    s.minMiniLots = pick.From(minima);
    s.minStandardLots = pick.From(minima);
    const double deposit = pick.From(deposits);
    const std::int32_t trades = pick.From(tradeCounts);
    const std::int32_t runs = pick.From(runCounts);
    const bool statementMini = i % 2 == 0;
    const std::uint64_t seed = 1000 + i;

    const TradeModel model = MakeTradeModel(s, deposit, trades, statementMini);
    Collect got(runs);
    PlayRuns(model, seed, runs, got);
    for (std::int32_t r = 0; r < runs; ++r) {
      SCOPED_TRACE(testing::Message() << "case " << i << " run " << r);
      ASSERT_EQ(got.seen[r], 1);
      const RunOutcome want = LiteralRun(s, deposit, trades, statementMini, seed, r);
      const RunOutcome& o = got.outcomes[r];
      EXPECT_TRUE(Same(o.finalBalance, want.finalBalance))
          << o.finalBalance << " " << want.finalBalance;
      EXPECT_TRUE(Same(o.maxDrawdown, want.maxDrawdown))
          << o.maxDrawdown << " " << want.maxDrawdown;
      EXPECT_EQ(o.ruined, want.ruined);
      EXPECT_EQ(o.perfect, want.perfect);
      EXPECT_EQ(o.trades, want.trades);
    }
  }
}

TEST(PlayRuns, StopsWhenTheSinkSaysSo) {
  MonteCarloSettings s;
  s.dollars = true;
  s.winPercent = 50;
  s.avgProfit = s.avgLoss = 1;
  s.maxDrawdownLimit = 100;
  const TradeModel model = MakeTradeModel(s, 1000, 10, true);
  struct StopAtFive final : RunSink {
    int played = 0;
    bool RunPlayed(std::int32_t, const RunOutcome&) override { return ++played < 5; }
    bool KeepGoing() override { return true; }
  } sink;
  PlayRuns(model, 1, 1000, sink);
  EXPECT_EQ(sink.played, 5);
}

}  // namespace
}  // namespace quillfen
