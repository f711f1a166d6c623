#pragma once

#include "synthetic/page_language.h"
#include "synthetic/page_writer.h"
#include "synthetic/statement_history.h"

namespace quillfen::synthetic {

struct StatementLayout {
  bool taxes = true;    // the Taxes column of newer terminals
  bool seconds = true;  // times with seconds
  bool magic = false;   // magic number and comment lines under each order
};

// Writes the history as the terminal's detailed account statement, in English
// or in the given language.
void WriteStatementPage(PageWriter& out, const StatementHistory& history,
                        const StatementLayout& layout, long long initialCents);
void WriteStatementPage(PageWriter& out, const StatementHistory& history,
                        const StatementLayout& layout, long long initialCents,
                        const PageLanguage& language);

}  // namespace quillfen::synthetic
