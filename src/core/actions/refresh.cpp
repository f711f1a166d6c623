#include "actions/refresh.h"

#include <utility>

#include "actions/report_guard.h"
#include "analysis/column_sort.h"
#include "analysis/statistics.h"
#include "analysis/summary_text.h"
#include "analysis/terminal_view.h"
#include "analysis/time_figures.h"
#include "analysis/trade_selection.h"
#include "report_parts.h"

namespace quillfen {

namespace {

// A refresh that changed no cell, option or list item (a change of tab)
// keeps the terminal's figures: their walk is the dearer one.
void BuildTerminalView(Report& report) {
  FigureInputs inputs{report.grid1.Stamp(),        report.grid2.Stamp(),
                      report.full.Stamp(),         report.options.deposit,
                      report.options.sizing,       report.stats.initialDeposit,
                      report.pairsListBox.Items(), report.magicListBox.Items()};
  if (inputs == report.terminalInputs) return;
  report.terminalInputs = std::move(inputs);
  TerminalView view = BuildTerminalFigures(TerminalSourceOf(report));
  report.terminalFigures = std::move(view.figures);
  report.terminalMemo = std::move(view.memo);
  report.breakdown = std::move(view.breakdown);
}

}  // namespace

void RebuildGrids(Report& report) {
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display,
                    report.fillPump);
}

void RecomputeFigures(Report& report) {
  // The walk reads the rows by number, which a running sort is moving.
  if (report.busy == BusyWith::sorting) return;
  RecomputeStatistics(report, report.stats, report.options, report.fillPump);
  ImportReportFigures(report.stats, report.options.simulation);
  BuildTerminalView(report);
  const TimeFigureInputs inputs{report.grid1.Stamp(), report.grid2.Stamp(),
                                report.stats.initialDeposit, report.options.timeShiftMinutes};
  if (!(inputs == report.timeFigures.inputs))
    report.timeFigures = ComputeTimeFigures(report.walkCache, inputs);
}

void BuildSummaryText(Report& report) {
  report.summaryMemo = SummaryLines(report.grid1, report.stats);
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
  if (report.busy == BusyWith::sorting) return;
  RebuildGrids(report);
  RecomputeFigures(report);
  BuildSummaryText(report);
  if (paintCharts) paintCharts(report);
}

}  // namespace quillfen
