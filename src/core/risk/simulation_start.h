#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report_options.h"

#include "risk/simulation_target.h"

namespace quillfen {

class Progress;
struct ProgramState;
struct ReportStatistics;

// The Start button's refusals, all silent. First the simulation tab's own
// deposit choice: no statement deposit to use, or a custom deposit of 0.
bool SimulationDepositAccepted(DepositChoice choice, std::string_view depositText,
                               const ReportStatistics& stats);

// Then, after the tab's choices were copied to the Options tab: every box the
// simulation needs holds text. A run, trade or day count above the largest
// allowed (also one too large to read) is replaced by that count's text, and
// said in `notices`.
bool SimulationInputsAccepted(ReportOptions& options, std::vector<std::string>* notices = nullptr);

// A Monte Carlo pass draws at most kMaxTradeDraws trades: the runs box of the
// report's options is cut to the runs the pass plays, and that is said.
void CapPassDraws(const SimulationTarget& target, std::vector<std::string>& notices);

}  // namespace quillfen
