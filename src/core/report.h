#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "analysis/column_sort.h"
#include "analysis/deleted_trades.h"
#include "analysis/figure_text.h"
#include "analysis/selection_list.h"
#include "analysis/time_figures.h"
#include "analysis/trade_breakdown.h"
#include "analysis/trade_views.h"
#include "import/report_statistics.h"
#include "program_state.h"
#include "progress.h"
#include "report_options.h"
#include "risk/monte_carlo_results.h"

namespace quillfen {

// What the terminal's figures were built from: the stamps of the grids and
// the table, and the options and list items they read besides.
struct FigureInputs {
  std::uint64_t grid1 = 0;
  std::uint64_t grid2 = 0;
  std::uint64_t table = 0;
  DepositChoice deposit = DepositChoice::statement;
  SizingChoice sizing = SizingChoice::original;
  double initialDeposit = 0;
  std::vector<std::string> symbols;
  std::vector<std::string> magics;
  bool operator==(const FigureInputs&) const = default;
};

// A report being filled (a statement read into it and its views first built)
// or sorted takes no other action: the reader and the sort track rows by number.
enum class BusyWith { nothing, filling, sorting };

// One report window's data: its trades and their grids, and what the window
// shows of them.
struct Report : TradeViews {
  SelectionList pairsListBox;
  SelectionList magicListBox;
  ReportStatistics stats;
  std::vector<std::string> statements;  // the files combined in this window, in order
  ReportOptions options;
  std::vector<std::string> summaryMemo;  // the Summary tab's lines
  // The terminal's own figures: as printed, as the Summary tab's second
  // section, and per symbol and magic number.
  std::vector<FigureLine> terminalFigures;
  std::vector<std::string> terminalMemo;
  // The figures the report printed that its trades cannot give, as the
  // Summary tab's last section (stats.printedFigures holds them all).
  std::vector<std::string> printedMemo;
  TradeBreakdown breakdown;
  TimeFigures timeFigures;              // the Months tab and the Drawdowns table
  FigureInputs terminalInputs;          // the figures stand while these do
  MonteCarloResults simulationResults;  // the simulation tab's result boxes and tooltips
  SortedOrder sortedBy;
  // The deletions Undo can take back, the latest last. Emptied when the rows
  // are reordered or the symbol list is made afresh: the places are then gone.
  std::vector<DeletedTrades> deletions;
  // What the report is busy with; set and cleared only by the actions' BusyScope.
  BusyWith busy = BusyWith::nothing;
  // While a read report is first shown: the walks over its rows let events in,
  // so that a million trades do not hold the window still.
  Progress* fillPump = nullptr;
};

}  // namespace quillfen
