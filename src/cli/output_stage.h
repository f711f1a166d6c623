#pragma once

#include "cli_run.h"

namespace quillfen::cli {

void AddOutputOptions(CLI::App& app, CliOptions& options);

// Fills the import's parts of the JSON object: messages, tableRows, statements.
int ImportJsonStage(CliRun& run);

// Prints what the options ask for: the trade table and/or the JSON object.
int OutputStage(CliRun& run);

}  // namespace quillfen::cli
