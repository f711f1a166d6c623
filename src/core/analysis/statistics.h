#pragma once

#include "report.h"

namespace quillfen {

// Walks the visible rows of Grid1/Grid2 under the Options tab's deposit and
// sizing, rewrites their Lots, Profit, Comm, Swap and Balance cells, marks the
// maximum drawdown and fills report.stats. Does nothing while a sort runs.
void RecomputeStatistics(Report& report);

// Offers the average win, loss and percentage of winners to the simulation
// inputs, when "Auto import from report" is on.
void ImportReportFigures(Report& report);

}  // namespace quillfen
