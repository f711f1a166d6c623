#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "synthetic/calendar.h"
#include "synthetic/instrument.h"
#include "synthetic/random.h"

namespace quillfen::synthetic {

// What to put into a generated statement or tester report.
struct HistoryOptions {
  int trades = 100;
  std::vector<std::string> symbols{"eurusd", "usdjpy", "xauusd"};
  int balanceRows = 5;  // besides the opening deposit
  bool magic = false;
  int openTrades = 0;
  int pendingOrders = 0;  // cancelled (statement) or deleted (tester)
  int workingOrders = 0;
  bool taxes = true;
  bool commission = false;
  int swapReopenings = 0;
  int modifications = 0;
  int closedAtStop = 0;
  long long depositCents = 1000000;
  bool wholeMoney = false;
  std::uint64_t seed = 1;
};

// One position as drawn: where it opened, where and how it left the market.
struct TradeDraft {
  enum class Exit { TakeProfit, StopLoss, Market };
  bool sell = false;
  int lots = 0;  // hundredths of a lot
  Moment openTime = 0;
  Moment closeTime = 0;
  long long openPrice = 0;  // prices in points
  long long stopLoss = 0;   // 0 when none was set
  long long takeProfit = 0;
  long long closePrice = 0;
  Exit exit = Exit::Market;
};

constexpr Moment kFirstMoment = 1672646400;  // 2023.01.02 08:00, a Monday

// The next opening after `previous`: minutes to hours later, never at a weekend.
Moment NextOpening(Random& random, Moment previous);
// Draws a position opened now at the instrument's price, and moves that price on.
TradeDraft DraftTrade(Random& random, Instrument& instrument, Moment openTime);
long long ProfitCents(const Instrument& instrument, bool sell, int lots, long long openPrice,
                      long long closePrice, bool wholeMoney);
// A price between the open and close of a position, at `moment` between its times.
long long PriceAt(const TradeDraft& draft, Moment moment);
// How many of `total` items fall to slot `index` of `slots`, spread evenly.
int ShareOf(int total, int index, int slots);

}  // namespace quillfen::synthetic
