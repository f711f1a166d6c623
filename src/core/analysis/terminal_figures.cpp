#include "analysis/terminal_figures.h"

#include <algorithm>

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

void RunRecord::Close(const Run& run, bool losses) {
  if (run.count == 0) return;
  const bool longer = run.count > longest.count ||
                      (run.count == longest.count && Beats(run.cents, richest.cents, losses));
  const bool richer = Beats(run.cents, richest.cents, losses) ||
                      (run.cents == richest.cents && run.count > longest.count);
  if (longer) longest = run;
  if (richer) richest = run;
  ++runs;
  trades += run.count;
}

Drawdowns WalkDrawdowns(std::span<const WalkResult> trades, double depositCents) {
  Drawdowns d;
  double balance = depositCents;
  double lowest = depositCents;
  double peak = depositCents;
  double low = depositCents;
  for (const WalkResult& trade : trades) {
    balance += trade.cents;
    lowest = std::min(lowest, balance);
    if (balance > peak) {
      CloseEpisode(peak, low, d);
      peak = low = balance;
    } else {
      low = std::min(low, balance);
    }
  }
  CloseEpisode(peak, low, d);
  d.absolute = std::max(0.0, depositCents - lowest);
  return d;
}

TerminalFigures ComputeTerminalFigures(std::span<const WalkResult> trades, double depositCents) {
  TerminalFigures f;
  f.initialDeposit = depositCents;
  Run run;
  bool runOfLosses = false;
  for (const WalkResult& trade : trades) {
    const bool loss = trade.cents < 0;  // a zero result is a win
    if (loss != runOfLosses) {
      (runOfLosses ? f.lossRuns : f.winRuns).Close(run, runOfLosses);
      run = {};
      runOfLosses = loss;
    }
    ++run.count;
    run.cents += trade.cents;
    ++f.trades;
    ++(trade.sell ? f.shortTrades : f.longTrades);
    if (loss) {
      ++f.losses;
      f.grossLoss += trade.cents;
      f.largestLoss = std::min(f.largestLoss, trade.cents);
    } else {
      ++f.wins;
      ++(trade.sell ? f.shortWins : f.longWins);
      f.grossProfit += trade.cents;
      f.largestWin = std::max(f.largestWin, trade.cents);
    }
  }
  (runOfLosses ? f.lossRuns : f.winRuns).Close(run, runOfLosses);
  f.netProfit = f.grossProfit + f.grossLoss;
  f.drawdowns = WalkDrawdowns(trades, depositCents);
  return f;
}

}  // namespace quillfen
