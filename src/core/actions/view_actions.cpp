#include "actions/view_actions.h"

#include <algorithm>

#include "actions/refresh.h"
#include "actions/report_guard.h"
#include "analysis/column_sort.h"
#include "analysis/summary_text.h"
#include "analysis/trade_deletion.h"
#include "analysis/trade_selection.h"
#include "report_parts.h"

namespace quillfen {

namespace {

void Select(SelectionList& list, const std::vector<bool>& selected) {
  const int count = std::min(list.Size(), static_cast<int>(selected.size()));
  for (int i = 0; i < count; ++i) list.SetSelected(i, selected[static_cast<std::size_t>(i)]);
}

void SelectNamed(const SelectionList& list, const std::vector<std::string>& names,
                 std::vector<bool>& selected, std::vector<std::string>& unknown) {
  if (names.empty()) return;
  selected.assign(selected.size(), false);
  for (const std::string& name : names) {
    if (int index = list.Find(name); index >= 0)
      selected[static_cast<std::size_t>(index)] = true;
    else
      unknown.push_back(name);
  }
}

}  // namespace

ListSelections CurrentSelections(const Report& report) {
  return {report.pairsListBox.Selections(), report.magicListBox.Selections()};
}

NamedSelections SelectionsNamed(const Report& report, const std::vector<std::string>& symbols,
                                const std::vector<std::string>& magics) {
  NamedSelections named{CurrentSelections(report), {}, {}};
  SelectNamed(report.pairsListBox, symbols, named.selections.pairs, named.unknownSymbols);
  SelectNamed(report.magicListBox, magics, named.selections.magics, named.unknownMagics);
  return named;
}

void PrepareReport(Report& report) {
  WriteGridHeaders(report);
}

bool SelectTrades(Report& report, const ReportOptions& options, const ListSelections& selections,
                  const ChartPainter& paintCharts) {
  if (!TakeOptions(report, options)) return false;
  Select(report.pairsListBox, selections.pairs);
  Select(report.magicListBox, selections.magics);
  FullRefresh(report, paintCharts);
  return true;
}

bool FilterDisplay(Report& report, const ReportOptions& options) {
  if (!TakeOptions(report, options)) return false;
  report.deletions.clear();
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  RebuildGrids(report);
  return true;
}

bool ApplyOptions(Report& report, const ReportOptions& options) {
  if (!TakeOptions(report, options)) return false;
  RecomputeFigures(report);
  BuildSummaryText(report);
  return true;
}

void ArmHeader(ProgramState& state, int grid, int headerColumn) {
  state.armedSortColumn = headerColumn < 0 ? -1 : HeaderSortColumn(grid, headerColumn);
}

bool SortColumn(Report& report, ProgramState& state, const ReportOptions& options, int column,
                Progress& progress, const ChartPainter& paintCharts) {
  if (!TakeOptions(report, options)) return false;
  state.armedSortColumn = column;
  report.deletions.clear();
  SortAndRefresh(report, state, column, progress, paintCharts);
  return true;
}

int DeleteGridRows(Report& report, const ReportOptions& options, const std::vector<int>& gridRows,
                   const ChartPainter& paintCharts) {
  if (!TakeOptions(report, options)) return -1;
  const int removed = DeleteTrades(DeletionOf(report), gridRows);
  if (removed > 0) FullRefresh(report, paintCharts);
  return removed;
}

int DeleteTicketRows(Report& report, const ReportOptions& options,
                     const std::vector<std::string>& tickets, const ChartPainter& paintCharts) {
  if (!TakeOptions(report, options)) return -1;
  // Only a deletion that took the last row of a list item changes what the
  // grid shows next; the refreshes between the others would change nothing.
  int removed = 0;
  for (std::size_t next = 0; next < tickets.size();) {
    const int taken = DeleteNextTickets(DeletionOf(report), tickets, next);
    if (taken == 0) break;
    removed += taken;
    FullRefresh(report, paintCharts);
  }
  return removed;
}

int UndoGridDeletion(Report& report, const ReportOptions& options,
                     const ChartPainter& paintCharts) {
  if (!TakeOptions(report, options)) return -1;
  const int restored = RestoreDeletedTrades(DeletionOf(report));
  if (restored > 0) FullRefresh(report, paintCharts);
  return restored;
}

}  // namespace quillfen
