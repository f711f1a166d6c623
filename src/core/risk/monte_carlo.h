#pragma once

#include <cstdint>

#include "risk/simulation_target.h"

namespace quillfen {

class Progress;
struct ProgramState;

// Larger run counts are cut to this; the per-run series hold one value per run.
constexpr std::int32_t kMaxSimulationRuns = 1000000;
// Longer runs, typed or made from days, are cut to this, so that no input
// makes a pass without a foreseeable end.
constexpr std::int32_t kMaxTradesPerRun = 1000000;
constexpr std::int32_t kMaxDaysPerRun = 1000000;
// The trades one start may draw: runs times trades per run of a pass, and of a
// search's passes together. Each count alone is capped; their product would
// allow passes of many hours. A start of that many takes 10 to 35 s on two
// cores (bench/simulation_cap.sh), a search of many short passes the longest.
constexpr std::int64_t kMaxTradeDraws = 5000000000;

// The runs and trades per run that a pass plays under the report's current
// settings, each cut to its largest count.
struct PassCounts {
  std::int32_t runs = 0;
  std::int32_t tradesPerRun = 0;
  std::int64_t Draws() const { return std::int64_t{runs} * tradesPerRun; }
};
PassCounts CountsOfPass(const SimulationTarget& target);

// One Monte Carlo pass over the report's current settings: writes the result
// boxes and tooltips into report.simulationResults and the figures into
// state.LastSimulationFigures. Plays nothing, leaving every result as it was,
// when there is no trade per run, no run or a deposit below 1. Plays the runs
// and trades per run of CountsOfPass. Lets events run after
// every run; a Stop keeps the results of the runs played.
void RunMonteCarloPass(const SimulationTarget& target, ProgramState& state, Progress& progress);

// Trades per run in "Days" mode: truncate((R - 2) × days / S) with R the row
// count of Grid1 and S the history span in days (0 counts as 1); 0 when not
// positive, cut to the largest 32-bit count.
std::int32_t TradesForDays(int grid1Rows, double periodDays, std::int32_t days);

// The way back, as the "Trades" choice shows it: truncate(trades × S / (R - 2));
// 0 when R - 2 or the result is not positive, cut to the largest 32-bit count.
std::int32_t DaysForTrades(int grid1Rows, double periodDays, std::int32_t trades);

}  // namespace quillfen
