#pragma once

#include <span>
#include <string>
#include <vector>

#include "analysis/terminal_figures.h"

namespace quillfen {

// The figures of one symbol or magic number over the walk's trades, in money.
struct BreakdownRow {
  std::string item;
  int trades = 0;
  double netProfit = 0;
  double winPercent = 0;
  bool hasLosses = false;
  double profitFactor = 0;  // 0 without losses
  double expectedPayoff = 0;
  double maximalDrawdown = 0;
  double largestWin = 0;
  double largestLoss = 0;
};

struct TradeBreakdown {
  std::vector<BreakdownRow> symbols;
  std::vector<BreakdownRow> magics;
};

// One row per item that has trades, in the items' order; trade i belongs to
// items[groups[i]].
std::vector<BreakdownRow> BreakdownBy(std::span<const WalkResult> trades,
                                      std::span<const int> groups,
                                      const std::vector<std::string>& items);

}  // namespace quillfen
