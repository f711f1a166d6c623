#pragma once

#include <cstdint>

#include "risk/trade_model.h"

namespace quillfen {

struct RunOutcome {
  double finalBalance = 0;
  double maxDrawdown = 0;  // percent of the running peak
  bool ruined = false;
  bool perfect = false;  // the balance never fell below the truncated deposit
  double trades = 0;     // trades played
};

// Receives the runs as they end and says whether to go on.
class RunSink {
 public:
  virtual ~RunSink() = default;
  virtual bool RunPlayed(std::int32_t run, const RunOutcome& outcome) = 0;
  // Asked now and then during long runs, so that a Stop is not kept waiting.
  virtual bool KeepGoing() = 0;
};

// Plays runs 0 .. runs - 1, each from its own stream of the seed, several side
// by side; runs end in any order. Returns when every run has been played or
// the sink asked to stop (runs then in progress are dropped).
void PlayRuns(const TradeModel& model, std::uint64_t seed, std::int32_t runs, RunSink& sink);

}  // namespace quillfen
