#include "analysis/mt5_figure_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "text/number_format.h"

namespace quillfen {

namespace {

// Money in whole cents, "10 000.00".
std::string Money(double cents) {
  return GroupThousands(FormatFixed(cents / 100, 0, 2));
}

// A sum of cents over a count, rounded half away from zero to the cent.
std::string AverageMoney(double cents, int count) {
  if (count <= 0) return Money(0);
  const long long sum = std::llround(cents);
  long long quotient = std::llabs(sum) / count;
  if (2 * (std::llabs(sum) % count) >= count) ++quotient;
  return Money(static_cast<double>(sum < 0 ? -quotient : quotient));
}

// A share of a count in percent, rounded half to even in whole numbers.
std::string CountPercent(int part, int whole) {
  long long hundredths = 0;
  if (whole > 0) {
    const long long scaled = part * 10000LL;
    hundredths = scaled / whole;
    const long long twice = 2 * (scaled % whole);
    if (twice > whole || (twice == whole && hundredths % 2 == 1)) ++hundredths;
  }
  std::string decimals = std::to_string(hundredths % 100);
  if (decimals.size() < 2) decimals.insert(0, 1, '0');
  return std::to_string(hundredths / 100) + "." + decimals + "%";
}

std::string Fixed2(double value) {
  return FormatFixed(value, 0, 2);
}

std::string CountWithShare(int count, int won, int of) {
  return std::to_string(count) + " (" + CountPercent(won, of) + ")";
}

// "1.0011 (0.11%)"; without trades the terminal prints zeros.
std::string Hpr(double ratio, int trades) {
  return FormatFixed(ratio, 0, 4) + " (" + Fixed2(trades > 0 ? (ratio - 1) * 100 : 0) + "%)";
}

// Trades in runs ÷ runs, rounded half up.
std::string AverageRun(const RunRecord& record) {
  if (record.runs <= 0) return "0";
  return std::to_string((2 * record.trades + record.runs) / (2 * record.runs));
}

// The figures both reports print, in an account history's order.
std::vector<FigureLine> CommonLines(const TerminalFigures& f) {
  const Drawdowns& d = f.drawdowns;
  const RunRecord& w = f.winRuns;
  const RunRecord& l = f.lossRuns;
  std::vector<FigureLine> lines;
  auto add = [&](const char* label, std::string text) {
    lines.push_back({label, std::move(text)});
  };
  add("Total Net Profit", Money(f.netProfit));
  add("Gross Profit", Money(f.grossProfit));
  add("Gross Loss", Money(f.grossLoss));
  if (f.losses > 0)
    add("Profit Factor", Fixed2(f.grossProfit / -f.grossLoss));
  else if (f.trades == 0)
    add("Profit Factor", Fixed2(0));
  // The closed trades' results: the net profit may hold open positions' commission.
  add("Expected Payoff", AverageMoney(f.grossProfit + f.grossLoss, f.trades));
  add("Balance Drawdown Absolute", Money(d.absolute));
  add("Balance Drawdown Maximal", Money(d.maximal) + " (" + Fixed2(d.maximalPercent) + "%)");
  add("Balance Drawdown Relative", Fixed2(d.relativePercent) + "% (" + Money(d.relative) + ")");
  add("Total Trades", std::to_string(f.trades));
  // A closing buy ends a short position, a closing sell a long one.
  add("Short Trades (won %)", CountWithShare(f.shortTrades, f.shortWins, f.shortTrades));
  add("Long Trades (won %)", CountWithShare(f.longTrades, f.longWins, f.longTrades));
  add("Profit Trades (% of total)", CountWithShare(f.wins, f.wins, f.trades));
  add("Loss Trades (% of total)", CountWithShare(f.losses, f.losses, f.trades));
  add("Largest profit trade", Money(f.largestWin));
  add("Largest loss trade", Money(f.largestLoss));
  add("Average profit trade", AverageMoney(f.grossProfit, f.wins));
  add("Average loss trade", AverageMoney(f.grossLoss, f.losses));
  add("Maximum consecutive wins ($)",
      std::to_string(w.longest.count) + " (" + Money(w.longest.cents) + ")");
  add("Maximum consecutive losses ($)",
      std::to_string(l.longest.count) + " (" + Money(l.longest.cents) + ")");
  add("Maximal consecutive profit (count)",
      Money(w.richest.cents) + " (" + std::to_string(w.richest.count) + ")");
  add("Maximal consecutive loss (count)",
      Money(l.richest.cents) + " (" + std::to_string(l.richest.count) + ")");
  add("Average consecutive wins", AverageRun(w));
  add("Average consecutive losses", AverageRun(l));
  return lines;
}

}  // namespace

std::vector<FigureLine> Mt5FigureLines(const TerminalFigures& f, std::optional<int> totalDeals) {
  const std::vector<FigureLine> common = CommonLines(f);
  std::vector<FigureLine> lines;
  // The tester prints the drawdowns beside the profits, and its holding period
  // returns and deal count among them.
  for (const char* label :
       {"Total Net Profit", "Balance Drawdown Absolute", "Gross Profit", "Balance Drawdown Maximal",
        "Gross Loss", "Balance Drawdown Relative", "Profit Factor", "Expected Payoff", "AHPR",
        "GHPR", "Total Trades", "Short Trades (won %)", "Long Trades (won %)", "Total Deals"}) {
    const std::string_view name = label;
    if (name == "AHPR" && !std::isnan(f.ahpr)) lines.push_back({label, Hpr(f.ahpr, f.trades)});
    if (name == "GHPR" && !std::isnan(f.ghpr)) lines.push_back({label, Hpr(f.ghpr, f.trades)});
    if (name == "Total Deals" && totalDeals) lines.push_back({label, std::to_string(*totalDeals)});
    for (const FigureLine& line : common)
      if (line.label == name) lines.push_back(line);
  }
  lines.insert(lines.end(),
               std::find_if(common.begin(), common.end(),
                            [](const FigureLine& line) {
                              return line.label == "Profit Trades (% of total)";
                            }),
               common.end());
  return lines;
}

std::vector<FigureLine> Mt5HistoryFigureLines(const TerminalFigures& figures) {
  return CommonLines(figures);
}

}  // namespace quillfen
