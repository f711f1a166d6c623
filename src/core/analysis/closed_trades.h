#pragma once

#include <vector>

#include "analysis/walk_cache.h"

namespace quillfen {

// A closed trade as months and drawdown episodes take it: its moments on the
// trader's clock and its result as the statistics walk counted it.
struct ClosedTrade {
  long long close = 0;  // minutes, shifted
  long long open = 0;   // minutes, shifted; 0 when unreadable
  double result = 0;    // profit - |commission| + swap
  int gridRow = 0;
};

struct ClosedTrades {
  std::vector<ClosedTrade> byClose;  // equal moments in the grids' order
  int unreadable = 0;                // closed trades whose close moment cannot be read
};

// The walked trades of the grids with a close date, after the walk the cache
// keeps; the clock moved by shiftMinutes.
ClosedTrades ClosedTradesByTime(WalkCache& cache, int shiftMinutes);

}  // namespace quillfen
