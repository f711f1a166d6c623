#include "synthetic/tester_history.h"

#include <algorithm>
#include <queue>

namespace quillfen::synthetic {

namespace {

struct Position {
  TradeDraft draft;
  int order = 0;
  long long price = 0;  // where the current order opened; moves on at a swap reopening
};

// Something due later in the test: a modification, a swap reopening, a close or
// the deletion of a pending order.
struct Due {
  enum class Kind { Modify, Rollover, Close, Delete };
  Moment time;
  long long sequence;
  Kind kind;
  int index;  // into positions, or the pending order's number for Delete
  bool operator>(const Due& other) const {
    return time != other.time ? time > other.time : sequence > other.sequence;
  }
};

class TesterBuilder {
 public:
  explicit TesterBuilder(const HistoryOptions& options) : options_(options), random_(options.seed) {
    history_.instrument =
        InstrumentFor(options.symbols.empty() ? "eurusd" : options.symbols.front());
  }

  TesterHistory Build() {
    Moment now = kFirstMoment;
    history_.from = now;
    const int trades = std::max(0, options_.trades);
    const int keptOpen = std::clamp(options_.closedAtStop, 0, trades);
    for (int i = 0; i < trades; ++i) {
      now = NextOpening(random_, now);
      EmitDueUntil(now);
      Open(now, i, trades, i >= trades - keptOpen);
    }
    Moment end = now;
    while (!due_.empty()) {
      end = std::max(end, due_.top().time);
      EmitDueUntil(due_.top().time);
    }
    history_.to = end + kHour;
    for (Position& p : positions_) {
      if (p.draft.closeTime == 0) CloseAtStop(p, history_.to);
    }
    return std::move(history_);
  }

 private:
  void Push(Moment time, Due::Kind kind, int index) {
    due_.push(Due{time, sequence_++, kind, index});
  }

  TesterRow RowOf(const Position& p, Moment time, TesterAction action) const {
    TesterRow row;
    row.time = time;
    row.action = action;
    row.order = p.order;
    row.lots = p.draft.lots;
    row.price = p.price;
    row.stopLoss = p.draft.stopLoss;
    row.takeProfit = p.draft.takeProfit;
    row.sell = p.draft.sell;
    return row;
  }

  void Open(Moment now, int index, int slots, bool keptOpen) {
    Position p;
    p.draft = DraftTrade(random_, history_.instrument, now);
    p.order = ++orders_;
    p.price = p.draft.openPrice;
    const int position = static_cast<int>(positions_.size());
    const bool rolls = ShareOf(options_.swapReopenings, index, slots) > 0;
    if (rolls) {
      const Moment midnight = NextMidnight(now);
      p.draft.closeTime = std::max(p.draft.closeTime, midnight + random_.Between(1, 300) * kMinute);
      Push(midnight, Due::Kind::Rollover, position);
    }
    const Moment span = p.draft.closeTime - now;
    for (int k = ShareOf(options_.modifications, index, slots); k > 0; --k) {
      Push(now + span * k / (k + 2), Due::Kind::Modify, position);
    }
    history_.rows.push_back(RowOf(p, now, p.draft.sell ? TesterAction::Sell : TesterAction::Buy));
    if (keptOpen) {
      p.draft.closeTime = 0;
    } else {
      Push(p.draft.closeTime, Due::Kind::Close, position);
    }
    positions_.push_back(p);
    for (int k = ShareOf(options_.pendingOrders, index, slots); k > 0; --k) PlacePending(now);
  }

  void PlacePending(Moment now) {
    static constexpr TesterAction kinds[] = {TesterAction::BuyLimit, TesterAction::SellLimit,
                                             TesterAction::BuyStop, TesterAction::SellStop};
    TesterRow row;
    row.time = now;
    row.action = kinds[random_.Below(4)];
    row.order = ++orders_;
    row.lots = 10;
    const bool below = row.action == TesterAction::BuyLimit || row.action == TesterAction::SellStop;
    const long long distance = history_.instrument.hourlyMove * random_.Between(2, 10);
    row.price = std::max(1LL, history_.instrument.price + (below ? -distance : distance));
    pending_.push_back(row);
    history_.rows.push_back(row);
    Push(now + random_.Between(10, 600) * kMinute, Due::Kind::Delete,
         static_cast<int>(pending_.size() - 1));
  }

  void EmitDueUntil(Moment limit) {
    while (!due_.empty() && due_.top().time <= limit) {
      const Due due = due_.top();
      due_.pop();
      if (due.kind == Due::Kind::Delete) {
        TesterRow row = pending_[due.index];
        row.time = due.time;
        row.action = TesterAction::Delete;
        history_.rows.push_back(row);
        continue;
      }
      Position& p = positions_[due.index];
      switch (due.kind) {
        case Due::Kind::Modify:
          Modify(p, due.time);
          break;
        case Due::Kind::Rollover:
          Rollover(p, due.time);
          break;
        default:
          Close(p, due.time);
          break;
      }
    }
  }

  void Modify(Position& p, Moment time) {
    if (p.draft.closeTime != 0 && time >= p.draft.closeTime) return;
    const long long step = std::max<long long>(1, history_.instrument.hourlyMove / 4);
    if (p.draft.stopLoss != 0) p.draft.stopLoss += p.draft.sell ? -step : step;
    history_.rows.push_back(RowOf(p, time, TesterAction::Modify));
  }

  void Rollover(Position& p, Moment time) {
    const long long price = PriceAt(p.draft, time);
    TesterRow closing = RowOf(p, time, TesterAction::SwapClose);
    closing.price = price;
    Settle(closing, p);
    history_.rows.push_back(closing);
    p.price = price;
    history_.rows.push_back(RowOf(p, time, TesterAction::SwapOpen));
  }

  void Close(Position& p, Moment time) {
    TesterAction action = TesterAction::Close;
    if (p.draft.exit == TradeDraft::Exit::TakeProfit) action = TesterAction::TakeProfit;
    if (p.draft.exit == TradeDraft::Exit::StopLoss) action = TesterAction::StopLoss;
    TesterRow row = RowOf(p, time, action);
    row.price = p.draft.closePrice;
    Settle(row, p);
    history_.rows.push_back(row);
  }

  void CloseAtStop(Position& p, Moment time) {
    TesterRow row = RowOf(p, time, TesterAction::CloseAtStop);
    row.price = history_.instrument.price;
    Settle(row, p);
    history_.rows.push_back(row);
  }

  void Settle(TesterRow& row, const Position& p) const {
    row.hasProfit = true;
    row.profit = ProfitCents(history_.instrument, p.draft.sell, p.draft.lots, p.price, row.price,
                             options_.wholeMoney);
  }

  const HistoryOptions& options_;
  Random random_;
  TesterHistory history_;
  std::vector<Position> positions_;
  std::vector<TesterRow> pending_;
  std::priority_queue<Due, std::vector<Due>, std::greater<>> due_;
  long long sequence_ = 0;
  int orders_ = 0;
};

}  // namespace

std::string_view ActionText(TesterAction action) {
  switch (action) {
    case TesterAction::Buy:
      return "buy";
    case TesterAction::Sell:
      return "sell";
    case TesterAction::BuyLimit:
      return "buy limit";
    case TesterAction::SellLimit:
      return "sell limit";
    case TesterAction::BuyStop:
      return "buy stop";
    case TesterAction::SellStop:
      return "sell stop";
    case TesterAction::TakeProfit:
      return "t/p";
    case TesterAction::StopLoss:
      return "s/l";
    case TesterAction::Close:
      return "close";
    case TesterAction::CloseAtStop:
      return "close at stop";
    case TesterAction::Modify:
      return "modify";
    case TesterAction::Delete:
      return "delete";
    case TesterAction::SwapClose:
      return "swap close";
    case TesterAction::SwapOpen:
      return "swap open";
  }
  return "";
}

TesterHistory MakeTesterHistory(const HistoryOptions& options) {
  return TesterBuilder(options).Build();
}

}  // namespace quillfen::synthetic
