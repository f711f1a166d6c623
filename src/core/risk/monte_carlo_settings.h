#pragma once

#include <cstdint>

#include "report_options.h"

namespace quillfen {

enum class DepositSource { StatementDeposit, CustomDeposit };
enum class SizingMode {
  StatementSizing,
  FixedMiniLots,
  FixedStandardLots,
  FixedAmountMini,
  FixedAmountStandard
};

// The inputs of one simulation pass, read afresh from the window's boxes at
// the start of every pass.
struct MonteCarloSettings {
  std::int32_t runs = 0;
  std::int32_t tradesPerRun = 0;
  std::int32_t days = 0;
  bool daysMode = false;
  double winPercent = 0;
  double avgProfit = 0;
  double avgLoss = 0;  // entered positive; a losing trade changes the balance by its negation
  std::int32_t maxDrawdownLimit = 0;
  bool dollars = false;
  DepositSource depositSource = DepositSource::StatementDeposit;
  double customDeposit = 0;
  SizingMode sizingMode = SizingMode::StatementSizing;
  double miniLots = 0;
  double standardLots = 0;
  double miniAmount = 0;
  double standardAmount = 0;
  double minMiniLots = 0;
  double maxMiniLots = 0;
  double minStandardLots = 0;
  double maxStandardLots = 0;
  std::int32_t confidencePercent = 0;
};

// The simulation tab's boxes for the trading system, runs and modes; deposit,
// sizing and lot limits from the Options tab.
MonteCarloSettings ReadMonteCarloSettings(const ReportOptions& options);

}  // namespace quillfen
