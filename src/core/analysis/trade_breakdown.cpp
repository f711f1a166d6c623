#include "analysis/trade_breakdown.h"

#include <algorithm>

namespace quillfen {

void BreakdownTally::Add(double cents) {
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

BreakdownRow BreakdownTally::Row(const std::string& item) const {
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

std::vector<BreakdownRow> BreakdownWalk::Rows(const std::vector<std::string>& items) const {
  std::vector<BreakdownRow> rows;
  for (std::size_t t = 0; t < tallies_.size() && t < items.size(); ++t)
    if (tallies_[t].trades > 0) rows.push_back(tallies_[t].Row(items[t]));
  return rows;
}

}  // namespace quillfen
