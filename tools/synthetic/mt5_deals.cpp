#include "synthetic/mt5_deals.h"

#include <algorithm>
#include <array>
#include <deque>
#include <limits>
#include <map>
#include <queue>

namespace quillfen::synthetic {

namespace {

constexpr int kLotChoices[] = {1, 2, 5, 10, 10, 20, 30, 50, 100};
constexpr Moment kNever = std::numeric_limits<Moment>::max() / 2;
// Per hundredth of a lot and deal side: 3.00 a lot commission, 1.00 a lot fee.
constexpr long long kCommissionRate = 3;
constexpr long long kFeeRate = 1;
constexpr const char* kEntryComments[] = {"grid_ea", "trend follower", "scalper_v2", "hedge"};

struct Held {
  long long id = 0;
  int symbol = 0;
  TradeDraft draft;
  int remaining = 0;
  int piecesLeft = 0;
  bool kept = false;
  long long entryCommission = 0;  // left to take, cents
  long long entryFee = 0;
  Mt5Position listed;  // what a history report lists of it
  long long priceVolume = 0;
  int closedVolume = 0;
};

struct Wake {
  Moment time;
  long long sequence;
  int held;
  bool operator>(const Wake& other) const {
    return time != other.time ? time > other.time : sequence > other.sequence;
  }
};

// A reversal's opposite position is drawn as any other, then turned round.
void Mirror(TradeDraft& draft) {
  auto turn = [&](long long& price) {
    if (price != 0) price = std::max<long long>(1, 2 * draft.openPrice - price);
  };
  turn(draft.stopLoss);
  turn(draft.takeProfit);
  turn(draft.closePrice);
  draft.sell = !draft.sell;
}

class Mt5Builder {
 public:
  explicit Mt5Builder(const Mt5Options& options) : o_(options), random_(options.seed) {
    for (const std::string& name :
         o_.symbols.empty() ? std::vector<std::string>{"EURUSD"} : o_.symbols) {
      Instrument instrument = InstrumentFor(name);
      for (char& c : instrument.name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      h_.instruments.push_back(instrument);
      swapRates_.push_back({-random_.Between(1, 3), random_.Between(-2, 1)});
    }
  }

  Mt5History Build() {
    Moment now = kFirstMoment;
    h_.from = now - kDay;
    Balance(now - kHour, o_.depositCents, "");
    const int target = std::max(0, o_.closes);
    const int step = std::max(1, target / (o_.balanceDeals + 1));
    int balanceLeft = std::max(0, o_.balanceDeals);
    int canceledLeft = std::max(0, o_.canceledOrders);
    const int canceledStep = std::max(1, target / (canceledLeft + 1));
    int kept = std::max(0, o_.keptOpen);
    for (int i = 0; planned_ < target || kept > 0; ++i) {
      now = NextOpening(random_, now);
      WakeUntil(now);
      if (balanceLeft > 0 && i > 0 && i % step == 0) {
        LaterBalance(now);
        --balanceLeft;
      }
      if (canceledLeft > 0 && i % canceledStep == 0) {
        Canceled(now);
        --canceledLeft;
      }
      // A reversal among the closes due may have planned the last trade.
      if (planned_ < target) {
        Open(now, std::min(DrawPieces(), target - planned_), false);
      } else if (kept > 0) {
        Open(now, 1, true);
        --kept;
      }
    }
    while (!wakes_.empty()) {
      now = std::max(now, wakes_.top().time);
      WakeUntil(wakes_.top().time);
    }
    for (; balanceLeft > 0; --balanceLeft) LaterBalance(now += kHour);
    for (; canceledLeft > 0; --canceledLeft) Canceled(now += kHour);
    h_.to = now + kHour;
    EndOpenPositions();
    for (int k = 0; k < o_.workingOrders; ++k) Working(h_.to - (k + 1) * 17 * kMinute);
    std::stable_sort(h_.orders.begin(), h_.orders.end(),
                     [](const Mt5Order& a, const Mt5Order& b) { return a.doneTime < b.doneTime; });
    std::stable_sort(h_.positions.begin(), h_.positions.end(),
                     [](const Mt5Position& a, const Mt5Position& b) {
                       return a.openTime != b.openTime ? a.openTime < b.openTime : a.id < b.id;
                     });
    return std::move(h_);
  }

 private:
  using Key = std::pair<int, bool>;  // symbol, sell

  int DrawPieces() {
    if (!random_.Chance(0.15)) return 1;
    return static_cast<int>(random_.Between(2, 3));
  }

  long long Money(long long cents) const { return o_.wholeMoney ? cents / 100 * 100 : cents; }

  void Book(Mt5DealRow& deal) {
    deal.number = ++deals_;
    balance_ += deal.profit + deal.swap + deal.commission + deal.fee;
    deal.balance = balance_;
    h_.deals.push_back(deal);
  }

  void Balance(Moment time, long long cents, std::string comment) {
    Mt5DealRow deal;
    deal.time = time;
    deal.type = Mt5DealType::balance;
    deal.profit = cents;
    deal.comment = std::move(comment);
    Book(deal);
  }

  void LaterBalance(Moment now) {
    if (random_.Chance(0.6)) {
      Balance(now, Money(random_.Between(5, 50) * 10000), "Deposit");
    } else {
      const long long most = std::max<long long>(100, balance_ / 4);
      Balance(now, -Money(std::min(most, random_.Between(1, 20) * 10000)), "Withdrawal");
    }
  }

  void AddOrder(Moment open, Moment done, long long number, int symbol, std::string type,
                int volume, int filled, long long price, const TradeDraft* draft, std::string state,
                std::string comment) {
    Mt5Order order;
    order.openTime = open;
    order.doneTime = done;
    order.number = number;
    order.symbol = symbol;
    order.type = std::move(type);
    order.volume = volume;
    order.filled = filled;
    order.price = price;
    if (draft != nullptr) {
      order.stopLoss = draft->stopLoss;
      order.takeProfit = draft->takeProfit;
    }
    order.state = std::move(state);
    order.comment = std::move(comment);
    (done == 0 ? h_.working : h_.orders).push_back(std::move(order));
  }

  long long PendingPrice(const Instrument& instrument, const std::string& type) {
    const bool below = type == "buy limit" || type == "sell stop";
    const long long distance = instrument.hourlyMove * random_.Between(2, 10);
    return std::max(1LL, instrument.price + (below ? -distance : distance));
  }

  std::string PendingType() {
    static constexpr const char* kinds[] = {"buy limit", "sell limit", "buy stop", "sell stop"};
    return kinds[random_.Below(4)];
  }

  void Canceled(Moment now) {
    const int symbol =
        static_cast<int>(random_.Below(static_cast<long long>(h_.instruments.size())));
    const std::string type = PendingType();
    AddOrder(now, now + random_.Between(10, 600) * kMinute, ++orders_, symbol, type, 10, 0,
             PendingPrice(h_.instruments[symbol], type), nullptr, "canceled", "");
  }

  void Working(Moment placed) {
    const int symbol =
        static_cast<int>(random_.Below(static_cast<long long>(h_.instruments.size())));
    const std::string type = PendingType();
    AddOrder(placed, 0, ++orders_, symbol, type, 10, 0, PendingPrice(h_.instruments[symbol], type),
             nullptr, "placed", "");
  }

  // Opens a position now, to be closed in `pieces` deals; the closes of a
  // symbol's positions of one direction come in the order they opened, so
  // that first in first out pairs each close with its own entry.
  int Open(Moment now, int pieces, bool kept, const TradeDraft* drawn = nullptr,
           Mt5DealRow* reversal = nullptr) {
    Held p;
    p.symbol = reversal != nullptr
                   ? reversal->symbol
                   : static_cast<int>(random_.Below(static_cast<long long>(h_.instruments.size())));
    Instrument& instrument = h_.instruments[p.symbol];
    p.draft = drawn != nullptr ? *drawn : DraftTrade(random_, instrument, now);
    // A trader risks less as the balance falls: a hundredth of a lot for each
    // 200.00 at most; each close takes a hundredth at least.
    if (drawn == nullptr)
      p.draft.lots = static_cast<int>(std::min<long long>(p.draft.lots, balance_ / 20000));
    p.draft.lots = std::max(p.draft.lots, pieces);
    p.remaining = p.draft.lots;
    p.piecesLeft = pieces;
    p.kept = kept;
    p.entryCommission = o_.commission ? Money(-kCommissionRate * p.remaining) : 0;
    p.entryFee = o_.fees ? Money(-kFeeRate * p.remaining) : 0;
    const std::string comment = kEntryComments[random_.Below(4)];
    if (reversal == nullptr) {
      Mt5DealRow deal;
      deal.time = now;
      deal.type = p.draft.sell ? Mt5DealType::sell : Mt5DealType::buy;
      deal.direction = Mt5Direction::in;
      deal.symbol = p.symbol;
      deal.volume = p.remaining;
      deal.price = p.draft.openPrice;
      deal.order = ++orders_;
      deal.cost = -Money(random_.Between(0, 3) * p.remaining);
      deal.commission = p.entryCommission;
      deal.fee = p.entryFee;
      deal.comment = comment;
      Book(deal);
      p.id = deal.order;
      AddOrder(now, now, deal.order, p.symbol, p.draft.sell ? "sell" : "buy", p.remaining,
               p.remaining, deal.price, &p.draft, "filled", comment);
    } else {
      p.id = reversal->order;
    }
    Mt5Position& listed = p.listed;
    listed.id = p.id;
    listed.symbol = p.symbol;
    listed.sell = p.draft.sell;
    listed.volume = p.remaining;
    listed.openTime = now;
    listed.openPrice = p.draft.openPrice;
    listed.stopLoss = p.draft.stopLoss;
    listed.takeProfit = p.draft.takeProfit;
    listed.commission = p.entryCommission;
    listed.comment = reversal != nullptr ? reversal->comment : comment;

    const Key key{p.symbol, p.draft.sell};
    Moment& lastClose = lastClose_[key];
    const int index = static_cast<int>(held_.size());
    if (kept) {
      lastClose = kNever;
      if (o_.closeKeptAtEnd) keptAtEnd_.push_back(index);
    } else {
      planned_ += pieces;
      const Moment earliest = std::max(now, lastClose) + random_.Between(1, 600);
      const Moment last = std::max(p.draft.closeTime, earliest + pieces * kMinute);
      for (int k = 0; k < pieces; ++k) {
        wakes_.push({earliest + (last - earliest) * (k + 1) / pieces, sequence_++, index});
      }
      lastClose = last;
    }
    queues_[key].push_back(index);
    held_.push_back(std::move(p));
    return index;
  }

  void WakeUntil(Moment limit) {
    while (!wakes_.empty() && wakes_.top().time <= limit) {
      const Wake wake = wakes_.top();
      wakes_.pop();
      Held& p = held_[wake.held];
      if (p.piecesLeft == 0) continue;  // an earlier close by took its last piece
      if (queues_[{p.symbol, p.draft.sell}].front() != wake.held) {
        wakes_.push({wake.time + kMinute, sequence_++, wake.held});
        continue;
      }
      Due(wake.time, wake.held);
    }
  }

  long long PriceAtClose(const Held& p, Moment time, bool last) const {
    if (last && time >= p.draft.closeTime) return p.draft.closePrice;
    return std::max(1LL, PriceAt(p.draft, std::min(time, p.draft.closeTime)));
  }

  void Due(Moment time, int index) {
    Held& p = held_[index];
    const bool last = p.piecesLeft == 1;
    if (last && random_.Chance(0.05) && CloseBy(time, index)) return;
    if (last && random_.Chance(0.05) && Reverse(time, index)) return;
    int volume = p.remaining;
    std::string comment;
    if (!last) {
      volume = std::clamp(p.remaining * static_cast<int>(random_.Between(30, 60)) / 100, 1,
                          p.remaining - (p.piecesLeft - 1));
      comment = "partial close";
    }
    const long long price = PriceAtClose(p, time, last);
    if (last && price == p.draft.takeProfit) comment = "tp " + PriceText(p, price);
    if (last && price == p.draft.stopLoss) comment = "sl " + PriceText(p, price);
    Mt5DealRow deal = Closing(time, index, volume, price, Mt5Direction::out, 0);
    deal.order = ++orders_;
    deal.comment = comment;
    AddOrder(time, time, deal.order, p.symbol, DealTypeText(deal.type), volume, volume, price,
             nullptr, "filled", comment);
    Book(deal);
  }

  std::string PriceText(const Held& p, long long price) const {
    std::string text = std::to_string(price);
    const int digits = h_.instruments[p.symbol].digits;
    while (static_cast<int>(text.size()) <= digits) text.insert(0, 1, '0');
    text.insert(text.size() - static_cast<std::size_t>(digits), 1, '.');
    return text;
  }

  static std::string DealTypeText(Mt5DealType type) {
    return type == Mt5DealType::buy ? "buy" : "sell";
  }

  // The deal that closes `volume` of the position: the type opposite to it,
  // its profit, swap, commission and fee, and the entry's share of its own.
  // `opening` is volume the same deal opens the other way ("in out").
  Mt5DealRow Closing(Moment time, int index, int volume, long long price, Mt5Direction direction,
                     int opening) {
    Held& p = held_[index];
    const Instrument& instrument = h_.instruments[p.symbol];
    Mt5DealRow deal;
    deal.time = time;
    deal.type = p.draft.sell ? Mt5DealType::buy : Mt5DealType::sell;
    deal.direction = direction;
    deal.symbol = p.symbol;
    deal.volume = volume + opening;
    deal.price = price;
    deal.cost = -Money(random_.Between(0, 3) * deal.volume);
    deal.profit =
        ProfitCents(instrument, p.draft.sell, volume, p.draft.openPrice, price, o_.wholeMoney);
    const long long nights = time / kDay - p.listed.openTime / kDay;
    deal.swap = Money(nights * swapRates_[p.symbol][p.draft.sell ? 1 : 0] * volume);
    const long long commission = o_.commission ? Money(-kCommissionRate * volume) : 0;
    const long long fee = o_.fees ? Money(-kFeeRate * volume) : 0;
    deal.commission = commission + (o_.commission ? Money(-kCommissionRate * opening) : 0);
    deal.fee = fee + (o_.fees ? Money(-kFeeRate * opening) : 0);
    const long long entryCommission = p.entryCommission * volume / p.remaining;
    const long long entryFee = p.entryFee * volume / p.remaining;
    deal.closes = true;
    deal.result = deal.profit + deal.swap + commission + fee + entryCommission + entryFee;
    deal.held = time - p.listed.openTime;

    p.entryCommission -= entryCommission;
    p.entryFee -= entryFee;
    p.remaining -= volume;
    --p.piecesLeft;
    Mt5Position& listed = p.listed;
    listed.commission += commission;
    listed.swap += deal.swap;
    listed.profit += deal.profit;
    listed.closeTime = time;
    p.priceVolume += price * volume;
    p.closedVolume += volume;
    if (p.remaining == 0) {
      p.piecesLeft = 0;
      listed.closePrice = (2 * p.priceVolume + p.closedVolume) / (2 * p.closedVolume);
      h_.positions.push_back(listed);
      std::deque<int>& queue = queues_[{p.symbol, p.draft.sell}];
      queue.erase(std::find(queue.begin(), queue.end(), index));
    }
    return deal;
  }

  // Closes the position by the first open one of the other direction, each at
  // the other's opening price: two "out by" deals of one order.
  bool CloseBy(Moment time, int index) {
    const Held& p = held_[index];
    const std::deque<int>& others = queues_[{p.symbol, !p.draft.sell}];
    if (others.empty()) return false;
    const int other = others.front();
    const Held& q = held_[other];
    // It takes one of the other's closes, and leaves a hundredth of a lot at
    // least for each close the other has left.
    const bool fits = (q.remaining == p.remaining && q.piecesLeft == 1) ||
                      (q.piecesLeft >= 2 && q.remaining - p.remaining >= q.piecesLeft - 1);
    if (q.kept || q.piecesLeft == 0 || !fits) return false;
    const long long order = ++orders_;
    const int volume = p.remaining;
    const long long pId = p.id, qId = q.id;
    const long long pOpen = p.draft.openPrice, qOpen = q.draft.openPrice;
    Mt5DealRow first = Closing(time, index, volume, qOpen, Mt5Direction::outBy, 0);
    Mt5DealRow second = Closing(time, other, volume, pOpen, Mt5Direction::outBy, 0);
    first.order = second.order = order;
    first.comment = "close #" + std::to_string(pId) + " by " + std::to_string(qId);
    second.comment = first.comment;
    AddOrder(time, time, order, first.symbol, "close by", volume, volume, qOpen, nullptr, "filled",
             first.comment);
    Book(first);
    Book(second);
    return true;
  }

  // Turns a position round: one "in out" deal closes it and opens the other
  // way, when it is its symbol's only one of its direction and a trade is left
  // to plan.
  bool Reverse(Moment time, int index) {
    const Held& p = held_[index];
    if (planned_ >= o_.closes || queues_[{p.symbol, p.draft.sell}].size() != 1) return false;
    Instrument& instrument = h_.instruments[p.symbol];
    const long long price = PriceAtClose(p, time, true);
    instrument.price = price;
    TradeDraft drawn = DraftTrade(random_, instrument, time);
    if (drawn.sell == p.draft.sell) Mirror(drawn);
    drawn.lots = kLotChoices[random_.Below(std::size(kLotChoices))];
    Mt5DealRow deal = Closing(time, index, p.remaining, price, Mt5Direction::inOut, drawn.lots);
    deal.order = ++orders_;
    deal.comment = "reverse";
    AddOrder(time, time, deal.order, deal.symbol, DealTypeText(deal.type), deal.volume, deal.volume,
             price, &drawn, "filled", deal.comment);
    Book(deal);
    Open(time, 1, false, &drawn, &deal);
    return true;
  }

  // A tester closes what is open at its end; an account keeps it, its
  // floating profit and swap at the last price.
  void EndOpenPositions() {
    for (int index : keptAtEnd_) {
      Held& p = held_[index];
      const long long price = h_.instruments[p.symbol].price;
      Mt5DealRow deal = Closing(h_.to, index, p.remaining, price, Mt5Direction::out, 0);
      deal.order = ++orders_;
      deal.comment = "end of test";
      AddOrder(h_.to, h_.to, deal.order, p.symbol, DealTypeText(deal.type), deal.volume,
               deal.volume, price, nullptr, "filled", deal.comment);
      Book(deal);
    }
    for (Held& p : held_) {
      if (p.remaining == 0) continue;
      const Instrument& instrument = h_.instruments[p.symbol];
      Mt5Position listed = p.listed;
      listed.marketPrice = instrument.price;
      listed.profit = ProfitCents(instrument, p.draft.sell, p.remaining, p.draft.openPrice,
                                  instrument.price, o_.wholeMoney);
      const long long nights = h_.to / kDay - listed.openTime / kDay;
      listed.swap = Money(nights * swapRates_[p.symbol][p.draft.sell ? 1 : 0] * p.remaining);
      h_.open.push_back(listed);
    }
  }

  const Mt5Options& o_;
  Random random_;
  Mt5History h_;
  std::vector<std::array<long long, 2>> swapRates_;  // cents a hundredth lot a night: long, short
  std::vector<Held> held_;
  std::map<Key, std::deque<int>> queues_;  // open positions, first opened first
  std::map<Key, Moment> lastClose_;
  std::vector<int> keptAtEnd_;
  std::priority_queue<Wake, std::vector<Wake>, std::greater<>> wakes_;
  long long sequence_ = 0;
  long long deals_ = 0;
  long long orders_ = 1;
  long long balance_ = 0;
  int planned_ = 0;
};

}  // namespace

std::string_view DirectionText(Mt5Direction direction) {
  switch (direction) {
    case Mt5Direction::in:
      return "in";
    case Mt5Direction::out:
      return "out";
    case Mt5Direction::inOut:
      return "in out";
    case Mt5Direction::outBy:
      return "out by";
  }
  return "";
}

Mt5History MakeMt5History(const Mt5Options& options) {
  return Mt5Builder(options).Build();
}

}  // namespace quillfen::synthetic
