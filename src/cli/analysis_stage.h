#pragma once

#include "cli_run.h"

namespace quillfen::cli {

// --summary, the Options tab's values, the selections, and the sorts and
// deletions in command-line order.
void AddAnalysisOptions(CLI::App& app, CliOptions& options);

// Puts the option values into the report before anything is read, so the
// first refresh already computes under them. Each later stage passes them on
// as they stand, with its own options' changes.
int PrepareStage(CliRun& run);

// The display filter, then the symbol and magic selections; the figures
// follow whichever changed the grids last.
int SelectionStage(CliRun& run);

// The sorts and deletions, in the order given.
int TableEditStage(CliRun& run);

// Says how many closed trades the months and drawdown episodes left out for
// a close date that cannot be read.
int LeftOutClosesStage(CliRun& run);

// Every figure under its field name, the summary lines, both grids and both lists.
int AnalysisJsonStage(CliRun& run);

// Prints the summary when asked for, or when no other output is.
int SummaryOutputStage(CliRun& run);

}  // namespace quillfen::cli
