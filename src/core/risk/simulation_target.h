#pragma once

#include "analysis/visible_grid.h"
#include "import/report_statistics.h"
#include "report_options.h"
#include "risk/monte_carlo_results.h"

namespace quillfen {

// What a simulation reads of a report (the listed trades, the figures of the
// last walk) and what it writes: the options it runs under, whose deposit
// choice a pass may turn to a typed one, and the result boxes.
struct SimulationTarget {
  const VisibleGrid& grid1;
  const ReportStatistics& stats;
  ReportOptions& options;
  MonteCarloResults& simulationResults;
};

}  // namespace quillfen
