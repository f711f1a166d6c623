#include "risk/monte_carlo_settings.h"

#include "text/text_conversions.h"

namespace quillfen {

namespace {

SizingMode SizingOf(SizingChoice choice) {
  switch (choice) {
    case SizingChoice::miniLots:
      return SizingMode::FixedMiniLots;
    case SizingChoice::standardLots:
      return SizingMode::FixedStandardLots;
    case SizingChoice::miniAmount:
      return SizingMode::FixedAmountMini;
    case SizingChoice::standardAmount:
      return SizingMode::FixedAmountStandard;
    case SizingChoice::original:
      break;
  }
  return SizingMode::StatementSizing;
}

}  // namespace

MonteCarloSettings ReadMonteCarloSettings(const ReportOptions& options) {
  const SimulationOptions& panel = options.simulation;
  MonteCarloSettings s;
  s.runs = TextToWhole(panel.numRunsText);
  s.tradesPerRun = TextToWhole(panel.numTradesText);
  s.days = TextToWhole(panel.numDaysText);
  s.daysMode = panel.daysMode;
  s.winPercent = TextToAmount(panel.percWinsText);
  s.avgProfit = TextToAmount(panel.avgProfitText);
  s.avgLoss = TextToAmount(panel.avgLossText);
  s.maxDrawdownLimit = TextToWhole(panel.maxDrawdownText);
  s.dollars = panel.dollars;
  s.confidencePercent = TextToWhole(panel.accuracyText);
  s.depositSource = options.deposit == DepositChoice::statement ? DepositSource::StatementDeposit
                                                                : DepositSource::CustomDeposit;
  s.customDeposit = TextToAmount(options.depositText);
  s.sizingMode = SizingOf(options.sizing);
  s.miniLots = TextToAmount(options.miniContractsText);
  s.standardLots = TextToAmount(options.standardContractsText);
  s.miniAmount = TextToAmount(options.miniAmountText);
  s.standardAmount = TextToAmount(options.standardAmountText);
  s.minMiniLots = TextToAmount(options.minMiniLotsText);
  s.maxMiniLots = TextToAmount(options.maxMiniLotsText);
  s.minStandardLots = TextToAmount(options.minStandardLotsText);
  s.maxStandardLots = TextToAmount(options.maxStandardLotsText);
  return s;
}

}  // namespace quillfen
