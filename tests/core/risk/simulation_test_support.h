#pragma once

#include <string>

#include "program_state.h"
#include "progress.h"
#include "report.h"
#include "report_parts.h"
#include "risk/monte_carlo.h"

namespace quillfen::testing {

// A report window whose simulation inputs a test sets as the boxes would hold
// them: custom deposit 10000, 1000 runs of 100 trades, seed fixed.
struct SimulationCase {
  Report report;
  ProgramState state;
  NoProgress progress;

  SimulationCase() {
    report.options.deposit = DepositChoice::custom;
    report.options.depositText = "10000";
    SimulationOptions& p = report.options.simulation;
    p.importFromReport = false;
    p.percWinsText = "45";
    p.avgProfitText = "30";
    p.avgLossText = "20";
    state.simulationSeed = 20240601;
  }
  SimulationOptions& panel() { return report.options.simulation; }
  ReportOptions& options() { return report.options; }
  const MonteCarloResults& Pass() {
    RunMonteCarloPass(TargetOf(report), state, progress);
    return report.simulationResults;
  }
};

// Sets the stop flag once the pass has played `runs` runs, or at the
// `pumps`-th event pump, whichever comes first.
class StopAfter final : public Progress {
 public:
  StopAfter(ProgramState& state, long long runs, long long pumps = -1)
      : state_(state), runs_(runs), pumps_(pumps) {}
  void SetRange(long long maximum) override { range = maximum; }
  void SetPosition(long long position) override {
    this->position = position;
    if (position >= runs_) state_.SimulationStopRequested = true;
  }
  void Advance(long long) override {}
  void Pump() override {
    if (++pumped == pumps_) state_.SimulationStopRequested = true;
  }
  long long range = -1, position = 0, pumped = 0;

 private:
  ProgramState& state_;
  long long runs_, pumps_;
};

}  // namespace quillfen::testing
