#pragma once

#include <cstdint>

#include "risk/monte_carlo_settings.h"

namespace quillfen {

// What every trade of a pass needs, worked out once per pass.
struct TradeModel {
  double deposit = 0;  // balance and peak at the start of every run
  double floorDeposit =
      0;  // D, the deposit truncated: a run whose balance falls below is not perfect
  std::int32_t tradesPerRun = 0;
  std::uint32_t winBelow = 0;  // draw words below this win
  double drawdownLimit = 0;    // percent of the running peak
  // Fixed-amount sizing in pips: the lots follow the balance trade by trade.
  bool compounding = false;
  // Otherwise every win and every loss changes the balance by the same amount.
  double winChange = 0;
  double lossChange = 0;
  // Compounding: lots = trunc(balance / amountPerLot) within the limits, and a
  // trade changes the balance by lots × (winAmount or lossAmount) × unitFactor.
  double amountPerLot = 0;
  double minLots = 0;
  double maxLots = 0;
  double unitFactor = 1;  // 10 for standard lots, whose pips are worth ten mini pips
  double winAmount = 0;
  double lossAmount = 0;
};

// Cuts a lot count to the maximum, then raises a count of zero or less (or
// NaN) to the minimum; a count between 0 and the minimum stays.
double LimitLots(double lots, double minLots, double maxLots);

// The model of a pass over settings whose deposit is already chosen;
// statementMiniLots is the lot kind under statement sizing.
TradeModel MakeTradeModel(const MonteCarloSettings& settings, double deposit,
                          std::int32_t tradesPerRun, bool statementMiniLots);

}  // namespace quillfen
