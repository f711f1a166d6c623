#pragma once

#include <string>

#include "messages.h"
#include "progress.h"
#include "report.h"

namespace quillfen {

// Opens (adding false) or adds (adding true) one statement file into a report:
// converts it, reads the converted text and, when adding, orders the combined
// table by ticket. False, with the report untouched, when the file cannot be
// read or is not a statement. Progress counts the lines read.
bool OpenStatementFile(Report& report, const std::string& path, bool adding, Progress& progress,
                       Messages& messages);

}  // namespace quillfen
