#pragma once

#include "report.h"

namespace quillfen {

// The terminal's own figures and the breakdown per symbol and magic number,
// over the closed trades of the grids as the last RecomputeStatistics left
// them (sizing and deposit included). Does nothing while a sort runs.
void BuildTerminalFigures(Report& report);

}  // namespace quillfen
