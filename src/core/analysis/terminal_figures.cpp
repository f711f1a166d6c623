#include "analysis/terminal_figures.h"

#include <algorithm>
#include <cmath>

namespace quillfen {

namespace {

// The money of a run beats another's: more for wins, more negative for losses.
bool Beats(double cents, double other, bool losses) {
  return losses ? cents < other : cents > other;
}

// An episode runs from a peak to the lowest balance after it.
void CloseEpisode(double peak, double low, Drawdowns& d) {
  const double drop = peak - low;
  if (!(drop > 0)) return;
  // A peak at or below zero gives no meaningful share.
  const double percent = peak > 0 ? drop * 100 / peak : 0;
  if (drop > d.maximal) {
    d.maximal = drop;
    d.maximalPercent = percent;
  }
  if (percent > d.relativePercent) {
    d.relativePercent = percent;
    d.relative = drop;
  }
}

}  // namespace

void RunRecord::Close(const Run& run, bool losses, RunTies ties) {
  if (run.count == 0) return;
  const double longestCents = ties == RunTies::mt4 ? richest.cents : longest.cents;
  const bool longer = run.count > longest.count ||
                      (run.count == longest.count && Beats(run.cents, longestCents, losses));
  const bool richer = Beats(run.cents, richest.cents, losses) ||
                      (run.cents == richest.cents && run.count > longest.count);
  if (longer) longest = run;
  if (richer) richest = run;
  ++runs;
  trades += run.count;
}

FigureWalk::FigureWalk(double depositCents, RunTies ties)
    : ties_(ties),
      balance_(depositCents),
      lowest_(depositCents),
      peak_(depositCents),
      low_(depositCents) {
  f_.initialDeposit = depositCents;
}

void FigureWalk::Add(const WalkResult& trade) {
  const bool loss = trade.cents < 0;  // a zero result is a win
  if (loss != runOfLosses_) {
    (runOfLosses_ ? f_.lossRuns : f_.winRuns).Close(run_, runOfLosses_, ties_);
    run_ = {};
    runOfLosses_ = loss;
  }
  ++run_.count;
  run_.cents += trade.cents;
  ++f_.trades;
  ++(trade.sell ? f_.shortTrades : f_.longTrades);
  if (loss) {
    ++f_.losses;
    f_.grossLoss += trade.cents;
    f_.largestLoss = std::min(f_.largestLoss, trade.cents);
  } else {
    ++f_.wins;
    ++(trade.sell ? f_.shortWins : f_.longWins);
    f_.grossProfit += trade.cents;
    f_.largestWin = std::max(f_.largestWin, trade.cents);
  }
  if (balance_ > 0)
    ratioSum_ += (balance_ + trade.cents) / balance_;
  else
    ratiosBroken_ = true;
  // Drawdowns of the balance walked from the deposit.
  balance_ += trade.cents;
  lowest_ = std::min(lowest_, balance_);
  if (balance_ > peak_) {
    CloseEpisode(peak_, low_, f_.drawdowns);
    peak_ = low_ = balance_;
  } else {
    low_ = std::min(low_, balance_);
  }
}

TerminalFigures FigureWalk::Figures() const {
  TerminalFigures f = f_;
  (runOfLosses_ ? f.lossRuns : f.winRuns).Close(run_, runOfLosses_, ties_);
  f.netProfit = f.grossProfit + f.grossLoss;
  CloseEpisode(peak_, low_, f.drawdowns);
  f.drawdowns.absolute = std::max(0.0, f.initialDeposit - lowest_);
  if (f.trades > 0) {
    const bool known = !ratiosBroken_ && balance_ > 0;
    f.ahpr = known ? ratioSum_ / f.trades : std::nan("");
    f.ghpr = known ? std::pow(balance_ / f.initialDeposit, 1.0 / f.trades) : std::nan("");
  }
  return f;
}

}  // namespace quillfen
