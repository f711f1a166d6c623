#include "risk/run_lanes.h"

#include <limits>

#include "risk/draw_stream.h"
#include "risk/lane_math.h"

namespace quillfen {

namespace {

using lanes::Pair;
using lanes::Words;

constexpr int kGroups = 4;  // of four runs, one generator vector each
constexpr int kPairs = 2 * kGroups;
constexpr int kLanes = 4 * kGroups;
constexpr long long kStepsBetweenChecks = 1 << 15;
constexpr double kLargestWhole32 = 2147483647.0;

// How a trade's lots come about: the same for every trade, from the balance
// with a maximum below 2^31 - 1, or from the balance with any maximum.
enum class LotRule { constant, fromBalance, fromBalanceWide };

struct Constants {
  Pair zero = lanes::Splat(0);
  Pair one = lanes::Splat(1);
  Pair hundred = lanes::Splat(100);
  Pair percent = lanes::Splat(0.01);
  Pair largestWhole32 = lanes::Splat(kLargestWhole32);
  Pair two52 = lanes::Splat(4503599627370496.0);
  Pair limit, winChange, lossChange;
  Pair amountPerLot, minLots, maxLots, unitFactor, winAmount, lossAmount;
  Words winBelow;

  explicit Constants(const TradeModel& m)
      : limit(lanes::Splat(m.drawdownLimit)),
        winChange(lanes::Splat(m.winChange)),
        lossChange(lanes::Splat(m.lossChange)),
        amountPerLot(lanes::Splat(m.amountPerLot)),
        minLots(lanes::Splat(m.minLots)),
        maxLots(lanes::Splat(m.maxLots)),
        unitFactor(lanes::Splat(m.unitFactor)),
        winAmount(lanes::Splat(m.winAmount)),
        lossAmount(lanes::Splat(m.lossAmount)),
        winBelow(lanes::SplatWord(m.winBelow)) {}
};

// trunc(balance / amountPerLot) within the limits. Only quotients above 0 need
// the truncation: every other one (NaN too) ends at the minimum, as its
// truncation would. Under a maximum below 2^31 - 1 a larger quotient may be
// cut to that before truncating; otherwise a quotient below 2^52 is rounded
// to a whole number by adding and removing 2^52, then stepped down if it was
// rounded up.
template <LotRule kRule>
inline Pair BalanceLots(const Constants& c, Pair balance) {
  using namespace lanes;
  const Pair q = balance / c.amountPerLot;
  const Pair positive = Keep(Greater(q, c.zero), q);
  Pair whole;
  if constexpr (kRule == LotRule::fromBalance) {
    whole = TruncateSmall(Min(c.largestWhole32, positive));
  } else {
    whole = (positive + c.two52) - c.two52;
    whole = whole - Keep(Greater(whole, positive), c.one);
    whole = Select(GreaterEqual(positive, c.two52), positive, whole);
  }
  const Pair lots = Min(c.maxLots, whole);  // maxLots < whole ? maxLots : whole
  return Select(Greater(lots, c.zero), lots, c.minLots);
}

template <LotRule kRule>
class LanePlayer {
 public:
  LanePlayer(const TradeModel& model, std::uint64_t seed, std::int32_t runs, RunSink& sink)
      : model_(model), c_(model), seed_(seed), runs_(runs), sink_(sink) {
    for (int lane = 0; lane < kLanes; ++lane) {
      if (nextRun_ < runs_) {
        StartRun(lane);
        ++active_;
      } else {
        Idle(lane);
      }
    }
  }

  void Play() {
    for (step_ = 0; active_ > 0; ++step_) {
      const Pair now = lanes::Splat(step_);
      for (int g = 0; g < kGroups; ++g) {
        const Words wins = lanes::Below(streams_[g].NextDrawWords(), c_.winBelow);
        const int ends0 = lanes::LaneBits(Trade(2 * g, lanes::LowPairMask(wins), now));
        const int ends1 = lanes::LaneBits(Trade(2 * g + 1, lanes::HighPairMask(wins), now));
        if ((ends0 | ends1) != 0) [[unlikely]] {
          if (!EndRuns(2 * g, ends0) || !EndRuns(2 * g + 1, ends1)) return;
        }
      }
      if (static_cast<long long>(step_) % kStepsBetweenChecks == 0 && !sink_.KeepGoing()) return;
    }
  }

 private:
  // One trade in both lanes of pair p; the mask of lanes whose run ends.
  Pair Trade(int p, Pair win, Pair now) {
    using namespace lanes;
    Pair change;
    if constexpr (kRule == LotRule::constant) {
      change = Select(win, c_.winChange, c_.lossChange);
    } else {
      const Pair lots = BalanceLots<kRule>(c_, balance_[p]);
      change = lots * Select(win, c_.winAmount, c_.lossAmount) * c_.unitFactor;
    }
    Pair balance = balance_[p] + change;
    balance = balance + Keep(Equal(balance, c_.zero), c_.one);  // 0 continues as 1
    const Pair peak = Max(balance, peak_[p]);
    const Pair fall = peak - balance;
    maxDrawdown_[p] = Max(fall * c_.hundred / peak, maxDrawdown_[p]);
    lowest_[p] = Min(balance, lowest_[p]);
    balance_[p] = balance;
    peak_[p] = peak;
    return Either(Equal(lastStep_[p], now), Greater(fall, c_.limit * peak * c_.percent));
  }

  bool EndRuns(int p, int bits) {
    for (int h = 0; h < 2; ++h) {
      if ((bits & (1 << h)) == 0) continue;
      const int lane = 2 * p + h;
      if (run_[lane] < 0) {
        Idle(lane);
        continue;
      }
      if (!sink_.RunPlayed(run_[lane], Outcome(p, h))) return false;
      if (nextRun_ < runs_) {
        StartRun(lane);
      } else {
        Idle(lane);
        if (--active_ == 0) return false;
      }
    }
    return true;
  }

  RunOutcome Outcome(int p, int h) const {
    const double balance = lanes::Lane(balance_[p], h);
    const double peak = lanes::Lane(peak_[p], h);
    RunOutcome o;
    o.finalBalance = balance;
    o.maxDrawdown = lanes::Lane(maxDrawdown_[p], h);
    o.ruined = peak - balance > model_.drawdownLimit * peak * 0.01;
    o.perfect = !(lanes::Lane(lowest_[p], h) < model_.floorDeposit);
    o.trades = model_.tradesPerRun - (lanes::Lane(lastStep_[p], h) - step_);
    return o;
  }

  // The run's first trade comes at the next step.
  void StartRun(int lane) {
    run_[lane] = nextRun_;
    streams_[lane / 4].SetStream(lane % 4, RunStreamState(seed_, nextRun_));
    ++nextRun_;
    SetLaneState(lane, step_ + model_.tradesPerRun);
  }

  // A lane without a run keeps trading unseen; its trade count never runs out.
  void Idle(int lane) {
    run_[lane] = -1;
    SetLaneState(lane, -1);
  }

  void SetLaneState(int lane, double lastStep) {
    const int p = lane / 2, h = lane % 2;
    lanes::SetLane(balance_[p], h, model_.deposit);
    lanes::SetLane(peak_[p], h, model_.deposit);
    lanes::SetLane(maxDrawdown_[p], h, 0);
    lanes::SetLane(lowest_[p], h, std::numeric_limits<double>::infinity());
    lanes::SetLane(lastStep_[p], h, lastStep);
  }

  const TradeModel& model_;
  const Constants c_;
  const std::uint64_t seed_;
  const std::int32_t runs_;
  RunSink& sink_;
  std::int32_t nextRun_ = 0;
  int active_ = 0;
  double step_ = -1;  // steps are whole doubles: exact far beyond any pass
  std::int32_t run_[kLanes] = {};
  FourStreams streams_[kGroups] = {};
  Pair balance_[kPairs] = {}, peak_[kPairs] = {}, maxDrawdown_[kPairs] = {}, lowest_[kPairs] = {};
  Pair lastStep_[kPairs] = {};  // the step of each run's last trade
};

template <LotRule kRule>
void Play(const TradeModel& model, std::uint64_t seed, std::int32_t runs, RunSink& sink) {
  LanePlayer<kRule> player(model, seed, runs, sink);
  player.Play();
}

}  // namespace

void PlayRuns(const TradeModel& model, std::uint64_t seed, std::int32_t runs, RunSink& sink) {
  if (runs <= 0 || model.tradesPerRun <= 0) return;
  if (!model.compounding)
    Play<LotRule::constant>(model, seed, runs, sink);
  else if (model.maxLots < kLargestWhole32)
    Play<LotRule::fromBalance>(model, seed, runs, sink);
  else
    Play<LotRule::fromBalanceWide>(model, seed, runs, sink);
}

}  // namespace quillfen
