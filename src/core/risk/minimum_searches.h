#pragma once

#include "risk/simulation_target.h"

namespace quillfen {

class Progress;
struct ProgramState;

// The smallest deposit whose risk of ruin stays below 0.1 %: passes at a
// deposit raised or lowered by the risk of ruin in percent (2 % when below 1),
// shown in the minimum-deposit box as they go. Shows "0" and simulates nothing
// when the expected profit per trade is not above 0. The custom deposit text
// and the deposit choice are the user's again afterwards, also when stopped.
// A search whose passes would draw more than kMaxTradeDraws trades together
// stops before that pass with an empty box and a notice saying why.
void SearchMinimumDeposit(const SimulationTarget& target, ProgramState& state, Progress& progress);

// The smallest trade count (1, 2, ... up to 1000 passes) at which the mean
// return is at least the mean maximum drawdown, with runs ruined only below a
// balance of zero. Shows "0" when the expected profit per trade is not above 0.
// The trades and maximum-drawdown texts are the user's again afterwards.
void SearchMinimumTrades(const SimulationTarget& target, ProgramState& state, Progress& progress);

}  // namespace quillfen
