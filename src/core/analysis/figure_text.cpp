#include "analysis/figure_text.h"

#include <array>
#include <cmath>

#include "text/number_format.h"

namespace quillfen {

namespace {

enum Label {
  kGrossProfit,
  kGrossLoss,
  kNetProfit,
  kProfitFactor,
  kExpectedPayoff,
  kAbsoluteDrawdown,
  kMaximalDrawdown,
  kRelativeDrawdown,
  kTotalTrades,
  kShortPositions,
  kLongPositions,
  kProfitTrades,
  kLossTrades,
  kLargestProfit,
  kLargestLoss,
  kAverageProfit,
  kAverageLoss,
  kConsecutiveWins,
  kConsecutiveLosses,
  kConsecutiveProfit,
  kConsecutiveLoss,
  kAverageWins,
  kAverageLosses,
  kLabels
};

constexpr std::array<const char*, kLabels> kStatementLabels = {"Gross Profit",
                                                               "Gross Loss",
                                                               "Total Net Profit",
                                                               "Profit Factor",
                                                               "Expected Payoff",
                                                               "Absolute Drawdown",
                                                               "Maximal Drawdown",
                                                               "Relative Drawdown",
                                                               "Total Trades",
                                                               "Short Positions (won %)",
                                                               "Long Positions (won %)",
                                                               "Profit Trades (% of total)",
                                                               "Loss trades (% of total)",
                                                               "Largest profit trade",
                                                               "Largest loss trade",
                                                               "Average profit trade",
                                                               "Average loss trade",
                                                               "Maximum consecutive wins ($)",
                                                               "Maximum consecutive losses ($)",
                                                               "Maximal consecutive profit (count)",
                                                               "Maximal consecutive loss (count)",
                                                               "Average consecutive wins",
                                                               "Average consecutive losses"};

// The tester's drawdowns are taken on equity, which its report lacks: ours are
// on the balance and say so.
constexpr std::array<const char*, kLabels> kTesterLabels = {
    "Gross profit",
    "Gross loss",
    "Total net profit",
    "Profit factor",
    "Expected payoff",
    "Absolute drawdown (balance)",
    "Maximal drawdown (balance)",
    "Relative drawdown (balance)",
    "Total trades",
    "Short positions (won %)",
    "Long positions (won %)",
    "Profit trades (% of total)",
    "Loss trades (% of total)",
    "Largest profit trade",
    "Largest loss trade",
    "Average profit trade",
    "Average loss trade",
    "Maximum consecutive wins (profit in money)",
    "Maximum consecutive losses (loss in money)",
    "Maximal consecutive profit (count of wins)",
    "Maximal consecutive loss (count of losses)",
    "Average consecutive wins",
    "Average consecutive losses"};

// The tester leads with the net profit.
constexpr std::array<Label, kLabels> kTesterOrder = {
    kNetProfit,        kGrossProfit,     kGrossLoss,        kProfitFactor,      kExpectedPayoff,
    kAbsoluteDrawdown, kMaximalDrawdown, kRelativeDrawdown, kTotalTrades,       kShortPositions,
    kLongPositions,    kProfitTrades,    kLossTrades,       kLargestProfit,     kLargestLoss,
    kAverageProfit,    kAverageLoss,     kConsecutiveWins,  kConsecutiveLosses, kConsecutiveProfit,
    kConsecutiveLoss,  kAverageWins,     kAverageLosses};

std::string Fixed2(double value) {
  return FormatFixed(value, 0, 2);
}

std::string Percent(int part, int whole) {
  return Fixed2(whole > 0 ? part * 100.0 / whole : 0) + "%";
}

std::string Count(int count) {
  return std::to_string(count);
}

class Printer {
 public:
  explicit Printer(const FigureStyle& style) : style_(style) {}

  std::string Money(double cents) const {
    return style_.tester ? Fixed2(cents / 100)
                         : GroupThousands(FormatFixed(cents / 100, 0, style_.decimals));
  }
  // The tester signs every loss, the zero one too.
  std::string Loss(double cents) const {
    return style_.tester && cents == 0 ? "-0.00" : Money(cents);
  }

 private:
  FigureStyle style_;
};

double Average(double cents, int count) {
  return count > 0 ? cents / count : 0;
}

// Trades in runs ÷ runs, rounded half up.
std::string AverageRun(const RunRecord& record) {
  return Count(record.runs > 0 ? static_cast<int>(std::floor(
                                     static_cast<double>(record.trades) / record.runs + 0.5))
                               : 0);
}

std::array<std::string, kLabels> Texts(const TerminalFigures& f, const Printer& p, bool tester) {
  std::array<std::string, kLabels> t;
  const Drawdowns& d = f.drawdowns;
  t[kGrossProfit] = p.Money(f.grossProfit);
  t[kGrossLoss] = tester ? p.Loss(f.grossLoss) : p.Money(-f.grossLoss);
  t[kNetProfit] = p.Money(f.netProfit);
  t[kProfitFactor] = f.losses > 0 ? Fixed2(f.grossProfit / -f.grossLoss) : "";
  t[kExpectedPayoff] = Fixed2(Average(f.netProfit, f.trades) / 100);
  t[kAbsoluteDrawdown] = p.Money(d.absolute);
  t[kMaximalDrawdown] = p.Money(d.maximal) + " (" + Fixed2(d.maximalPercent) + "%)";
  t[kRelativeDrawdown] = Fixed2(d.relativePercent) + "% (" + p.Money(d.relative) + ")";
  t[kTotalTrades] = Count(f.trades);
  t[kShortPositions] = Count(f.shortTrades) + " (" + Percent(f.shortWins, f.shortTrades) + ")";
  t[kLongPositions] = Count(f.longTrades) + " (" + Percent(f.longWins, f.longTrades) + ")";
  t[kProfitTrades] = Count(f.wins) + " (" + Percent(f.wins, f.trades) + ")";
  t[kLossTrades] = Count(f.losses) + " (" + Percent(f.losses, f.trades) + ")";
  t[kLargestProfit] = p.Money(f.largestWin);
  t[kLargestLoss] = p.Loss(f.largestLoss);
  t[kAverageProfit] = p.Money(Average(f.grossProfit, f.wins));
  t[kAverageLoss] = p.Loss(Average(f.grossLoss, f.losses));
  const RunRecord& w = f.winRuns;
  const RunRecord& l = f.lossRuns;
  t[kConsecutiveWins] = Count(w.longest.count) + " (" + p.Money(w.longest.cents) + ")";
  t[kConsecutiveLosses] = Count(l.longest.count) + " (" + p.Loss(l.longest.cents) + ")";
  t[kConsecutiveProfit] = p.Money(w.richest.cents) + " (" + Count(w.richest.count) + ")";
  t[kConsecutiveLoss] = p.Loss(l.richest.cents) + " (" + Count(l.richest.count) + ")";
  t[kAverageWins] = AverageRun(w);
  t[kAverageLosses] = AverageRun(l);
  return t;
}

}  // namespace

std::vector<FigureLine> TerminalFigureLines(const TerminalFigures& figures,
                                            const FigureStyle& style) {
  const std::array<std::string, kLabels> texts = Texts(figures, Printer(style), style.tester);
  std::vector<FigureLine> lines;
  lines.reserve(kLabels);
  for (int i = 0; i < kLabels; ++i) {
    const Label label = style.tester ? kTesterOrder[static_cast<std::size_t>(i)] : Label(i);
    const auto at = static_cast<std::size_t>(label);
    lines.push_back({style.tester ? kTesterLabels[at] : kStatementLabels[at], texts[at]});
  }
  return lines;
}

std::vector<std::string> FigureMemoLines(const std::vector<FigureLine>& lines) {
  constexpr std::size_t kLabelWidth = 44;
  constexpr std::size_t kTextWidth = 22;
  std::vector<std::string> memo;
  if (lines.empty()) return memo;
  memo.emplace_back();
  for (const FigureLine& line : lines) {
    std::string text = line.label;
    text.resize(std::max(kLabelWidth, text.size() + 1), ' ');
    if (line.text.size() < kTextWidth) text.append(kTextWidth - line.text.size(), ' ');
    memo.push_back(text + line.text);
  }
  return memo;
}

}  // namespace quillfen
