#pragma once

#include <string>
#include <vector>

#include "synthetic/history.h"

namespace quillfen::synthetic {

enum class OrderType { Buy, Sell, BuyLimit, SellLimit, BuyStop, SellStop, Balance };

std::string_view TypeText(OrderType type);

// One row of an account statement: a trade, a balance operation or a pending order.
struct Order {
  OrderType type = OrderType::Buy;
  long long ticket = 0;
  Moment openTime = 0;
  Moment closeTime = 0;  // 0 while open or working
  int instrument = 0;
  int lots = 0;  // hundredths
  long long openPrice = 0;
  long long stopLoss = 0;
  long long takeProfit = 0;
  long long closePrice = 0;  // the market price for open trades and working orders
  long long commission = 0;  // cents
  long long taxes = 0;
  long long swap = 0;
  long long profit = 0;  // the amount of a balance operation
  int magic = 0;         // 0 when none
  std::string comment;
};

struct StatementHistory {
  std::vector<Instrument> instruments;
  std::vector<Order> closed;  // trades, balance operations and cancelled orders, in file order
  std::vector<Order> open;
  std::vector<Order> working;
  Moment printedAt = 0;
};

StatementHistory MakeStatementHistory(const HistoryOptions& options);

}  // namespace quillfen::synthetic
