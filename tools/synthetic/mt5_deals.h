#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "synthetic/history.h"

namespace quillfen::synthetic {

// A MetaTrader 5 account's history as its deals: positions opened by "in"
// deals and closed by "out" deals, several for a partial close, "in out" for
// a reversal and a pair of "out by" for a close by the opposite position.

enum class Mt5DealType { buy, sell, balance };
enum class Mt5Direction { in, out, inOut, outBy };

std::string_view DirectionText(Mt5Direction direction);

struct Mt5DealRow {
  Moment time = 0;
  long long number = 0;
  Mt5DealType type = Mt5DealType::balance;
  Mt5Direction direction = Mt5Direction::in;
  int symbol = 0;  // into the history's instruments
  int volume = 0;  // hundredths of a lot
  long long price = 0;
  long long order = 0;
  long long cost = 0;  // cents; shown, never booked
  long long commission = 0;
  long long fee = 0;
  long long swap = 0;
  long long profit = 0;
  long long balance = 0;  // after the deal
  std::string comment;

  // What a closing deal ("out", "out by", the closing part of "in out")
  // closes: its trade's result in cents (profit, swap, commission and fee, its
  // share of the entry's included) and how long the position was held.
  bool closes = false;
  long long result = 0;
  Moment held = 0;
};

// A row of the Orders table, and of Working Orders while placed.
struct Mt5Order {
  Moment openTime = 0;
  Moment doneTime = 0;  // 0 while placed
  long long number = 0;
  int symbol = 0;
  std::string type;  // buy, sell, buy limit, ...
  int volume = 0;
  int filled = 0;
  long long price = 0;
  long long stopLoss = 0;  // 0 when none
  long long takeProfit = 0;
  std::string state;  // filled, canceled, placed
  std::string comment;
};

// A position as a history report lists it: closed, or still open at the end.
struct Mt5Position {
  long long id = 0;  // the order number of its entry
  int symbol = 0;
  bool sell = false;
  int volume = 0;  // all it held
  Moment openTime = 0;
  long long openPrice = 0;
  long long stopLoss = 0;
  long long takeProfit = 0;
  Moment closeTime = 0;
  long long closePrice = 0;  // the volume-weighted mean of its closes
  long long commission = 0;
  long long swap = 0;
  long long profit = 0;  // closed: its closes'; open: floating
  long long marketPrice = 0;
  std::string comment;
};

struct Mt5Options {
  int closes = 100;             // closing deals (trades), besides those of kept positions
  int keptOpen = 0;             // positions opened after them, open at the end
  bool closeKeptAtEnd = false;  // a tester closes them at its end
  int balanceDeals = 5;         // besides the first deposit
  int canceledOrders = 0;
  int workingOrders = 0;
  bool commission = false;
  bool fees = false;
  bool wholeMoney = false;
  long long depositCents = 1000000;
  std::vector<std::string> symbols{"EURUSD"};
  std::uint64_t seed = 1;
};

struct Mt5History {
  std::vector<Instrument> instruments;  // names upper case
  std::vector<Mt5DealRow> deals;        // in time order, the deposit first
  std::vector<Mt5Order> orders;         // by the time done
  std::vector<Mt5Order> working;
  std::vector<Mt5Position> positions;  // closed, by open time
  std::vector<Mt5Position> open;
  Moment from = 0;
  Moment to = 0;
};

Mt5History MakeMt5History(const Mt5Options& options);

}  // namespace quillfen::synthetic
