#include "risk/source_trades.h"

#include <algorithm>
#include <numeric>

namespace quillfen {

std::int32_t SourceTrades::LongestDay() const {
  std::int32_t longest = 0;
  for (std::size_t d = 1; d < dayStarts.size(); ++d)
    longest = std::max(longest, dayStarts[d] - dayStarts[d - 1]);
  return longest;
}

SourceTrades MakeSourceTrades(std::span<const DrawnTrade> trades) {
  SourceTrades source;
  source.results.reserve(trades.size());
  bool sharesKnown = true;
  for (const DrawnTrade& t : trades) {
    source.results.push_back(t.result);
    sharesKnown = sharesKnown && t.balanceBefore > 0;
  }
  if (sharesKnown) {
    source.shares.reserve(trades.size());
    for (const DrawnTrade& t : trades) source.shares.push_back(t.result / t.balanceBefore);
  }

  // Dates are year/month/day texts: in text order they are in date order.
  std::vector<std::size_t> order(trades.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::erase_if(order, [&](std::size_t i) { return trades[i].closeDate.empty(); });
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return trades[a].closeDate < trades[b].closeDate;
  });
  source.dayResults.reserve(order.size());
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k == 0 || trades[order[k]].closeDate != trades[order[k - 1]].closeDate)
      source.dayStarts.push_back(static_cast<std::int32_t>(k));
    source.dayResults.push_back(trades[order[k]].result);
  }
  if (!order.empty()) source.dayStarts.push_back(static_cast<std::int32_t>(order.size()));
  return source;
}

}  // namespace quillfen
