#include "risk/history_runs.h"

#include <algorithm>
#include <span>

#include "risk/draw_stream.h"

namespace quillfen {

namespace {

// The fan's values of a pass, as floats: a picture needs no more. Each place
// costs a search over every run, so very many runs keep fewer places.
constexpr std::int64_t kFanValues = 2500000;
constexpr std::int32_t kMostPlaces = 200;

// One run's balance, peak and largest fall, and where its fan places stand.
class RunTrack {
 public:
  RunTrack(double deposit, HistoryRecord& record, std::int32_t run)
      : balance(deposit), peak_(deposit), record_(record), run_(run) {}

  // Without branches: where new peaks come is as random as the trades.
  void Add(double change) {
    balance += change;
    peak_ = std::max(peak_, balance);
    maxDrawdown = std::max(maxDrawdown, (peak_ - balance) * 100 / peak_);
  }
  // After step `step` (counted from 1).
  void Stepped(std::int32_t step) {
    if (step == record_.placeSteps[place_]) Place();
  }
  // The run ended early: its later places keep the balance it ended with.
  void HoldToEnd() {
    while (place_ < record_.placeSteps.size()) Place();
  }

  double balance;
  double maxDrawdown = 0;

 private:
  void Place() {
    record_.fan[place_ * record_.finals.size() + static_cast<std::size_t>(run_)] =
        static_cast<float>(balance);
    ++place_;
  }

  double peak_;
  HistoryRecord& record_;
  std::int32_t run_;
  std::size_t place_ = 0;
};

// Resampled runs four at a time, side by side, so that their chains of
// dependent steps overlap; each run keeps its own stream and steps, so it
// ends as it would alone. A run whose balance falls to 0 or below keeps it.
constexpr int kSideBySide = 4;

struct DrawnRuns {
  double finals[kSideBySide];
  double drawdowns[kSideBySide];
};

DrawnRuns PlayDraws(const SourceTrades& source, const HistoryModel& model, std::uint64_t seed,
                    HistoryRecord& record, std::int32_t first) {
  const std::span<const double> values =
      model.percent ? std::span(source.shares) : std::span(source.results);
  const auto n = static_cast<std::uint32_t>(values.size());
  const bool percent = model.percent;
  DrawStream streams[kSideBySide] = {DrawStream(seed, first), DrawStream(seed, first + 1),
                                     DrawStream(seed, first + 2), DrawStream(seed, first + 3)};
  double balance[kSideBySide], peak[kSideBySide], drawdown[kSideBySide] = {};
  bool going[kSideBySide];
  for (int k = 0; k < kSideBySide; ++k) {
    balance[k] = peak[k] = model.deposit;
    going[k] = true;
  }
  const int kept = std::min(kSideBySide, record.Runs() - first);
  const std::size_t runs = record.finals.size();
  std::size_t place = 0;
  for (std::int32_t t = 1; t <= model.tradesPerRun; ++t) {
    for (int k = 0; k < kSideBySide; ++k) {
      const double value = values[streams[k].NextBelow(n)];
      if (!going[k]) [[unlikely]]
        continue;
      balance[k] += percent ? balance[k] * value : value;
      peak[k] = std::max(peak[k], balance[k]);
      drawdown[k] = std::max(drawdown[k], (peak[k] - balance[k]) * 100 / peak[k]);
      going[k] = balance[k] > 0;
    }
    if (t == record.placeSteps[place]) {
      for (int k = 0; k < kept; ++k)
        record.fan[place * runs + static_cast<std::size_t>(first + k)] =
            static_cast<float>(balance[k]);
      ++place;
    }
  }
  DrawnRuns drawn;
  for (int k = 0; k < kSideBySide; ++k) {
    drawn.finals[k] = balance[k];
    drawn.drawdowns[k] = drawdown[k];
  }
  return drawn;
}

// Fisher and Yates from the front: the trade put in place i is played at once.
void PlayShuffle(const HistoryModel& model, std::vector<double>& values, DrawStream& stream,
                 RunTrack& run) {
  const auto n = static_cast<std::uint32_t>(values.size());
  for (std::uint32_t i = 0; i < n; ++i) {
    std::swap(values[i], values[i + stream.NextBelow(n - i)]);
    run.Add(model.percent ? run.balance * values[i] : values[i]);
    if (run.balance <= 0) return;
    run.Stepped(static_cast<std::int32_t>(i + 1));
  }
}

struct ChallengeEnd {
  ChallengeOutcome outcome = ChallengeOutcome::timedOut;
  std::int32_t days = 0;
};

ChallengeEnd PlayChallenge(const SourceTrades& source, const HistoryModel& model,
                           DrawStream& stream, RunTrack& run) {
  const ChallengeRules& rules = model.rules;
  const double lossFloor = model.deposit * (1 - rules.maxLossPercent / 100);
  const double target = model.deposit * (1 + rules.targetPercent / 100);
  const auto dayCount = static_cast<std::uint32_t>(source.DayCount());
  for (std::int32_t day = 1; day <= rules.days; ++day) {
    const double dailyFloor = run.balance * (1 - rules.dailyLossPercent / 100);
    for (double result : source.Day(static_cast<std::int32_t>(stream.NextBelow(dayCount)))) {
      run.Add(result);
      if (run.balance <= lossFloor) return {ChallengeOutcome::failedMaxLoss, day};
      if (run.balance <= dailyFloor) return {ChallengeOutcome::failedDailyLoss, day};
      if (run.balance >= target) return {ChallengeOutcome::passed, day};
    }
    run.Stepped(day);
  }
  return {};
}

}  // namespace

std::int32_t HistoryModel::Steps(const SourceTrades& source) const {
  switch (draw) {
    case HistoryDraw::resample:
      return tradesPerRun;
    case HistoryDraw::shuffle:
      return static_cast<std::int32_t>(source.results.size());
    case HistoryDraw::challenge:
      return rules.days;
  }
  return 0;
}

std::int32_t FanPlaces(std::int32_t runs, std::int32_t steps) {
  const std::int64_t fits = kFanValues / std::max<std::int64_t>(runs, 1);
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::min<std::int64_t>({kMostPlaces, steps, fits}), 1, kMostPlaces));
}

HistoryRecord::HistoryRecord(std::int32_t runs, std::int32_t steps, std::int32_t places)
    : finals(static_cast<std::size_t>(runs)),
      drawdowns(static_cast<std::size_t>(runs)),
      outcomes(static_cast<std::size_t>(runs)),
      daysToPass(static_cast<std::size_t>(runs)) {
  places = std::clamp(places, 1, std::max(steps, 1));
  for (std::int32_t k = 1; k <= places; ++k) {
    // Evenly spaced whole steps, the last one the end of the run.
    placeSteps.push_back(
        static_cast<std::int32_t>((std::int64_t{k} * steps + places / 2) / places));
  }
  fan.resize(placeSteps.size() * static_cast<std::size_t>(runs));
}

std::int32_t PlayHistoryRuns(const SourceTrades& source, const HistoryModel& model,
                             std::uint64_t seed, HistoryRecord& record,
                             const std::function<bool(std::int32_t)>& afterRun) {
  const std::int32_t runs = record.Runs();
  if (model.draw == HistoryDraw::resample) {
    for (std::int32_t first = 0; first < runs; first += kSideBySide) {
      const DrawnRuns drawn = PlayDraws(source, model, seed, record, first);
      for (int k = 0; k < kSideBySide && first + k < runs; ++k) {
        const auto i = static_cast<std::size_t>(first + k);
        record.finals[i] = drawn.finals[k];
        record.drawdowns[i] = drawn.drawdowns[k];
        if (!afterRun(first + k + 1)) return first + k + 1;
      }
    }
    return runs;
  }
  std::vector<double> shuffled;
  for (std::int32_t r = 0; r < runs; ++r) {
    DrawStream stream(seed, r);
    RunTrack run(model.deposit, record, r);
    ChallengeEnd end;
    if (model.draw == HistoryDraw::challenge) {
      end = PlayChallenge(source, model, stream, run);
    } else {
      shuffled = model.percent ? source.shares : source.results;
      PlayShuffle(model, shuffled, stream, run);
    }
    run.HoldToEnd();
    const auto i = static_cast<std::size_t>(r);
    record.finals[i] = run.balance;
    record.drawdowns[i] = run.maxDrawdown;
    record.outcomes[i] = end.outcome;
    record.daysToPass[i] = end.outcome == ChallengeOutcome::passed ? end.days : 0;
    if (!afterRun(r + 1)) return r + 1;
  }
  return runs;
}

}  // namespace quillfen
