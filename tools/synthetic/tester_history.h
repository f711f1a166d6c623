#pragma once

#include <string_view>
#include <vector>

#include "synthetic/history.h"

namespace quillfen::synthetic {

enum class TesterAction {
  Buy,
  Sell,
  BuyLimit,
  SellLimit,
  BuyStop,
  SellStop,
  TakeProfit,
  StopLoss,
  Close,
  CloseAtStop,
  Modify,
  Delete,
  SwapClose,
  SwapOpen
};

std::string_view ActionText(TesterAction action);

// One line of the tester's order list.
struct TesterRow {
  Moment time = 0;
  TesterAction action = TesterAction::Buy;
  int order = 0;
  int lots = 0;  // hundredths
  long long price = 0;
  long long stopLoss = 0;
  long long takeProfit = 0;
  bool hasProfit = false;
  long long profit = 0;  // cents
  bool sell = false;     // the direction of the position the row belongs to
};

struct TesterHistory {
  Instrument instrument;
  std::vector<TesterRow> rows;  // in time order
  Moment from = 0;
  Moment to = 0;
};

// Rows of a test on the first symbol of the options.
TesterHistory MakeTesterHistory(const HistoryOptions& options);

}  // namespace quillfen::synthetic
