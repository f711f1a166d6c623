#include "risk/trade_model.h"

#include <cmath>

#include "risk/draw_stream.h"

namespace quillfen {

double LimitLots(double lots, double minLots, double maxLots) {
  if (maxLots < lots) lots = maxLots;
  if (!(lots > 0)) lots = minLots;
  return lots;
}

TradeModel MakeTradeModel(const MonteCarloSettings& settings, double deposit,
                          std::int32_t tradesPerRun, bool statementMiniLots) {
  TradeModel model;
  model.deposit = deposit;
  model.floorDeposit = std::trunc(deposit);
  model.tradesPerRun = tradesPerRun;
  model.winBelow = WinningWordsBelow(settings.winPercent);
  model.drawdownLimit = settings.maxDrawdownLimit;
  model.winAmount = settings.avgProfit;
  model.lossAmount = -settings.avgLoss;

  bool mini = statementMiniLots;
  double lots = 1;
  switch (settings.sizingMode) {
    case SizingMode::StatementSizing:
      break;
    case SizingMode::FixedMiniLots:
      mini = true;
      lots = settings.miniLots;
      break;
    case SizingMode::FixedStandardLots:
      mini = false;
      lots = settings.standardLots;
      break;
    case SizingMode::FixedAmountMini:
      mini = true;
      model.compounding = true;
      model.amountPerLot = settings.miniAmount;
      break;
    case SizingMode::FixedAmountStandard:
      mini = false;
      model.compounding = true;
      model.amountPerLot = settings.standardAmount;
      break;
  }
  model.minLots = mini ? settings.minMiniLots : settings.minStandardLots;
  model.maxLots = mini ? settings.maxMiniLots : settings.maxStandardLots;
  model.unitFactor = mini ? 1 : 10;

  if (settings.dollars) {
    // Dollar results ignore the position size.
    model.compounding = false;
    model.winChange = model.winAmount;
    model.lossChange = model.lossAmount;
  } else if (!model.compounding) {
    lots = LimitLots(lots, model.minLots, model.maxLots);
    model.winChange = lots * model.winAmount * model.unitFactor;
    model.lossChange = lots * model.lossAmount * model.unitFactor;
  }
  return model;
}

}  // namespace quillfen
