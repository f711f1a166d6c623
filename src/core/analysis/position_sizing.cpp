#include "analysis/position_sizing.h"

#include <cmath>

#include "text/text_conversions.h"

namespace quillfen {

SizingRule ReadSizingRule(const ReportOptions& options) {
  SizingRule rule;
  rule.choice = options.sizing;
  switch (options.sizing) {
    case SizingChoice::miniLots:
      rule.mini = true;
      rule.count = TextToAmount(options.miniContractsText);
      break;
    case SizingChoice::standardLots:
      rule.count = TextToAmount(options.standardContractsText);
      break;
    case SizingChoice::miniAmount:
      rule.mini = true;
      rule.amount = TextToAmount(options.miniAmountText);
      break;
    case SizingChoice::standardAmount:
      rule.amount = TextToAmount(options.standardAmountText);
      break;
    case SizingChoice::original:
      break;  // clamped with the standard-lot limits
  }
  rule.minLots = TextToAmount(rule.mini ? options.minMiniLotsText : options.minStandardLotsText);
  rule.maxLots = TextToAmount(rule.mini ? options.maxMiniLotsText : options.maxStandardLotsText);
  return rule;
}

double LotsForTrade(const SizingRule& rule, double statementLots, double balanceBefore) {
  double lots = statementLots;
  if (rule.choice == SizingChoice::miniLots || rule.choice == SizingChoice::standardLots) {
    lots = rule.count;
  } else if (rule.choice == SizingChoice::miniAmount ||
             rule.choice == SizingChoice::standardAmount) {
    // A zero amount or step gives a quotient that is not finite; it counts as 0 steps.
    double steps = balanceBefore / rule.amount / rule.minLots;
    lots = std::isfinite(steps) ? rule.minLots * std::trunc(steps) : 0;
  }
  if (rule.minLots > lots) lots = rule.minLots;
  if (!(lots <= rule.maxLots)) lots = rule.maxLots;
  return lots;
}

double PipValueFactor(const SizingRule& rule, double pipValuePerLot) {
  if (rule.choice == SizingChoice::original) return 1;
  if (rule.mini && pipValuePerLot >= 5) return 0.1;
  if (!rule.mini && pipValuePerLot < 5) return 10;
  return 1;
}

}  // namespace quillfen
