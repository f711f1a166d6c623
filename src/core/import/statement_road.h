#pragma once

#include <string>

#include "import/report_statistics.h"
#include "import/trade_table.h"
#include "messages.h"
#include "progress.h"

namespace quillfen {

enum class ReadOutcome { read, notStatement, failed, outOfMemory };

struct StatementRead {
  ReadOutcome outcome = ReadOutcome::notStatement;
  std::string reason;   // why it failed, for the user
  std::string warning;  // what the user should know of a statement read
};

// Reads one statement file into the table (adding false: the table and the
// balance totals start afresh; true: the rows go after the stored trades and
// the totals grow). The file is converted on a second thread, into the working
// text file (none when its path is empty) and to the reader at once. When the file is no statement,
// or anything fails on the way (the working file cannot be written whole, the source cannot be
// read, memory runs out), the table and the totals are left as they were when adding, and empty
// when opening. A page that lacks its closing tag is read with a warning.
StatementRead ConvertAndReadStatement(TradeTable& table, ReportStatistics& stats,
                                      const std::string& path, const std::string& workingFile,
                                      bool adding, Progress& progress, Messages& messages);

}  // namespace quillfen
