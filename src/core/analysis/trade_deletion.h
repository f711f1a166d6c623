#pragma once

#include <vector>

#include "report.h"

namespace quillfen {

// The Delete key on the grids: removes from the trade table the trade of each
// given grid row (found by ticket), drops the list items that no longer occur
// and runs the full refresh. Refuses to delete the only trade of a window with
// one symbol. Gives the number of trade rows removed.
int DeleteTrades(Report& report, const std::vector<int>& gridRows,
                 const ChartPainter& paintCharts = {});

// The grid row (from 1) that shows this ticket, or -1.
int FindGridRow(const Report& report, std::string_view ticket);

}  // namespace quillfen
