#pragma once

#include "cli_run.h"

namespace quillfen::cli {

void AddSimulationOptions(CLI::App& app, CliOptions& options);

// Runs the simulation tab's selected mode as its Start button does, after the
// statistics (and so the import of the trading system) of the tab change, and
// prints the result boxes, or puts them under "simulation" for --json. A
// start the tab would refuse is a usage error.
int SimulationStage(CliRun& run);

}  // namespace quillfen::cli
