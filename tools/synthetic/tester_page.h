#pragma once

#include "synthetic/page_writer.h"
#include "synthetic/tester_history.h"

namespace quillfen::synthetic {

// Writes the history as the terminal's Strategy Tester report.
void WriteTesterPage(PageWriter& out, const TesterHistory& history, long long initialCents);

}  // namespace quillfen::synthetic
