#pragma once

#include <string>
#include <vector>

#include "report_options.h"
#include "risk/history_runs.h"
#include "risk/source_trades.h"

namespace quillfen {

class Progress;
struct MonteCarloResults;
struct ProgramState;

// The modes that draw from the report's own trades.
bool IsHistoryMode(SimulationMode mode);

// The largest challenge target, in percent of the deposit.
constexpr double kMaxChallengeTarget = 1000;

// Why the tab's boxes make no pass of a history mode over these trades, as one
// sentence; empty when they make one.
std::string HistoryRefusal(const SimulationOptions& panel, const SourceTrades& source);

// The model of the tab's mode over accepted boxes, every run from `deposit`.
HistoryModel ReadHistoryModel(const SimulationOptions& panel, const SourceTrades& source,
                              double deposit);

// A pass draws at most kMaxTradeDraws trades: the runs box is cut to the
// runs the pass plays, and that is said.
void CapHistoryDraws(SimulationOptions& panel, const HistoryModel& model,
                     const SourceTrades& source, std::vector<std::string>& notices);

// Plays the runs of the runs box into out.history: lets events run after every
// run, and a Stop keeps the results of the runs played.
void RunHistoryPass(const SourceTrades& source, const HistoryModel& model, std::int32_t runs,
                    ProgramState& state, Progress& progress, MonteCarloResults& out);

}  // namespace quillfen
