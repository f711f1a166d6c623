#pragma once

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

// One item's walk: its balance starts from nothing, the drops being the same
// from any start.
struct BreakdownTally {
  int trades = 0;
  int wins = 0;
  double grossProfit = 0;
  double grossLoss = 0;
  double balance = 0;
  double peak = 0;
  double maximalDrawdown = 0;
  double largestWin = 0;
  double largestLoss = 0;

  void Add(double cents);
  BreakdownRow Row(const std::string& item) const;
};

// The breakdown taken trade by trade in walk order, with the trade's item.
class BreakdownWalk {
 public:
  void Add(std::size_t item, double cents) {
    if (item >= tallies_.size()) tallies_.resize(item + 1);
    tallies_[item].Add(cents);
  }
  // One row per item that has trades, in the items' order.
  std::vector<BreakdownRow> Rows(const std::vector<std::string>& items) const;

 private:
  std::vector<BreakdownTally> tallies_;
};

}  // namespace quillfen
