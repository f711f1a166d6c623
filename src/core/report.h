#pragma once

#include <string>
#include <vector>

#include "analysis/report_statistics.h"
#include "import/text_grid.h"
#include "import/trade_table.h"
#include "report_options.h"
#include "risk/monte_carlo_results.h"

namespace quillfen {

// A multi-select list box: items in order, each selected or not.
struct SelectionList {
  std::vector<std::string> items;
  std::vector<bool> selected;
};

// Grid1: 15 visible columns, 15 unused, 16..18 the hidden per-row sizing inputs.
constexpr int kGrid1Columns = 19;
constexpr int kGrid2Columns = 13;

// One report window's data.
struct Report {
  TradeTable full;
  TextGrid grid1{kGrid1Columns, kGrid1Columns, 2};
  TextGrid grid2{kGrid2Columns, kGrid2Columns, 2};
  SelectionList pairsListBox;
  SelectionList magicListBox;
  ReportStatistics stats;
  std::vector<std::string> statements;  // the files combined in this window, in order
  ReportOptions options;
  MonteCarloResults simulationResults;  // the simulation tab's result boxes and tooltips
};

}  // namespace quillfen
