#pragma once

#include <map>
#include <string>

#include "synthetic/mt5_deals.h"

namespace quillfen::synthetic {

// The Results block of a MetaTrader 5 report, English label (without its
// colon) → text as printed. The figures the trades give follow the
// terminal's rules: a trade is a closing deal, its result profit, swap,
// commission and fee with its entry's share; a result of 0.00 is a win;
// shares of counts round half to even, money and average run lengths half
// up; the balance drawdowns walk the results from the balance before the
// first trade. The rest (equity drawdowns, ratios, history quality, ...)
// are drawn to look like a terminal's.
using Mt5Results = std::map<std::string, std::string>;

Mt5Results Mt5ResultsOf(const Mt5History& history, std::uint64_t seed);

// "H:MM:SS", hours without limit, as holding times are printed.
std::string HoldingTime(Moment seconds);

}  // namespace quillfen::synthetic
