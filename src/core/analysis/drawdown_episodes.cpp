#include "analysis/drawdown_episodes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillfen {

namespace {

long long WholeDays(long long from, long long to) {
  return (to - from) / 1440;
}

// Deeper first; an episode without a percentage after every other.
bool Deeper(const DrawdownEpisode& a, const DrawdownEpisode& b) {
  const double left = std::isnan(a.depthPercent) ? -1 : a.depthPercent;
  const double right = std::isnan(b.depthPercent) ? -1 : b.depthPercent;
  return left > right;
}

// Walks the balance trade by trade, keeping the deepest episodes met so far.
class EpisodeWalk {
 public:
  EpisodeWalk(double deposit, long long firstOpen, std::size_t count)
      : balance_(deposit), peak_(deposit), peakTime_(firstOpen), count_(count) {}

  void Add(const ClosedTrade& trade) {
    balance_ += trade.result;
    if (open_) {
      first_ = std::min(first_, trade.gridRow);
      last_ = std::max(last_, trade.gridRow);
      if (balance_ >= peak_) {
        Keep(trade.close, trade.close);
        open_ = false;
        peak_ = balance_;
        peakTime_ = trade.close;
      } else if (balance_ < low_) {
        low_ = balance_;
        lowTime_ = trade.close;
      }
    } else if (balance_ > peak_) {
      peak_ = balance_;
      peakTime_ = trade.close;
    } else if (balance_ < peak_) {
      open_ = true;
      low_ = balance_;
      lowTime_ = trade.close;
      first_ = last_ = trade.gridRow;
    }
  }

  std::vector<DrawdownEpisode> Finish(long long lastClose) {
    if (open_) Keep(std::nullopt, lastClose);
    return std::move(deepest_);
  }

 private:
  void Keep(std::optional<long long> recovery, long long end) {
    DrawdownEpisode episode;
    episode.start = peakTime_;
    episode.low = lowTime_;
    episode.recovery = recovery;
    episode.depth = peak_ - low_;
    episode.depthPercent =
        peak_ > 0 ? episode.depth * 100 / peak_ : std::numeric_limits<double>::quiet_NaN();
    episode.days = WholeDays(peakTime_, end);
    if (recovery) episode.recoveryDays = WholeDays(lowTime_, *recovery);
    episode.firstGridRow = first_;
    episode.lastGridRow = last_;
    // After every kept one at least as deep: the earlier of equal depths stays ahead.
    const auto at = std::upper_bound(
        deepest_.begin(), deepest_.end(), episode,
        [](const DrawdownEpisode& a, const DrawdownEpisode& b) { return Deeper(a, b); });
    if (static_cast<std::size_t>(at - deepest_.begin()) >= count_) return;
    deepest_.insert(at, episode);
    if (deepest_.size() > count_) deepest_.pop_back();
  }

  double balance_;
  double peak_;
  long long peakTime_;
  std::size_t count_;
  bool open_ = false;
  double low_ = 0;
  long long lowTime_ = 0;
  int first_ = 0;
  int last_ = 0;
  std::vector<DrawdownEpisode> deepest_;
};

}  // namespace

std::vector<DrawdownEpisode> DeepestDrawdowns(std::span<const ClosedTrade> byClose, double deposit,
                                              std::size_t count) {
  if (byClose.empty()) return {};
  const ClosedTrade& first = byClose.front();
  EpisodeWalk walk(deposit, first.open != 0 ? first.open : first.close, count);
  for (const ClosedTrade& trade : byClose) walk.Add(trade);
  return walk.Finish(byClose.back().close);
}

}  // namespace quillfen
