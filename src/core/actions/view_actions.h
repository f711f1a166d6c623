#pragma once

#include <string>
#include <vector>

#include "actions/refresh.h"
#include "program_state.h"
#include "progress.h"
#include "report.h"
#include "report_options.h"

namespace quillfen {

// Each of these takes the option controls as they stand and refuses (false,
// the report unchanged) while the report is being filled or sorted; the window
// then shows the report as it is, and the controls' values take effect with
// the next action.

// What the symbol and magic lists show selected, item by item.
struct ListSelections {
  std::vector<bool> pairs;
  std::vector<bool> magics;
};

// The report's lists as they stand.
ListSelections CurrentSelections(const Report& report);

// Selections that name their items (letter case aside), as clicks would leave
// them; no names leaves a list as it stands. A name the list does not hold goes
// to `unknown`: a list with nothing selected shows every trade, so a caller
// must not take the selections while any name is unknown.
struct NamedSelections {
  ListSelections selections;
  std::vector<std::string> unknownSymbols;
  std::vector<std::string> unknownMagics;
};
NamedSelections SelectionsNamed(const Report& report, const std::vector<std::string>& symbols,
                                const std::vector<std::string>& magics);

// The window is first shown: the grids get their header rows.
void PrepareReport(Report& report);

// A click in the symbol or magic list: the full refresh over the new selection.
bool SelectTrades(Report& report, const ReportOptions& options, const ListSelections& selections,
                  const ChartPainter& paintCharts = {});

// A display radio button: the symbol list afresh under the filter, then the grids.
bool FilterDisplay(Report& report, const ReportOptions& options);

// Leaving a tab, and every other change of the options: the figures and the
// summary under the new options.
bool ApplyOptions(Report& report, const ReportOptions& options);

// A mouse press on header column headerColumn (-1: none) of Grid1 (grid 1) or
// Grid2 (grid 2): arms the trade-table column it sorts, or none.
void ArmHeader(ProgramState& state, int grid, int headerColumn);

// A double click on a header: arms that column and sorts the table by it.
bool SortColumn(Report& report, ProgramState& state, const ReportOptions& options, int column,
                Progress& progress, const ChartPainter& paintCharts = {});

// The Delete key: removes the trades of these grid rows (from 1). Gives the
// number of trade rows removed, or -1 when refused.
int DeleteGridRows(Report& report, const ReportOptions& options, const std::vector<int>& gridRows,
                   const ChartPainter& paintCharts = {});

// Delete keys one after another, each on the row that shows a ticket then,
// as the command line's --delete options give them; the refreshes that would
// change nothing in between are left out. Gives the number of trade rows
// removed, or -1 when refused.
int DeleteTicketRows(Report& report, const ReportOptions& options,
                     const std::vector<std::string>& tickets, const ChartPainter& paintCharts = {});

// Undo after Delete: puts the trades of the latest deletion back where they
// were, with the list items that went with them, and refreshes as the
// deletion did. A sort, an added statement or a display filter ends what can
// be undone. Gives the number of trade rows put back, or -1 when refused.
int UndoGridDeletion(Report& report, const ReportOptions& options,
                     const ChartPainter& paintCharts = {});

}  // namespace quillfen
