#pragma once

#include <functional>

#include "program_state.h"
#include "progress.h"
#include "report.h"

namespace quillfen {

// The refreshes that follow the user's actions, in the one order each has.

// The views' part of a refresh: the window repaints its balance and times
// charts from the rebuilt grids. Callers without charts pass nothing.
using ChartPainter = std::function<void(Report&)>;

// Grid1 and Grid2 afresh from the trades the lists select and the display
// filter passes.
void RebuildGrids(Report& report);

// The figures of a refresh: the statistics walk, the figures it offers to the
// simulation inputs, then the terminal's own figures from the cells it wrote, then the months
// and drawdown episodes.
void RecomputeFigures(Report& report);

// The Summary tab's lines from the figures of the last walk.
void BuildSummaryText(Report& report);

// A double click on a sortable header: orders the table while the report is
// busy sorting, toggles the direction state, then the full refresh. Does
// nothing for a column without a rule or on a table without trades.
void SortAndRefresh(Report& report, ProgramState& state, int column, Progress& progress,
                    const ChartPainter& paintCharts = {});

// After a change of the symbol or magic selection, a deletion, an undo or a
// column sort: rebuild the grids, recompute, summary, then the charts.
void FullRefresh(Report& report, const ChartPainter& paintCharts = {});

}  // namespace quillfen
