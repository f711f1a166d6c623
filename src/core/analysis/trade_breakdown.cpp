#include "analysis/trade_breakdown.h"

#include <algorithm>
#include <unordered_map>

namespace quillfen {

namespace {

// The walk of one item: its balance starts from nothing, the drops being the
// same from any start.
struct Tally {
  std::string_view item;
  int trades = 0;
  int wins = 0;
  double grossProfit = 0;
  double grossLoss = 0;
  double balance = 0;
  double peak = 0;
  double maximalDrawdown = 0;
  double largestWin = 0;
  double largestLoss = 0;

  void Add(double cents) {
    ++trades;
    if (cents >= 0) {
      ++wins;
      grossProfit += cents;
      largestWin = std::max(largestWin, cents);
    } else {
      grossLoss += cents;
      largestLoss = std::min(largestLoss, cents);
    }
    balance += cents;
    peak = std::max(peak, balance);
    maximalDrawdown = std::max(maximalDrawdown, peak - balance);
  }

  BreakdownRow Row() const {
    BreakdownRow row;
    row.item = item;
    row.trades = trades;
    row.netProfit = (grossProfit + grossLoss) / 100;
    row.winPercent = wins * 100.0 / trades;
    row.hasLosses = wins < trades;
    row.profitFactor = row.hasLosses ? grossProfit / -grossLoss : 0;
    row.expectedPayoff = row.netProfit / trades;
    row.maximalDrawdown = maximalDrawdown / 100;
    row.largestWin = largestWin / 100;
    row.largestLoss = largestLoss / 100;
    return row;
  }
};

}  // namespace

std::vector<BreakdownRow> BreakdownBy(std::span<const WalkResult> trades,
                                      std::span<const std::string_view> items,
                                      const ItemRank& rank) {
  std::vector<Tally> tallies;
  std::unordered_map<std::string_view, std::size_t> index;
  const std::size_t count = std::min(trades.size(), items.size());
  for (std::size_t i = 0; i < count; ++i) {
    auto [at, added] = index.try_emplace(items[i], tallies.size());
    if (added) tallies.push_back({.item = items[i]});
    tallies[at->second].Add(trades[i].cents);
  }
  std::vector<std::pair<int, std::size_t>> order;
  for (std::size_t t = 0; t < tallies.size(); ++t) order.emplace_back(rank(tallies[t].item), t);
  std::sort(order.begin(), order.end());
  std::vector<BreakdownRow> rows;
  rows.reserve(order.size());
  for (const auto& entry : order) rows.push_back(tallies[entry.second].Row());
  return rows;
}

}  // namespace quillfen
