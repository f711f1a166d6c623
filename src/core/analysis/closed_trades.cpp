#include "analysis/closed_trades.h"

#include <cmath>
#include <cstdint>

namespace quillfen {

ClosedTrades ClosedTradesByTime(WalkCache& cache, int shiftMinutes) {
  ClosedTrades trades;
  const std::vector<int>& order = cache.CloseOrder();
  const std::vector<WalkRow>& rows = cache.Kept();
  trades.unreadable = cache.UnreadableCloses();
  // The rows are read in their own order and only then taken in close order:
  // read far apart in memory, the large rows would cost a cache miss each.
  trades.byClose.resize(order.size());
  std::vector<std::int32_t> place(rows.size(), -1);
  for (std::size_t i = 0; i < order.size(); ++i)
    place[static_cast<std::size_t>(order[i])] = static_cast<std::int32_t>(i);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    if (place[r] < 0) continue;
    const WalkRow& row = rows[r];
    trades.byClose[static_cast<std::size_t>(place[r])] = {
        row.closeMinutes + static_cast<long long>(shiftMinutes),
        row.openMinutes == 0 ? 0 : row.openMinutes + static_cast<long long>(shiftMinutes),
        row.profitShown - std::fabs(row.commissionShown) + row.swapShown, static_cast<int>(r)};
  }
  return trades;
}

}  // namespace quillfen
