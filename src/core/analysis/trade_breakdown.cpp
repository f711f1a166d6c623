#include "analysis/trade_breakdown.h"

#include <algorithm>

namespace quillfen {

namespace {

// The walk of one item: its balance starts from nothing, the drops being the
// same from any start.
struct Tally {
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

  BreakdownRow Row(const std::string& item) const {
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
                                      std::span<const int> groups,
                                      const std::vector<std::string>& items) {
  std::vector<Tally> tallies(items.size());
  const std::size_t count = std::min(trades.size(), groups.size());
  for (std::size_t i = 0; i < count; ++i) {
    const auto group = static_cast<std::size_t>(groups[i]);
    if (group < tallies.size()) tallies[group].Add(trades[i].cents);
  }
  std::vector<BreakdownRow> rows;
  for (std::size_t t = 0; t < tallies.size(); ++t)
    if (tallies[t].trades > 0) rows.push_back(tallies[t].Row(items[t]));
  return rows;
}

}  // namespace quillfen
