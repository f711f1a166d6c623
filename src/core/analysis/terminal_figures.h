#pragma once

namespace quillfen {

// One closed trade as the terminal walks it: its result (profit, commission,
// swap and taxes) in whole cents, so that sums and equal runs compare exactly.
struct WalkResult {
  double cents = 0;
  bool sell = false;
};

// Consecutive trades of one class (wins or losses) and their money in cents.
struct Run {
  int count = 0;
  double cents = 0;
};

// How a run as long as the longest so far breaks the tie. The MetaTrader 4
// terminal takes it when it beats the richest run's money; the MetaTrader 5
// terminal prints the larger amount among equally long runs.
enum class RunTies { mt4, mt5 };

// The terminal's longest and richest runs of one class.
struct RunRecord {
  Run longest;
  Run richest;
  int runs = 0;
  int trades = 0;  // in all runs

  // Books a run that has ended; losses count money downwards.
  void Close(const Run& run, bool losses, RunTies ties);
};

// Drawdowns of the balance walked from the initial deposit, in cents and percent.
struct Drawdowns {
  double absolute = 0;
  double maximal = 0;
  double maximalPercent = 0;
  double relative = 0;
  double relativePercent = 0;
};

// Every figure of the terminal's Details block, money in cents.
struct TerminalFigures {
  double initialDeposit = 0;
  double grossProfit = 0;
  double grossLoss = 0;  // not above 0
  double netProfit = 0;
  int trades = 0;
  int wins = 0;
  int losses = 0;
  int shortTrades = 0;
  int shortWins = 0;
  int longTrades = 0;
  int longWins = 0;
  double largestWin = 0;
  double largestLoss = 0;
  Drawdowns drawdowns;
  RunRecord winRuns;
  RunRecord lossRuns;
  // Holding period returns: the mean of balance after ÷ balance before per
  // trade, and the geometric mean from the deposit to the final balance; 0
  // without trades, NaN when a balance on the way was not above zero.
  double ahpr = 0;
  double ghpr = 0;
};

// The figures taken trade by trade in walk order, so that a walk over a
// million trades needs no list of their results.
class FigureWalk {
 public:
  explicit FigureWalk(double depositCents, RunTies ties = RunTies::mt4);
  void Add(const WalkResult& trade);
  // The figures of the trades added; the walk goes on unchanged.
  TerminalFigures Figures() const;

 private:
  TerminalFigures f_;
  Run run_;
  bool runOfLosses_ = false;
  RunTies ties_;
  double balance_, lowest_, peak_, low_;
  double ratioSum_ = 0;
  bool ratiosBroken_ = false;
};

}  // namespace quillfen
