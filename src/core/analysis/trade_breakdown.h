#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
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

// Where an item stands among the rows; equal ranks keep their first appearance.
using ItemRank = std::function<int(std::string_view)>;

// One row per distinct item of the walk, items[i] being the item of trades[i].
std::vector<BreakdownRow> BreakdownBy(std::span<const WalkResult> trades,
                                      std::span<const std::string_view> items,
                                      const ItemRank& rank);

}  // namespace quillfen
