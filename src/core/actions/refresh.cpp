#include "actions/refresh.h"

#include "actions/report_guard.h"
#include "analysis/column_sort.h"
#include "analysis/statistics.h"
#include "analysis/summary_text.h"
#include "analysis/terminal_view.h"
#include "analysis/time_figures.h"
#include "analysis/trade_selection.h"

namespace quillfen {

void RecomputeFigures(Report& report) {
  RecomputeStatistics(report);
  BuildTerminalFigures(report);
  // The walk skips a report being sorted; its rows then stand as they were.
  if (report.busy == BusyWith::sorting) return;
  const TimeFigureInputs inputs{report.grid1.Stamp(), report.grid2.Stamp(),
                                report.stats.initialDeposit, report.options.timeShiftMinutes};
  if (!(inputs == report.timeFigures.inputs))
    report.timeFigures = ComputeTimeFigures(report.walkCache, inputs);
}

void SortAndRefresh(Report& report, ProgramState& state, int column, Progress& progress,
                    const ChartPainter& paintCharts) {
  // A sort asked for while the rows are being sorted (the progress lets
  // events in) waits for none: it does nothing.
  if (report.busy == BusyWith::sorting || !SortsAnything(report.full, column)) return;
  {
    BusyScope sorting(report, BusyWith::sorting);
    const long long rows = report.full.TradeRows();
    const long long comparisons = rows * (rows - 1) / 2;
    progress.SetRange(comparisons);
    progress.SetPosition(0);
    progress.Pump();
    OrderTradeRows(report.full, column, state.lastSortColumn);
    report.sortedBy = {column, SortsAscending(column, state.lastSortColumn)};
    progress.SetPosition(comparisons);
    progress.Pump();
    state.lastSortColumn = state.lastSortColumn == column ? -1 : column;
  }
  FullRefresh(report, paintCharts);
}

void FullRefresh(Report& report, const ChartPainter& paintCharts) {
  RebuildTradeGrids(report);
  RecomputeFigures(report);
  BuildSummaryText(report);
  if (paintCharts) paintCharts(report);
}

}  // namespace quillfen
