#include "synthetic/statement_history.h"

#include <algorithm>

namespace quillfen::synthetic {

namespace {

constexpr const char* kComments[] = {"", "grid_ea", "trend follower", "scalper_v2", "hedge"};
constexpr int kMagics[] = {0, 1001, 777, 20230115, 5421};

struct Builder {
  const HistoryOptions& options;
  Random random;
  StatementHistory history;
  long long ticket = 31000000;
  long long balance = 0;

  long long NextTicket() { return ticket += random.Between(1, 4); }

  long long Money(long long cents) const { return options.wholeMoney ? cents / 100 * 100 : cents; }

  void Label(Order& order) {
    if (!options.magic) return;
    order.magic = kMagics[random.Below(std::size(kMagics))];
    order.comment = kComments[random.Below(std::size(kComments))];
  }

  void AddBalance(Moment when, int kind) {
    Order order;
    order.type = OrderType::Balance;
    order.ticket = NextTicket();
    order.openTime = when;
    const long long base = options.depositCents;
    switch (kind % 6) {
      case 0:
        order.comment = "Deposit by wire";
        order.profit = Money(base / 10 * random.Between(1, 5));
        break;
      case 1:
        order.comment = "Withdrawal to card";
        order.profit = -Money(std::max(100LL, balance / 100 * random.Between(5, 20)));
        break;
      case 2:
        order.comment = "Interest on balance";
        order.profit = Money(random.Between(50, 2000));
        break;
      case 3:
        order.comment = "Fee";
        order.profit = -Money(random.Between(100, 2500));
        break;
      case 4:
        order.comment = "Rebate for volume";
        order.profit = Money(random.Between(100, 5000));
        break;
      default:  // a deposit without comment, as some brokers write them
        order.profit = Money(base / 10 * random.Between(1, 3));
        break;
    }
    balance += order.profit;
    history.closed.push_back(std::move(order));
  }

  Order TradeFrom(const TradeDraft& draft, int instrument) {
    Order order;
    order.type = draft.sell ? OrderType::Sell : OrderType::Buy;
    order.ticket = NextTicket();
    order.openTime = draft.openTime;
    order.instrument = instrument;
    order.lots = draft.lots;
    order.openPrice = draft.openPrice;
    order.stopLoss = draft.stopLoss;
    order.takeProfit = draft.takeProfit;
    order.closePrice = draft.closePrice;
    if (options.commission) order.commission = -Money(draft.lots * 7);
    if (options.taxes && random.Chance(0.1)) order.taxes = -Money(std::max(1, draft.lots / 2));
    Label(order);
    return order;
  }

  void AddClosedTrade(Moment when) {
    const int which = static_cast<int>(random.Below(history.instruments.size()));
    Instrument& instrument = history.instruments[which];
    const TradeDraft draft = DraftTrade(random, instrument, when);
    Order order = TradeFrom(draft, which);
    order.closeTime = draft.closeTime;
    const long long nights = (NextMidnight(draft.closeTime) - NextMidnight(draft.openTime)) / kDay;
    order.swap = Money(nights * draft.lots * (draft.sell ? 30 : -80) / 100);
    order.profit = ProfitCents(instrument, draft.sell, draft.lots, draft.openPrice,
                               draft.closePrice, options.wholeMoney);
    if (draft.exit == TradeDraft::Exit::TakeProfit && options.magic) order.comment += "[tp]";
    if (draft.exit == TradeDraft::Exit::StopLoss && options.magic) order.comment += "[sl]";
    balance += order.commission + order.taxes + order.swap + order.profit;
    history.closed.push_back(std::move(order));
  }

  Order Pending(Moment when) {
    const int which = static_cast<int>(random.Below(history.instruments.size()));
    const Instrument& instrument = history.instruments[which];
    static constexpr OrderType kinds[] = {OrderType::BuyLimit, OrderType::SellLimit,
                                          OrderType::BuyStop, OrderType::SellStop};
    Order order;
    order.type = kinds[random.Below(4)];
    order.ticket = NextTicket();
    order.openTime = when;
    order.instrument = which;
    order.lots = kLots[random.Below(std::size(kLots))];
    const bool below = order.type == OrderType::BuyLimit || order.type == OrderType::SellStop;
    const long long distance = instrument.hourlyMove * random.Between(2, 10);
    order.openPrice = std::max(1LL, instrument.price + (below ? -distance : distance));
    order.closePrice = instrument.price;
    Label(order);
    return order;
  }

  static constexpr int kLots[] = {1, 10, 50, 100};
};

}  // namespace

std::string_view TypeText(OrderType type) {
  switch (type) {
    case OrderType::Buy:
      return "buy";
    case OrderType::Sell:
      return "sell";
    case OrderType::BuyLimit:
      return "buy limit";
    case OrderType::SellLimit:
      return "sell limit";
    case OrderType::BuyStop:
      return "buy stop";
    case OrderType::SellStop:
      return "sell stop";
    case OrderType::Balance:
      return "balance";
  }
  return "";
}

StatementHistory MakeStatementHistory(const HistoryOptions& options) {
  Builder b{options, Random(options.seed), {}};
  for (const std::string& name : options.symbols)
    b.history.instruments.push_back(InstrumentFor(name));
  if (b.history.instruments.empty()) b.history.instruments.push_back(InstrumentFor("eurusd"));

  Moment now = kFirstMoment;
  Order first;
  first.type = OrderType::Balance;
  first.ticket = b.NextTicket();
  first.openTime = now;
  first.comment = "Deposit";
  first.profit = b.Money(options.depositCents);
  b.balance = first.profit;
  b.history.closed.push_back(std::move(first));

  const int slots = std::max(1, options.trades);
  int balanceKind = 0;
  for (int i = 0; i < options.trades || i == 0; ++i) {
    now = NextOpening(b.random, now);
    if (i < options.trades) b.AddClosedTrade(now);
    for (int k = ShareOf(options.balanceRows, i, slots); k > 0; --k) {
      b.AddBalance(now + kMinute, balanceKind++);
    }
    for (int k = ShareOf(options.pendingOrders, i, slots); k > 0; --k) {
      Order order = b.Pending(now + 2 * kMinute);
      order.closeTime = order.openTime + b.random.Between(5, 600) * kMinute;
      order.comment = "cancelled";
      b.history.closed.push_back(std::move(order));
    }
  }

  for (int i = 0; i < options.openTrades; ++i) {
    now = NextOpening(b.random, now);
    const int which = static_cast<int>(b.random.Below(b.history.instruments.size()));
    Instrument& instrument = b.history.instruments[which];
    const TradeDraft draft = DraftTrade(b.random, instrument, now);
    Order order = b.TradeFrom(draft, which);
    order.closePrice = instrument.price;
    order.profit = ProfitCents(instrument, draft.sell, draft.lots, draft.openPrice,
                               order.closePrice, options.wholeMoney);
    b.history.open.push_back(std::move(order));
  }
  for (int i = 0; i < options.workingOrders; ++i) {
    now = NextOpening(b.random, now);
    b.history.working.push_back(b.Pending(now));
  }
  Moment last = now;
  for (const Order& order : b.history.closed) last = std::max(last, order.closeTime);
  b.history.printedAt = last + 3 * kHour;
  return std::move(b.history);
}

}  // namespace quillfen::synthetic
