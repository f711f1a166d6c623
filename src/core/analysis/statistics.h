#pragma once

#include "analysis/trade_views.h"
#include "import/report_statistics.h"
#include "progress.h"
#include "report_options.h"

namespace quillfen {

// Walks the visible rows of Grid1/Grid2 under the Options tab's deposit and
// sizing, rewrites their Lots, Profit, Comm, Swap and Balance cells, marks the
// maximum drawdown and fills the figures of `stats`. "As in original
// statement" without a statement deposit turns into a typed deposit. Lets
// events in through `pump`, when given, while it walks.
void RecomputeStatistics(TradeViews& views, ReportStatistics& stats, ReportOptions& options,
                         Progress* pump = nullptr);

// Offers the average win, loss and percentage of winners to the simulation
// inputs, when "Auto import from report" is on.
void ImportReportFigures(const ReportStatistics& s, SimulationOptions& sim);

}  // namespace quillfen
