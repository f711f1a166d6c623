#pragma once

#include <string>
#include <vector>

#include "analysis/drawdown_episodes.h"
#include "analysis/month_returns.h"
#include "analysis/walk_cache.h"

namespace quillfen {

// The selected closed trades on the trader's clock: by month, and the
// deepest falls of the balance.
struct TimeFigures {
  MonthlyReturns returns;
  std::vector<DrawdownEpisode> drawdowns;
  int unreadableCloses = 0;  // left out of both
};

// After the statistics walk, from the rows its cache keeps and the deposit in force.
TimeFigures ComputeTimeFigures(WalkCache& cache, double deposit, int shiftMinutes);

// What the user is told of the trades left out; empty when none is.
std::string UnreadableClosesMessage(const TimeFigures& figures);

}  // namespace quillfen
