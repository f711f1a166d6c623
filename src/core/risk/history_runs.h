#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "risk/source_trades.h"

namespace quillfen {

enum class HistoryDraw { resample, shuffle, challenge };

// A funded-account challenge, in percent of the deposit (the daily loss of
// the day's starting balance), over at most `days` trading days.
struct ChallengeRules {
  double targetPercent = 10;
  double maxLossPercent = 10;
  double dailyLossPercent = 5;
  std::int32_t days = 30;
};

// What every run of a history pass needs.
struct HistoryModel {
  HistoryDraw draw = HistoryDraw::resample;
  bool percent = false;           // replay each trade's share of the balance, not its money
  double deposit = 0;             // every run's first balance and peak
  double ruinDrawdown = 0;        // percent of the running peak
  std::int32_t tradesPerRun = 0;  // resample
  ChallengeRules rules;

  // Trades of a resample or shuffle run, days of a challenge.
  std::int32_t Steps(const SourceTrades& source) const;
};

enum class ChallengeOutcome : std::int8_t { timedOut, passed, failedMaxLoss, failedDailyLoss };

// The runs of a pass by run number, and the balance of every run at a few
// evenly spaced steps (after that many trades, or days in a challenge).
struct HistoryRecord {
  std::vector<double> finals;
  std::vector<double> drawdowns;  // the largest fall from a running peak, percent of that peak
  std::vector<ChallengeOutcome> outcomes;
  std::vector<std::int32_t> daysToPass;  // 0 unless passed
  std::vector<std::int32_t> placeSteps;  // ascending, the last the run's full length
  std::vector<float> fan;                // place by place: runs values each

  // Sized for `runs`, with at most `places` places over `steps`.
  HistoryRecord(std::int32_t runs, std::int32_t steps, std::int32_t places);
  std::int32_t Runs() const { return static_cast<std::int32_t>(finals.size()); }
};

// The places a pass of this many runs keeps: at most 200, fewer when the
// runs are so many that searching every place would slow the pass down.
std::int32_t FanPlaces(std::int32_t runs, std::int32_t steps);

// Plays runs 0, 1, ... in order, run r from its own stream of the seed, into
// the record; after each run asks `afterRun` (given the runs played) whether
// to go on. A run plays to its end, ruined or not, unless its balance falls to
// 0 or below (the account is gone) or, in a challenge, it passes or fails; its
// later places keep the balance it ended with. Returns the runs played.
std::int32_t PlayHistoryRuns(const SourceTrades& source, const HistoryModel& model,
                             std::uint64_t seed, HistoryRecord& record,
                             const std::function<bool(std::int32_t)>& afterRun);

}  // namespace quillfen
