#pragma once

#include "synthetic/page_language.h"
#include "synthetic/page_writer.h"
#include "synthetic/tester_history.h"

namespace quillfen::synthetic {

// Writes the history as the terminal's Strategy Tester report, in English or
// in the given language.
void WriteTesterPage(PageWriter& out, const TesterHistory& history, long long initialCents);
void WriteTesterPage(PageWriter& out, const TesterHistory& history, long long initialCents,
                     const PageLanguage& language);

}  // namespace quillfen::synthetic
