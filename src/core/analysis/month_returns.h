#pragma once

#include <span>
#include <vector>

#include "analysis/closed_trades.h"

namespace quillfen {

// One calendar month of closed trades. The return is in percent of the balance
// at the month's start, NaN when that balance is not above 0.
struct MonthResult {
  int year = 0;
  int month = 0;  // 1 to 12
  double profit = 0;
  double returnPercent = 0;
  int trades = 0;
  bool operator==(const MonthResult&) const = default;
};

// A year's months summed, and their returns compounded.
struct YearResult {
  int year = 0;
  double profit = 0;
  double returnPercent = 0;
  bool operator==(const YearResult&) const = default;
};

struct MonthlyReturns {
  std::vector<MonthResult> months;  // every month from the first trade's to the last's
  std::vector<YearResult> years;
  bool operator==(const MonthlyReturns&) const = default;
};

// The trades in close order; the balance starts at the deposit.
MonthlyReturns MonthlyReturnsOf(std::span<const ClosedTrade> byClose, double deposit);

}  // namespace quillfen
