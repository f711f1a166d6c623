#pragma once

#include <string>
#include <vector>

#include "report.h"

namespace quillfen {

// The Delete key on the grids: removes from the trade table the row that each
// given grid row shows, drops the list items that no longer occur
// and runs the full refresh. Refuses to delete the only trade of a window with
// one symbol. Gives the number of trade rows removed. What it removed is kept
// in the report's deletions.
int DeleteTrades(Report& report, const std::vector<int>& gridRows,
                 const ChartPainter& paintCharts = {});

// Deletes of these tickets one after another, each taking the first grid row
// that shows its ticket then, as FindGridRow and DeleteTrades in turn would;
// the full refresh runs only where a list item went, and after the last.
// The rows taken between two refreshes are kept as one deletion. Gives the
// number of trade rows removed.
int DeleteTickets(Report& report, const std::vector<std::string>& tickets,
                  const ChartPainter& paintCharts = {});

// Undo of the latest deletion kept: its rows go back to their places in the
// table and its list items to theirs, selected as they were; then the full
// refresh, as the deletion ran it. Gives the number of trade rows put back.
int RestoreDeletedTrades(Report& report, const ChartPainter& paintCharts = {});

// The grid row (from 1) that shows this ticket, or -1.
int FindGridRow(const Report& report, std::string_view ticket);

}  // namespace quillfen
