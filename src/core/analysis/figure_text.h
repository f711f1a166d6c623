#pragma once

#include <string>
#include <vector>

#include "analysis/terminal_figures.h"

namespace quillfen {

// One figure as the terminal prints it: its label and its text.
struct FigureLine {
  std::string label;
  std::string text;
};

// A statement prints money with the account's decimals and grouped
// thousands; a tester report prints "%.2f" with losses signed.
struct FigureStyle {
  bool tester = false;
  int decimals = 2;
};

// The terminal's Details block for these figures, in its order and labels.
std::vector<FigureLine> TerminalFigureLines(const TerminalFigures& figures,
                                            const FigureStyle& style);

// The lines in the Summary tab's fixed-width layout, after a blank line.
std::vector<std::string> FigureMemoLines(const std::vector<FigureLine>& lines);

}  // namespace quillfen
