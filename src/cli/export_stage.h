#pragma once

#include "cli_run.h"

namespace quillfen::cli {

void AddExportOptions(CLI::App& app, CliOptions& options);

// Writes the CSV file and the HTML page the options name, as the main window's
// export commands do; an output that cannot be written ends the run with 4.
int ExportStage(CliRun& run);

}  // namespace quillfen::cli
