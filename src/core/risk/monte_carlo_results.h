#pragma once

#include <optional>
#include <string>
#include <vector>

#include "risk/history_results.h"
#include "risk/outcome_histogram.h"

namespace quillfen {

// The texts of the simulation tab's result boxes and of their tooltips.
struct MonteCarloResults {
  std::string perfect;
  std::string riskOfRuin;
  std::string balance;
  std::string returnPercent;
  std::string profitPerTrade;
  bool profitPerTradeRed = false;
  std::string avgDrawdown;
  std::string errorRate;
  std::string deviation;
  std::string returnRange;
  std::string balanceRange;
  std::string drawdownRange;
  std::string ruinRange;
  std::string minDeposit;
  std::string minTrades;
  OutcomeHistogram outcome;               // of the last Monte Carlo pass; empty after a search
  std::optional<HistoryResults> history;  // of the last pass of a history mode
  // What the start changed of the inputs or could not do, one sentence each,
  // for the window's message box and the command line's error output.
  std::vector<std::string> notices;
};

}  // namespace quillfen
