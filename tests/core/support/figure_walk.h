#pragma once

#include <span>

#include "analysis/terminal_figures.h"

namespace quillfen::testing {

// The figures of these trades in walk order, from this deposit (in cents).
inline TerminalFigures ComputeTerminalFigures(std::span<const WalkResult> trades,
                                              double depositCents, RunTies ties = RunTies::mt4) {
  FigureWalk walk(depositCents, ties);
  for (const WalkResult& trade : trades) walk.Add(trade);
  return walk.Figures();
}

}  // namespace quillfen::testing
