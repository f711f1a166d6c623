#pragma once

#include "report_options.h"

namespace quillfen {

// The Options tab's sizing choice with its texts read as numbers.
struct SizingRule {
  SizingChoice choice = SizingChoice::original;
  bool mini = false;  // the lot kind whose limits and pip-value factor apply
  double count = 0;   // fixed number of lots
  double amount = 0;  // balance per lot step of a fixed-amount mode
  double minLots = 0;
  double maxLots = 0;
};

SizingRule ReadSizingRule(const ReportOptions& options);

// The lot count of one trade: the statement's lots, the fixed count or the
// balance-driven count, clamped with the limits of the rule's kind.
double LotsForTrade(const SizingRule& rule, double statementLots, double balanceBefore);

// Converts a statement's pip value between standard and mini lots: a pip value
// per lot of 5 or more marks a statement traded in standard lots.
double PipValueFactor(const SizingRule& rule, double pipValuePerLot);

}  // namespace quillfen
