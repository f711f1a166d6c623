#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "analysis/closed_trades.h"

namespace quillfen {

// A fall of the balance from a running peak until the balance first stands at
// that peak again (its recovery), or, without one, to the last trade.
struct DrawdownEpisode {
  long long start = 0;  // the close that made the peak; the first trade's open for the deposit
  long long low = 0;    // the close that made the lowest balance
  std::optional<long long> recovery;
  double depth = 0;         // peak less the lowest balance
  double depthPercent = 0;  // of the peak; NaN when the peak is not above 0
  long long days = 0;       // whole days from the start to the recovery or the last trade
  std::optional<long long> recoveryDays;  // whole days from the low to the recovery
  // The grid rows of its trades, first and last in the grids' order: where
  // the balance chart marks it.
  int firstGridRow = 0;
  int lastGridRow = 0;
  bool operator==(const DrawdownEpisode&) const = default;
};

inline constexpr std::size_t kDeepestDrawdowns = 5;

// The deepest episodes by depth in percent, the earlier first of equal ones;
// the trades in close order, the balance starting at the deposit.
std::vector<DrawdownEpisode> DeepestDrawdowns(std::span<const ClosedTrade> byClose, double deposit,
                                              std::size_t count = kDeepestDrawdowns);

}  // namespace quillfen
