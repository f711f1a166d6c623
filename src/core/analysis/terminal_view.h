#pragma once

#include <string>
#include <vector>

#include "analysis/figure_text.h"
#include "analysis/selection_list.h"
#include "analysis/trade_breakdown.h"
#include "analysis/trade_views.h"
#include "import/report_statistics.h"
#include "progress.h"
#include "report_options.h"

namespace quillfen {

// What the terminal's figures are read from: the grids as the last statistics
// walk left them, with the figures, options and lists of that walk.
struct TerminalSource {
  const TradeTable& full;
  VisibleGrid& grid1;
  VisibleGrid& grid2;
  WalkCache& walkCache;
  const ReportStatistics& stats;
  const ReportOptions& options;
  const SelectionList& pairsListBox;
  const SelectionList& magicListBox;
  Progress* fillPump = nullptr;  // lets events in while the rows are walked
};

// The terminal's figures as printed, as the Summary tab's lines, and per
// symbol and magic number.
struct TerminalView {
  std::vector<FigureLine> figures;
  std::vector<std::string> memo;
  TradeBreakdown breakdown;
};

// The terminal's own figures and the breakdown per symbol and magic number,
// over the closed trades of the grids (sizing and deposit included).
TerminalView BuildTerminalFigures(const TerminalSource& source);

}  // namespace quillfen
