#pragma once

#include <string>

#include "settings/recent_files.h"

namespace quillfen {

// The few values that are one per process, passed where needed so that tests
// can start from a fresh one.
struct ProgramState {
  int armedSortColumn = -1;
  int lastSortColumn = -1;
  bool SimulationStopRequested = false;
  bool CompactCsvRequested = false;
  std::string PageSource;
  std::string ReportName;
  RecentFiles recentFiles;
};

}  // namespace quillfen
