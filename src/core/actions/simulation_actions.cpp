#include "actions/simulation_actions.h"

#include "actions/report_guard.h"
#include "risk/simulation_start.h"

namespace quillfen {

SimulationStart StartSimulation(Report& report, ProgramState& state, const ReportOptions& options,
                                Progress& progress) {
  if (ReportIsBusy(report)) return SimulationStart::refused;
  report.options = options;
  if (!SimulationDepositAccepted(options.deposit, options.depositText, report.stats))
    return options.deposit == DepositChoice::statement ? SimulationStart::noStatementDeposit
                                                       : SimulationStart::zeroDeposit;
  if (!SimulationInputsAccepted(report.options)) return SimulationStart::emptyInput;
  RunSimulation(report, state, progress);
  return SimulationStart::ran;
}

void StopSimulation(ProgramState& state) {
  state.SimulationStopRequested = true;
}

}  // namespace quillfen
