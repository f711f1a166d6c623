#include "synthetic/mt5_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "synthetic/page_writer.h"
#include "synthetic/random.h"

namespace quillfen::synthetic {

namespace {

std::string Money(long long cents) {
  std::string text;
  AppendMoney(text, cents, true, 2);
  return text;
}

// Hundredths as "12.34", ungrouped, as ratios and percentages are printed.
std::string Hundredths(long long hundredths) {
  std::string text;
  AppendMoney(text, hundredths, false, 2);
  return text;
}

// part / whole in hundredths of a percent, half to even.
long long CountPercent(long long part, long long whole) {
  if (whole <= 0) return 0;
  const long long scaled = part * 10000;
  long long hundredths = scaled / whole;
  const long long twice = 2 * (scaled % whole);
  if (twice > whole || (twice == whole && hundredths % 2 == 1)) ++hundredths;
  return hundredths;
}

// part / whole in hundredths of a percent, half up.
long long MoneyPercent(long long part, long long whole) {
  if (whole <= 0) return 0;
  return (2 * part * 10000 + whole) / (2 * whole);
}

// cents / count to the cent, halves away from zero.
long long Average(long long cents, long long count) {
  if (count <= 0) return 0;
  const long long magnitude = (2 * std::llabs(cents) + count) / (2 * count);
  return cents < 0 ? -magnitude : magnitude;
}

std::string Percent(double percent) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f%%", percent);
  return text;
}

std::string Counted(long long count, long long percent) {
  return std::to_string(count) + " (" + Hundredths(percent) + "%)";
}

std::string Ratio(double ratio, int trades) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f (%.2f%%)", trades > 0 ? ratio : 0.0,
                trades > 0 ? (ratio - 1) * 100 : 0.0);
  return text;
}

struct Runs {
  int count = 0;  // the one going on
  long long money = 0;
  int longest = 0;  // the longest, the larger amount among equally long
  long long longestMoney = 0;
  long long richest = 0;  // the most money; an equal amount counts when longer than the longest
  int richestCount = 0;
  int runs = 0;
  long long inRuns = 0;

  void End(bool losses) {
    if (count == 0) return;
    auto larger = [&](long long a, long long b) { return losses ? a < b : a > b; };
    const bool longer = count > longest || (count == longest && larger(money, longestMoney));
    const bool richer = larger(money, richest) || (money == richest && count > longest);
    if (longer) {
      longest = count;
      longestMoney = money;
    }
    if (richer) {
      richest = money;
      richestCount = count;
    }
    ++runs;
    inRuns += count;
    count = 0;
    money = 0;
  }
  std::string AverageLength() const {
    return runs == 0 ? "0" : std::to_string((2 * inRuns + runs) / (2 * runs));
  }
};

struct Walk {
  std::vector<const Mt5DealRow*> trades;
  long long start = 0;  // the balance before the first trade
  long long net = 0;    // every buy and sell deal's money
  int deals = 0;
};

Walk WalkOf(const Mt5History& history) {
  Walk walk;
  Moment first = -1;
  for (const Mt5DealRow& deal : history.deals) {
    if (deal.closes && first < 0) first = deal.time;
  }
  for (const Mt5DealRow& deal : history.deals) {
    if (deal.type == Mt5DealType::balance) {
      if (first < 0 || deal.time < first) walk.start += deal.profit;
      continue;
    }
    ++walk.deals;
    walk.net += deal.profit + deal.swap + deal.commission + deal.fee;
    if (deal.closes) walk.trades.push_back(&deal);
  }
  return walk;
}

// The balance drawdowns in cents, which the equity ones are drawn from.
struct Depths {
  long long absolute = 0;
  long long maximal = 0;
  long long relative = 0;
};

Depths TradeFigures(const Walk& walk, Mt5Results& r) {
  Depths depths;
  long long& maximal = depths.maximal;
  long long& relative = depths.relative;
  long long gross[2] = {0, 0};  // profit, loss
  int count[2] = {0, 0};
  long long largest[2] = {0, 0};
  int sides[2] = {0, 0};  // short, long
  int sidesWon[2] = {0, 0};
  Runs runs[2];
  long long balance = walk.start, peak = walk.start, lowest = walk.start;
  double maximalPercent = 0, relativePercent = 0;
  double ratios = 0;
  bool ratiosKnown = true;
  for (const Mt5DealRow* trade : walk.trades) {
    const long long cents = trade->result;
    const int loss = cents < 0 ? 1 : 0;
    // A closing buy ends a short position.
    const int side = trade->type == Mt5DealType::buy ? 0 : 1;
    ++sides[side];
    sidesWon[side] += 1 - loss;
    gross[loss] += cents;
    ++count[loss];
    largest[loss] = loss ? std::min(largest[loss], cents) : std::max(largest[loss], cents);
    runs[1 - loss].End(1 - loss == 1);
    ++runs[loss].count;
    runs[loss].money += cents;
    if (balance > 0)
      ratios += static_cast<double>(balance + cents) / static_cast<double>(balance);
    else
      ratiosKnown = false;
    balance += cents;
    lowest = std::min(lowest, balance);
    peak = std::max(peak, balance);
    const long long drop = peak - balance;
    // The terminal divides in floating point and prints the quotient rounded:
    // 104.50 of 10 000.00 prints 1.04%.
    const double percent =
        peak > 0 ? static_cast<double>(drop) * 100 / static_cast<double>(peak) : 0;
    if (drop > maximal) {
      maximal = drop;
      maximalPercent = percent;
    }
    if (percent > relativePercent) {
      relativePercent = percent;
      relative = drop;
    }
  }
  runs[0].End(false);
  runs[1].End(true);
  const int trades = count[0] + count[1];
  const long long net = gross[0] + gross[1];
  r["Total Net Profit"] = Money(walk.net);
  r["Gross Profit"] = Money(gross[0]);
  r["Gross Loss"] = Money(gross[1]);
  depths.absolute = std::max(0LL, walk.start - lowest);
  r["Balance Drawdown Absolute"] = Money(depths.absolute);
  r["Balance Drawdown Maximal"] = Money(maximal) + " (" + Percent(maximalPercent) + ")";
  r["Balance Drawdown Relative"] = Percent(relativePercent) + " (" + Money(relative) + ")";
  const long long lost = -gross[1];
  r["Profit Factor"] = Hundredths(lost > 0 ? (2 * gross[0] * 100 + lost) / (2 * lost) : 0);
  r["Expected Payoff"] = Money(Average(net, trades));
  const bool known = ratiosKnown && balance > 0 && walk.start > 0;
  const double ahpr = trades > 0 && known ? ratios / trades : 0;
  const double ghpr =
      trades > 0 && known
          ? std::pow(static_cast<double>(balance) / static_cast<double>(walk.start), 1.0 / trades)
          : 0;
  r["AHPR"] = Ratio(ahpr, trades);
  r["GHPR"] = Ratio(ghpr, trades);
  r["Total Trades"] = std::to_string(trades);
  r["Total Deals"] = std::to_string(walk.deals);
  r["Short Trades (won %)"] = Counted(sides[0], CountPercent(sidesWon[0], sides[0]));
  r["Long Trades (won %)"] = Counted(sides[1], CountPercent(sidesWon[1], sides[1]));
  r["Profit Trades (% of total)"] = Counted(count[0], CountPercent(count[0], trades));
  r["Loss Trades (% of total)"] = Counted(count[1], CountPercent(count[1], trades));
  r["Largest profit trade"] = Money(largest[0]);
  r["Largest loss trade"] = Money(largest[1]);
  r["Average profit trade"] = Money(Average(gross[0], count[0]));
  r["Average loss trade"] = Money(Average(gross[1], count[1]));
  r["Maximum consecutive wins ($)"] =
      std::to_string(runs[0].longest) + " (" + Money(runs[0].longestMoney) + ")";
  r["Maximum consecutive losses ($)"] =
      std::to_string(runs[1].longest) + " (" + Money(runs[1].longestMoney) + ")";
  r["Maximal consecutive profit (count)"] =
      Money(runs[0].richest) + " (" + std::to_string(runs[0].richestCount) + ")";
  r["Maximal consecutive loss (count)"] =
      Money(runs[1].richest) + " (" + std::to_string(runs[1].richestCount) + ")";
  r["Average consecutive wins"] = runs[0].AverageLength();
  r["Average consecutive losses"] = runs[1].AverageLength();
  return depths;
}

std::string Signed(Random& random, long long low, long long high) {
  return Hundredths(random.Between(low, high));
}

}  // namespace

std::string HoldingTime(Moment seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / kHour, seconds % kHour / kMinute,
                seconds % kMinute);
  return text;
}

Mt5Results Mt5ResultsOf(const Mt5History& history, std::uint64_t seed) {
  Mt5Results r;
  const Walk walk = WalkOf(history);
  const Depths balance = TradeFigures(walk, r);

  Random random(seed ^ 0x5eed5eedULL);
  const long long bars = std::max<long long>(1, (history.to - history.from) / kMinute);
  r["History Quality"] = "100% real ticks";
  r["Bars"] = std::to_string(bars);
  r["Ticks"] = std::to_string(bars * random.Between(20, 90));
  r["Symbols"] = std::to_string(history.instruments.size());
  // Equity falls further than the balance while positions are open.
  const long long start = std::max<long long>(1, walk.start);
  const long long extra = random.Between(0, 5000);
  r["Equity Drawdown Absolute"] = Money(balance.absolute + random.Between(0, 3000));
  const long long equityMaximal = balance.maximal + extra;
  const long long equityRelative = balance.relative + extra;
  r["Equity Drawdown Maximal"] = Money(equityMaximal) + " (" +
                                 Hundredths(MoneyPercent(equityMaximal, start + equityMaximal)) +
                                 "%)";
  r["Equity Drawdown Relative"] = Hundredths(MoneyPercent(equityRelative, start + equityRelative)) +
                                  "% (" + Money(equityRelative) + ")";
  r["Margin Level"] = Hundredths(random.Between(100000, 3000000)) + "%";
  r["Recovery Factor"] = Hundredths(equityMaximal > 0 ? walk.net * 100 / equityMaximal : 0);
  r["Sharpe Ratio"] = Signed(random, -500, 500);
  r["Z-Score"] = Signed(random, -300, 300) + " (" + Signed(random, 5000, 9999) + "%)";
  r["LR Correlation"] = Signed(random, -99, 99);
  r["LR Standard Error"] = Money(random.Between(100, 50000));
  r["OnTester result"] = "0";
  r["Correlation (Profits,MFE)"] = Signed(random, -20, 99);
  r["Correlation (Profits,MAE)"] = Signed(random, -20, 99);
  char mfeMae[16];
  std::snprintf(mfeMae, sizeof mfeMae, "%.4f", static_cast<double>(random.Between(0, 9999)) / 1e4);
  r["Correlation (MFE,MAE)"] = mfeMae;
  Moment shortest = walk.trades.empty() ? 0 : walk.trades.front()->held, longest = 0, total = 0;
  for (const Mt5DealRow* trade : walk.trades) {
    shortest = std::min(shortest, trade->held);
    longest = std::max(longest, trade->held);
    total += trade->held;
  }
  const auto trades = static_cast<Moment>(walk.trades.size());
  r["Minimal position holding time"] = HoldingTime(shortest);
  r["Maximal position holding time"] = HoldingTime(longest);
  r["Average position holding time"] = HoldingTime(trades > 0 ? total / trades : 0);
  return r;
}

}  // namespace quillfen::synthetic
