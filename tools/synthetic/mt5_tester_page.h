#pragma once

#include "synthetic/mt5_deals.h"
#include "synthetic/page_writer.h"

namespace quillfen::synthetic {

// A MetaTrader 5 Strategy Tester report of the history (its first symbol in
// the settings), in English or Japanese, as the terminal writes it: title,
// server, Settings, Results, Orders, Deals with a footer of totals.
void WriteMt5TesterPage(PageWriter& out, const Mt5History& history, bool japanese,
                        std::uint64_t seed);

}  // namespace quillfen::synthetic
