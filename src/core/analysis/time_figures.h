#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/drawdown_episodes.h"
#include "analysis/month_returns.h"
#include "analysis/walk_cache.h"

namespace quillfen {

// What the figures were taken from: the grids' stamps, the deposit in force
// and the shift. A refresh that changed none of them keeps the figures.
struct TimeFigureInputs {
  std::uint64_t grid1 = 0;
  std::uint64_t grid2 = 0;
  double deposit = 0;
  int shiftMinutes = 0;
  bool operator==(const TimeFigureInputs&) const = default;
};

// The selected closed trades on the trader's clock: by month, and the
// deepest falls of the balance.
struct TimeFigures {
  MonthlyReturns returns;
  std::vector<DrawdownEpisode> drawdowns;
  int unreadableCloses = 0;  // left out of both
  TimeFigureInputs inputs;
};

// After the statistics walk, from the rows its cache keeps.
TimeFigures ComputeTimeFigures(WalkCache& cache, const TimeFigureInputs& inputs);

// What the user is told of the trades left out; empty when none is.
std::string UnreadableClosesMessage(const TimeFigures& figures);

}  // namespace quillfen
