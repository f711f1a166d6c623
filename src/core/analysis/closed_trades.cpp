#include "analysis/closed_trades.h"

#include <cmath>

namespace quillfen {

ClosedTrades ClosedTradesByTime(WalkCache& cache, int shiftMinutes) {
  ClosedTrades trades;
  const std::vector<int>& order = cache.CloseOrder();
  const std::vector<WalkRow>& rows = cache.Kept();
  trades.unreadable = cache.UnreadableCloses();
  trades.byClose.reserve(order.size());
  for (int r : order) {
    const WalkRow& row = rows[static_cast<std::size_t>(r)];
    trades.byClose.push_back(
        {row.closeMinutes + static_cast<long long>(shiftMinutes),
         row.openMinutes == 0 ? 0 : row.openMinutes + static_cast<long long>(shiftMinutes),
         row.profitShown - std::fabs(row.commissionShown) + row.swapShown, r});
  }
  return trades;
}

}  // namespace quillfen
