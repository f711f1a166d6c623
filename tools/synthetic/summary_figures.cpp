#include "synthetic/summary_figures.h"

#include <algorithm>
#include <cmath>

namespace quillfen::synthetic {

namespace {

struct Runs {
  int length = 0;
  long long money = 0;
  int count = 0;        // runs finished
  long long total = 0;  // their lengths added
};

void EndRun(Runs& runs, int& longest, long long& longestMoney, long long& richest,
            int& richestCount, bool wins) {
  if (runs.length == 0) return;
  if (runs.length > longest) {
    longest = runs.length;
    longestMoney = runs.money;
  }
  const bool better = wins ? runs.money > richest : runs.money < richest;
  if (better || richestCount == 0) {
    richest = runs.money;
    richestCount = runs.length;
  }
  ++runs.count;
  runs.total += runs.length;
  runs.length = 0;
  runs.money = 0;
}

void CountTrade(SummaryFigures& f, const ClosedResult& r) {
  ++f.trades;
  const bool won = r.cents > 0;
  if (r.sell) {
    ++f.shortTrades;
    f.shortWon += won;
  } else {
    ++f.longTrades;
    f.longWon += won;
  }
  if (won) {
    ++f.profitTrades;
    f.grossProfit += r.cents;
    f.largestProfit = std::max(f.largestProfit, r.cents);
  } else if (r.cents < 0) {
    ++f.lossTrades;
    f.grossLoss += r.cents;
    f.largestLoss = std::min(f.largestLoss, r.cents);
  }
}

}  // namespace

long long PercentOf(long long part, long long whole) {
  if (whole == 0) return 0;
  return std::llround(10000.0 * static_cast<double>(part) / static_cast<double>(whole));
}

SummaryFigures FiguresOf(const std::vector<ClosedResult>& results, long long initialCents) {
  SummaryFigures f;
  Runs wins;
  Runs losses;
  long long balance = initialCents;
  long long peak = initialCents;
  long long lowest = initialCents;
  for (const ClosedResult& r : results) {
    CountTrade(f, r);
    if (r.cents > 0) {
      EndRun(losses, f.consecutiveLosses, f.consecutiveLossesMoney, f.consecutiveLoss,
             f.consecutiveLossCount, false);
      ++wins.length;
      wins.money += r.cents;
    } else if (r.cents < 0) {
      EndRun(wins, f.consecutiveWins, f.consecutiveWinsMoney, f.consecutiveProfit,
             f.consecutiveProfitCount, true);
      ++losses.length;
      losses.money += r.cents;
    }
    balance += r.cents;
    lowest = std::min(lowest, balance);
    peak = std::max(peak, balance);
    const long long drop = peak - balance;
    if (drop > f.maximalDrawdown) {
      f.maximalDrawdown = drop;
      f.maximalDrawdownPercent = PercentOf(drop, peak);
    }
    const long long percent = PercentOf(drop, peak);
    if (percent > f.relativeDrawdownPercent) {
      f.relativeDrawdownPercent = percent;
      f.relativeDrawdown = drop;
    }
  }
  EndRun(wins, f.consecutiveWins, f.consecutiveWinsMoney, f.consecutiveProfit,
         f.consecutiveProfitCount, true);
  EndRun(losses, f.consecutiveLosses, f.consecutiveLossesMoney, f.consecutiveLoss,
         f.consecutiveLossCount, false);

  f.netProfit = f.grossProfit + f.grossLoss;
  f.absoluteDrawdown = initialCents - std::min(lowest, initialCents);
  if (f.grossLoss < 0) {
    f.profitFactor = std::llround(100.0 * static_cast<double>(f.grossProfit) /
                                  static_cast<double>(-f.grossLoss));
  }
  if (f.trades > 0) f.expectedPayoff = f.netProfit / f.trades;
  if (f.profitTrades > 0) f.averageProfit = f.grossProfit / f.profitTrades;
  if (f.lossTrades > 0) f.averageLoss = f.grossLoss / f.lossTrades;
  if (wins.count > 0) f.averageConsecutiveWins = static_cast<int>(wins.total / wins.count);
  if (losses.count > 0) f.averageConsecutiveLosses = static_cast<int>(losses.total / losses.count);
  return f;
}

}  // namespace quillfen::synthetic
