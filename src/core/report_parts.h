#pragma once

#include "analysis/terminal_view.h"
#include "analysis/trade_deletion.h"
#include "export/html_page.h"
#include "report.h"
#include "risk/simulation_target.h"

namespace quillfen {

// A report's parts as the routines below the actions take them.

inline TerminalSource TerminalSourceOf(Report& report) {
  return {report.full,    report.grid1,        report.grid2,        report.walkCache, report.stats,
          report.options, report.pairsListBox, report.magicListBox, report.fillPump};
}

inline SimulationTarget TargetOf(Report& report) {
  return {report.grid1, report.stats, report.options, report.simulationResults};
}

inline HtmlPageSource PageSourceOf(const Report& report) {
  return {report, report.stats, report.terminalFigures};
}

inline DeletionTarget DeletionOf(Report& report) {
  return {report.full, report.grid1, report.pairsListBox, report.magicListBox, report.deletions};
}

}  // namespace quillfen
