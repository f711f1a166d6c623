#pragma once

#include "cli_run.h"

namespace quillfen::cli {

void AddOpenOptions(CLI::App& app, CliOptions& options);

// Opens the first FILE as Open report does and adds the others as Add report
// does. The working text file lives in a private folder removed afterwards.
int OpenStage(CliRun& run);

}  // namespace quillfen::cli
