#pragma once

#include <cstddef>

#include "import/report_statistics.h"
#include "import/trade_table.h"
#include "io/text_pipe.h"
#include "messages.h"
#include "progress.h"

namespace quillfen {

// Reads the converted text of a statement, as a converter writes it into the
// pipe, into the trade table and the balance totals. adding is false for the
// first statement of a report (the totals start from 0) and true for one added
// to it (rows go after the stored trades, totals grow). While the pipe waits
// for text, the rows read so far are finished, which leaves less to do at the end.
// The rows of a MetaTrader 5 report are split on a second thread, linesPerBatch
// lines at a time, once a page has more lines than that.
inline constexpr std::size_t kLinesPerBatch = 1024;
void ReadStatement(TradeTable& table, ReportStatistics& stats, TextPipe& pipe, bool adding,
                   Progress& progress, Messages& messages,
                   std::size_t linesPerBatch = kLinesPerBatch);

}  // namespace quillfen
