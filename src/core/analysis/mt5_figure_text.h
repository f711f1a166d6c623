#pragma once

#include <optional>
#include <vector>

#include "analysis/figure_text.h"

namespace quillfen {

// The figures of a MetaTrader 5 tester's Results block that the trades give,
// in its order and under its English labels. Total Deals is printed only when
// known (every trade of the report walked); a figure the walk could not give
// (HPRs after a balance at or below zero, the profit factor without losses) is
// left out.
std::vector<FigureLine> Mt5FigureLines(const TerminalFigures& figures,
                                       std::optional<int> totalDeals);

// The figures of an account history's Results block that the trades give, in
// its order: no holding period returns, no Total Deals, and neither Recovery
// Factor nor Sharpe Ratio, which need the equity.
std::vector<FigureLine> Mt5HistoryFigureLines(const TerminalFigures& figures);

}  // namespace quillfen
