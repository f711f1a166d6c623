#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/recent_files.h"

namespace quillfen {

// Figures of the last completed simulation pass, in percent; the searches read them.
struct SimulationFigures {
  double riskOfRuin = 0;
  double avgDrawdown = 0;
  double returnPercent = 0;
};

// The few values that are one per process, passed where needed so that tests
// can start from a fresh one.
struct ProgramState {
  int armedSortColumn = -1;
  int lastSortColumn = -1;
  bool SimulationStopRequested = false;
  SimulationFigures LastSimulationFigures;
  // Seeds every simulation pass when set (the command line's --seed); the
  // clock in whole seconds otherwise.
  std::optional<std::uint64_t> simulationSeed;
  bool CompactCsvRequested = false;
  std::string PageSource;
  std::string ReportName;
  RecentFiles recentFiles;
};

}  // namespace quillfen
