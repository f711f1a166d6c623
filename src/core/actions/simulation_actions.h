#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "program_state.h"
#include "progress.h"
#include "report.h"
#include "report_options.h"

namespace quillfen {

enum class SimulationStart {
  ran,
  noStatementDeposit,  // "as in original statement" with a statement that has none
  zeroDeposit,         // a typed deposit of 0
  emptyInput,          // a box the simulation needs is empty
  refused,             // the report is being filled or sorted
  badInput,            // a mode that draws from the report's trades cannot: the notice says why
};

// The Start button: its silent refusals, then the selected mode's pass or
// search under the options. A run, trade or day count above the largest
// allowed, and the runs of a Monte Carlo pass beyond kMaxTradeDraws trades,
// are written back into report.options, for the window to show, and said in
// report.simulationResults.notices with what a search could not do.
// `starting` runs once the inputs are accepted, before the pass: the window
// turns its button into Stop and empties its result boxes there. The modes
// that draw from the report's trades first walk the statistics under the
// options, for the trades' results; what stops them is the only notice.
SimulationStart StartSimulation(Report& report, ProgramState& state, const ReportOptions& options,
                                Progress& progress, const std::function<void()>& starting = {});

// A choice of the trading system's units: takes the options and, with "Auto
// import from report" on, offers the report's average win and loss in those
// units and its share of winners to the simulation inputs. False while the
// report is busy.
bool ChooseSimulationUnits(Report& report, const ReportOptions& options);

// The selected mode, once started: clears the stop flag, empties the result
// boxes and the notices, and runs one pass or one of the searches.
void RunSimulation(Report& report, ProgramState& state, Progress& progress);

// The button while a pass runs: the same silent refusals, then the stop;
// ran when the stop was requested.
SimulationStart PressStopSimulation(const Report& report, ProgramState& state,
                                    const ReportOptions& options);

// Closing a window or the program: the pass ends after its current run.
void StopSimulation(ProgramState& state);

// The days box under "Trades" and the trades box under "Days", from the
// other box's text, the listed trades and the statement's span.
std::string DaysForTradesText(const Report& report, std::string_view tradesText);
std::string TradesForDaysText(const Report& report, std::string_view daysText);

}  // namespace quillfen
