#pragma once

#include <cstdio>
#include <string>

#include "import/text_pipe.h"
#include "messages.h"
#include "progress.h"
#include "report.h"

namespace quillfen {

// Reads the working text file (or any stream of converted text) into the report's trade table and
// balance totals. adding is false for the first statement of a report (the totals start from 0) and
// true for one added to it (rows go after the stored trades, totals grow).
void ReadStatement(Report& report, std::FILE* text, bool adding, Progress& progress,
                   Messages& messages);
void ReadStatement(Report& report, const std::string& textPath, bool adding, Progress& progress,
                   Messages& messages);
// Reads what a converter writes into the pipe. While the pipe waits for text,
// the rows read so far are finished, which leaves less to do at the end.
void ReadStatement(Report& report, TextPipe& pipe, bool adding, Progress& progress,
                   Messages& messages);

}  // namespace quillfen
