#pragma once

#include <vector>

namespace quillfen::synthetic {

// The result of one closed position in cents, as the summary counts it.
struct ClosedResult {
  long long cents = 0;
  bool sell = false;
};

// The figures the terminal prints under its trade lists, money in cents and
// percentages in hundredths of a percent.
struct SummaryFigures {
  long long grossProfit = 0;
  long long grossLoss = 0;  // negative or 0
  long long netProfit = 0;
  long long profitFactor = 0;    // hundredths
  long long expectedPayoff = 0;  // cents
  long long absoluteDrawdown = 0;
  long long maximalDrawdown = 0;
  long long maximalDrawdownPercent = 0;
  long long relativeDrawdown = 0;
  long long relativeDrawdownPercent = 0;
  int trades = 0;
  int shortTrades = 0;
  int shortWon = 0;
  int longTrades = 0;
  int longWon = 0;
  int profitTrades = 0;
  int lossTrades = 0;
  long long largestProfit = 0;
  long long largestLoss = 0;
  long long averageProfit = 0;
  long long averageLoss = 0;
  int consecutiveWins = 0;  // the longest run of wins, and its money
  long long consecutiveWinsMoney = 0;
  int consecutiveLosses = 0;
  long long consecutiveLossesMoney = 0;
  long long consecutiveProfit = 0;  // the most money of a run of wins, and its length
  int consecutiveProfitCount = 0;
  long long consecutiveLoss = 0;
  int consecutiveLossCount = 0;
  int averageConsecutiveWins = 0;
  int averageConsecutiveLosses = 0;
};

// Walks the results in order from the initial balance.
SummaryFigures FiguresOf(const std::vector<ClosedResult>& results, long long initialCents);

// Hundredths of a percent of part in whole (0 when whole is 0).
long long PercentOf(long long part, long long whole);

}  // namespace quillfen::synthetic
