#pragma once

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
};

// The Start button: its silent refusals, then the selected mode's pass or
// search under the options. A run, trade or day count above the largest
// allowed is written back into report.options, for the window to show.
SimulationStart StartSimulation(Report& report, ProgramState& state, const ReportOptions& options,
                                Progress& progress);

// The Stop button, and closing a window or the program: the pass ends after its current run.
void StopSimulation(ProgramState& state);

}  // namespace quillfen
