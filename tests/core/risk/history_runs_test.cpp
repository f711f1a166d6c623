#include "risk/history_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "risk/draw_stream.h"
#include "risk/history_results.h"

namespace quillfen {
namespace {

constexpr std::uint64_t kSeed = 424242;

SourceTrades Source(const std::vector<double>& results, double deposit,
                    const std::vector<std::string_view>& dates) {
  std::vector<DrawnTrade> trades;
  double balance = deposit;
  for (std::size_t i = 0; i < results.size(); ++i) {
    trades.push_back({results[i], balance, dates[i % dates.size()]});
    balance += results[i];
  }
  return MakeSourceTrades(trades);
}

const std::vector<double> kResults = {120, -80, 45.5, -30, 200, -150, 10, -64.25, 0, 33};

struct Reference {
  double final = 0;
  double drawdown = 0;
};

// One run as a person would play it: draw, add, look at the fall from the peak.
struct Track {
  double balance, peak, drawdown = 0;
  explicit Track(double deposit) : balance(deposit), peak(deposit) {}
  void Add(double change) {
    balance += change;
    peak = std::max(peak, balance);
    drawdown = std::max(drawdown, (peak - balance) * 100 / peak);
  }
};

HistoryRecord Play(const SourceTrades& source, const HistoryModel& model, std::int32_t runs) {
  HistoryRecord record(runs, model.Steps(source), FanPlaces(runs, model.Steps(source)));
  PlayHistoryRuns(source, model, kSeed, record, [](std::int32_t) { return true; });
  return record;
}

TEST(HistoryRuns, ResampleDrawsWithReplacementAsALiteralLoopDoes) {
  const SourceTrades source = Source(kResults, 1000, {"2024/01/02"});
  for (bool percent : {false, true}) {
    HistoryModel model;
    model.draw = HistoryDraw::resample;
    model.percent = percent;
    model.deposit = 1000;
    model.tradesPerRun = 37;
    const HistoryRecord record = Play(source, model, 61);
    for (std::int32_t r = 0; r < 61; ++r) {
      DrawStream stream(kSeed, r);
      Track t(1000);
      for (int i = 0; i < 37 && t.balance > 0; ++i) {
        const std::uint32_t k = stream.NextBelow(static_cast<std::uint32_t>(kResults.size()));
        t.Add(percent ? t.balance * source.shares[k] : kResults[k]);
      }
      EXPECT_EQ(record.finals[static_cast<std::size_t>(r)], t.balance) << r;
      EXPECT_EQ(record.drawdowns[static_cast<std::size_t>(r)], t.drawdown) << r;
      // Runs are played four side by side: the last place of the last, lone one too.
      EXPECT_EQ(record.fan[record.fan.size() - 61 + static_cast<std::size_t>(r)],
                static_cast<float>(t.balance));
    }
  }
}

TEST(HistoryRuns, ShufflePlaysEveryTradeOnceAsALiteralLoopDoes) {
  const SourceTrades source = Source(kResults, 1000, {"2024/01/02"});
  HistoryModel model;
  model.draw = HistoryDraw::shuffle;
  model.deposit = 1000;
  model.ruinDrawdown = 20;
  const HistoryRecord record = Play(source, model, 200);
  const double sum = std::accumulate(kResults.begin(), kResults.end(), 0.0);
  for (std::int32_t r = 0; r < 200; ++r) {
    std::vector<double> order = kResults;
    DrawStream stream(kSeed, r);
    Track t(1000);
    for (std::uint32_t i = 0; i < order.size(); ++i) {
      std::swap(order[i],
                order[i + stream.NextBelow(static_cast<std::uint32_t>(order.size()) - i)]);
      t.Add(order[i]);
    }
    const auto at = static_cast<std::size_t>(r);
    EXPECT_EQ(record.finals[at], t.balance);
    EXPECT_EQ(record.drawdowns[at], t.drawdown);
    // Order changes the path, never where it ends.
    EXPECT_NEAR(record.finals[at], 1000 + sum, 0.005);
  }
  // Some orders fall further than others.
  EXPECT_NE(*std::min_element(record.drawdowns.begin(), record.drawdowns.end()),
            *std::max_element(record.drawdowns.begin(), record.drawdowns.end()));
}

TEST(HistoryRuns, PercentReplayOfAHistoryThatDoublesDoublesAgainInAnyOrder) {
  // 1000 → 1500 → 1200 → 2000: +50 %, −20 %, +66.7 %.
  const SourceTrades source = Source({500, -300, 800}, 1000, {"2024/01/02"});
  HistoryModel model;
  model.draw = HistoryDraw::shuffle;
  model.percent = true;
  model.deposit = 3000;
  const HistoryRecord record = Play(source, model, 50);
  for (double final : record.finals) EXPECT_NEAR(final, 6000, 1e-6);
}

TEST(HistoryRuns, ARunWhoseBalanceReachesZeroStopsThere) {
  const SourceTrades source = Source({-600, -600}, 1000, {"2024/01/02"});
  HistoryModel model;
  model.draw = HistoryDraw::resample;
  model.deposit = 1000;
  model.tradesPerRun = 50;
  const HistoryRecord record = Play(source, model, 5);
  for (std::size_t r = 0; r < 5; ++r) {
    EXPECT_EQ(record.finals[r], -200);  // 1000 − 600 − 600, then nothing more
    EXPECT_EQ(record.fan.back() * 1.0, -200.0);
  }
}

// Days as a person would play them: draw a day, play its trades, look after each.
ChallengeOutcome LiteralChallenge(const SourceTrades& source, const ChallengeRules& rules,
                                  double deposit, std::int32_t run, std::int32_t& days,
                                  double& final) {
  DrawStream stream(kSeed, run);
  double balance = deposit;
  for (days = 1; days <= rules.days; ++days) {
    const double start = balance;
    const std::int32_t day =
        static_cast<std::int32_t>(stream.NextBelow(static_cast<std::uint32_t>(source.DayCount())));
    for (double result : source.Day(day)) {
      balance += result;
      final = balance;
      if (balance <= deposit * (1 - rules.maxLossPercent / 100))
        return ChallengeOutcome::failedMaxLoss;
      if (balance <= start * (1 - rules.dailyLossPercent / 100))
        return ChallengeOutcome::failedDailyLoss;
      if (balance >= deposit * (1 + rules.targetPercent / 100)) return ChallengeOutcome::passed;
    }
  }
  final = balance;
  return ChallengeOutcome::timedOut;
}

TEST(HistoryRuns, ChallengeDrawsDaysAndJudgesAfterEveryTradeAsALiteralLoopDoes) {
  // Days: +150 −50; −120 −100; +80 −30 +20; −350 −200 (a daily loss on its second trade).
  const SourceTrades source =
      Source({150, -120, 80, -50, -100, -30, 20, -350, -200}, 10000,
             {"2024/03/01", "2024/03/04", "2024/03/05", "2024/03/01", "2024/03/04", "2024/03/05",
              "2024/03/05", "2024/03/06", "2024/03/06"});
  ASSERT_EQ(source.DayCount(), 4);
  HistoryModel model;
  model.draw = HistoryDraw::challenge;
  model.deposit = 10000;
  model.rules = {3, 8, 4, 12};
  const HistoryRecord record = Play(source, model, 1000);
  int seen[4] = {};
  for (std::int32_t r = 0; r < 1000; ++r) {
    std::int32_t days = 0;
    double final = 0;
    const ChallengeOutcome outcome = LiteralChallenge(source, model.rules, 10000, r, days, final);
    const auto at = static_cast<std::size_t>(r);
    EXPECT_EQ(record.outcomes[at], outcome) << r;
    EXPECT_EQ(record.finals[at], final) << r;
    EXPECT_EQ(record.daysToPass[at], outcome == ChallengeOutcome::passed ? days : 0) << r;
    ++seen[static_cast<int>(outcome)];
  }
  for (int count : seen) EXPECT_GT(count, 0);  // every outcome happens in this case

  const HistoryResults results = SummariseHistoryRuns(source, model, record, 1000);
  const ChallengeShares& c = results.challenge.value();
  EXPECT_DOUBLE_EQ(c.passPercent + c.failMaxLossPercent + c.failDailyLossPercent + c.timeoutPercent,
                   100);
  EXPECT_DOUBLE_EQ(c.passPercent, seen[static_cast<int>(ChallengeOutcome::passed)] / 10.0);
}

TEST(HistoryRuns, AChallengeWithoutTargetPassesOnTheFirstDayWhenItsFirstTradeWins) {
  const SourceTrades source =
      Source({-40, 25, 0, -10, 60}, 5000, {"2024/05/01", "2024/05/02", "2024/05/03"});
  HistoryModel model;
  model.draw = HistoryDraw::challenge;
  model.deposit = 5000;
  model.rules = {0, 10, 5, 30};
  const HistoryRecord record = Play(source, model, 300);
  int passedAtOnce = 0;
  for (std::int32_t r = 0; r < 300; ++r) {
    DrawStream stream(kSeed, r);
    const std::int32_t day = static_cast<std::int32_t>(stream.NextBelow(3));
    if (source.Day(day).front() < 0) continue;
    const auto at = static_cast<std::size_t>(r);
    EXPECT_EQ(record.outcomes[at], ChallengeOutcome::passed) << r;
    EXPECT_EQ(record.daysToPass[at], 1) << r;
    ++passedAtOnce;
  }
  EXPECT_GT(passedAtOnce, 0);
}

TEST(HistoryRuns, TradingDaysGroupClosedTradesByCloseDateInWalkOrder) {
  const std::vector<DrawnTrade> trades = {{10, 100, "2024/02/03"},
                                          {20, 110, "2024/02/01"},
                                          {30, 130, ""},  // no close: no day
                                          {40, 160, "2024/02/03"},
                                          {50, 200, "2024/02/01"}};
  const SourceTrades source = MakeSourceTrades(trades);
  EXPECT_EQ(source.results, (std::vector<double>{10, 20, 30, 40, 50}));
  EXPECT_EQ(source.shares, (std::vector<double>{0.1, 20.0 / 110, 30.0 / 130, 0.25, 0.25}));
  ASSERT_EQ(source.DayCount(), 2);
  EXPECT_EQ(std::vector<double>(source.Day(0).begin(), source.Day(0).end()),
            (std::vector<double>{20, 50}));
  EXPECT_EQ(std::vector<double>(source.Day(1).begin(), source.Day(1).end()),
            (std::vector<double>{10, 40}));
  EXPECT_EQ(source.LongestDay(), 2);

  // A balance that is gone before a trade leaves no shares to replay.
  EXPECT_TRUE(MakeSourceTrades(std::vector<DrawnTrade>{{5, 10, "a"}, {5, 0, "a"}}).shares.empty());
}

TEST(HistoryResultsTest, PercentilesTakeThePlaceRoundedFromQTimesNMinusOne) {
  std::vector<double> values(21);
  std::iota(values.rbegin(), values.rend(), 1.0);  // 21 … 1
  // Places 1, 5, 10, 15, 19 of 0 … 20.
  EXPECT_EQ(PercentilesOf(values), (PercentileValues{2, 6, 11, 16, 20}));
  const std::vector<double> ten = {9, 1, 8, 2, 7, 3, 6, 4, 5, 10};
  // Places round(0.45) = 0, round(2.25) = 2, round(4.5) = 5, round(6.75) = 7, round(8.55) = 9.
  EXPECT_EQ(PercentilesOf(ten), (PercentileValues{1, 3, 6, 8, 10}));
  EXPECT_EQ(PercentilesOf(std::vector<double>{7}), (PercentileValues{7, 7, 7, 7, 7}));
}

TEST(HistoryResultsTest, TheFanStartsAtTheDepositAndEndsAtTheFinalBalances) {
  const SourceTrades source = Source(kResults, 1000, {"2024/01/02"});
  HistoryModel model;
  model.draw = HistoryDraw::resample;
  model.deposit = 1000;
  model.tradesPerRun = 450;
  model.ruinDrawdown = 15;
  const HistoryRecord record = Play(source, model, 101);
  const HistoryResults r = SummariseHistoryRuns(source, model, record, 101);
  ASSERT_EQ(r.fan.balances.size(), 200u);  // at most 200 places
  EXPECT_EQ(r.fan.at.front(), 2);          // 450 / 200, rounded
  EXPECT_EQ(r.fan.at.back(), 450);
  for (std::size_t q = 0; q < kPercentiles.size(); ++q)
    EXPECT_NEAR(r.fan.balances.back()[q], r.finalBalance[q], 0.01);
  const auto ruined = std::count_if(record.drawdowns.begin(), record.drawdowns.end(),
                                    [](double d) { return d >= 15; });
  EXPECT_DOUBLE_EQ(r.ruinPercent, ruined * 100.0 / 101);
  EXPECT_GT(ruined, 0);
  EXPECT_FALSE(r.challenge.has_value());

  // A Stop keeps the runs played, and says how many.
  const HistoryResults stopped = SummariseHistoryRuns(source, model, record, 40);
  EXPECT_EQ(stopped.runs, 40);
  EXPECT_EQ(stopped.finalBalance, PercentilesOf(std::span(record.finals).first(40)));
}

TEST(HistoryRuns, VeryManyRunsKeepFewerFanPlaces) {
  EXPECT_EQ(FanPlaces(12500, 1000), 200);
  EXPECT_EQ(FanPlaces(100000, 1000), 25);
  EXPECT_EQ(FanPlaces(1000000, 1000), 2);
  EXPECT_EQ(FanPlaces(1000, 30), 30);
  EXPECT_EQ(FanPlaces(1, 1), 1);
}

}  // namespace
}  // namespace quillfen
