#include "analysis/time_figures.h"

namespace quillfen {

TimeFigures ComputeTimeFigures(WalkCache& cache, const TimeFigureInputs& inputs) {
  const ClosedTrades trades = ClosedTradesByTime(cache, inputs.shiftMinutes);
  return {MonthlyReturnsOf(trades.byClose, inputs.deposit),
          DeepestDrawdowns(trades.byClose, inputs.deposit), trades.unreadable, inputs};
}

std::string UnreadableClosesMessage(const TimeFigures& figures) {
  const int count = figures.unreadableCloses;
  if (count == 0) return {};
  return std::to_string(count) + (count == 1 ? " closed trade has" : " closed trades have") +
         " a close date that cannot be read and " + (count == 1 ? "is" : "are") +
         " left out of the months and drawdowns.";
}

}  // namespace quillfen
