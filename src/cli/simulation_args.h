#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillfen::cli {

// --simulate and the simulation tab's boxes as typed; a box not given keeps
// the tab's default (the trading system: imported from the report).
struct SimulationArgs {
  // montecarlo, min-deposit, min-trades, resample, shuffle or challenge; empty: no simulation
  std::string mode;
  std::optional<std::string> runs, trades, days, maxDrawdown, win, avgProfit, avgLoss, confidence;
  std::optional<std::string> replay, target, maxLoss, dailyLoss;
  std::string units = "pips";
  std::optional<std::uint64_t> seed;
};

}  // namespace quillfen::cli
