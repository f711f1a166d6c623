#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/position_sizing.h"
#include "analysis/trade_selection.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

// Bookkeeping of the walk that is not part of the figures.
struct DrawdownTrack {
  double bestPercent = 0;
  double amount = 0;
  int troughRow = 0;
  int peakRow = 0;
  int currentPeakRow = 1;
};

void ApplyDeposit(ReportStatistics& s, ReportOptions& options) {
  if (s.statementDeposit == 0 && options.deposit == DepositChoice::statement)
    options.deposit = DepositChoice::custom;
  double deposit = options.deposit == DepositChoice::statement ? s.statementDeposit
                                                               : TextToAmount(options.depositText);
  s.initialDeposit = s.runningBalance = s.maxBalance = s.minBalance = deposit;
}

void ResetFigures(ReportStatistics& s) {
  s.netProfit = s.grossProfit = s.grossLoss = s.peakNetProfit = 0;
  s.tradeCount = s.winCount = s.lossCount = 0;
  s.percentProfitable = 0;
  s.totalPips = s.winPips = s.lossPips = 0;
  s.totalPipsPerLot = s.winPipsPerLot = s.lossPipsPerLot = 0;
  s.returnPercent = s.swapTotal = s.commissionTotal = 0;
  s.averageWin = s.averageLoss = s.averageWinPips = s.averageLossPips = 0;
  s.averageWinPipsPerLot = s.averageLossPipsPerLot = 0;
  s.largestWin = s.largestWinPips = s.largestLoss = s.largestLossPips = 0;
  s.totalLots = 0;
}

void WriteMoneyText(VisibleGrid& grid, int column, int row, double value, int width) {
  thread_local std::string text;  // one buffer for every cell written
  FormatFixedTo(text, value, width, 2);
  grid.SetCell(column, row, text);
}

// "%W.2f" into the cell; a cell that shows the value already is left alone.
// Equal values print alike (the two zeros too), and no value equals kUnknown.
bool WriteMoney(VisibleGrid& grid, int column, int row, double value, int width, double& shown) {
  if (value == shown) return false;
  WriteMoneyText(grid, column, row, value, width);
  shown = value;
  return true;
}

// Books the result of one trade into the win or loss figures.
void BookResult(ReportStatistics& s, double profit, double result, double weightedPips,
                double pips) {
  if (result >= 0) {  // a zero result counts as a win
    ++s.winCount;
    s.grossProfit += result;
    s.winPips += weightedPips;
    s.winPipsPerLot += pips;
    if (profit > s.largestWin) {
      s.largestWin = profit;
      s.largestWinPips = weightedPips;
    }
  } else {
    ++s.lossCount;
    s.grossLoss += result;
    s.lossPips += weightedPips;
    s.lossPipsPerLot += pips;
    if (profit < s.largestLoss) {
      s.largestLoss = profit;
      s.largestLossPips = weightedPips;
    }
  }
}

void TrackDrawdown(const ReportStatistics& s, int row, DrawdownTrack& dd) {
  if (s.maxBalance == 0 || !(s.maxBalance > s.minBalance)) return;
  double percent = (s.peakNetProfit - s.netProfit) * 100 / s.maxBalance;
  if (percent > dd.bestPercent) {  // the first of equal drawdowns stays
    dd.bestPercent = percent;
    dd.amount = s.peakNetProfit - s.netProfit;
    dd.troughRow = row;
    dd.peakRow = dd.currentPeakRow;
  }
}

// Sizes, writes and books the trade in grid row r.
void WalkTrade(TradeViews& views, ReportStatistics& s, const SizingRule& rule, WalkRow& in, int r,
               DrawdownTrack& dd) {
  VisibleGrid& grid1 = views.grid1;
  VisibleGrid& grid2 = views.grid2;
  double lots = LotsForTrade(rule, in.lots, s.runningBalance);
  if (WriteMoney(grid1, g1::lots, r, lots, 6, in.lotsShown)) {
    grid2.SetCell(g2::lots, r, grid1.Cell(g1::lots, r));
    in.lots = TextToAmount(grid1.Cell(g1::lots, r));  // what the next walk reads
  }
  s.totalLots += lots;

  double pipValue = in.pipValuePerLot;
  double factor = PipValueFactor(rule, pipValue);
  double pips = in.pips;
  // A trade closed at its open price, or without lots, has no pip value to
  // size: as the statement's own sizing it keeps the profit it printed (a fee).
  double profit = rule.choice == SizingChoice::original && pipValue == 0
                      ? in.printedProfit
                      : pips * lots * pipValue * factor;
  // "%10.2f" trimmed of its padding is "%.2f".
  if (WriteMoney(grid1, g1::profit, r, profit, 0, in.profitShown))
    grid2.SetCell(g2::profit, r, grid1.Cell(g1::profit, r));
  double commission = in.commissionPerLot * lots;
  WriteMoney(grid2, g2::commission, r, commission, 7, in.commissionShown);
  double swap = in.swapPerLot * lots * factor;
  WriteMoney(grid2, g2::swap, r, swap, 7, in.swapShown);

  double weightedPips = lots * pips;
  s.totalPips += weightedPips;
  s.totalPipsPerLot += pips;
  double change = profit - std::fabs(commission) + swap;
  in.result = change;
  in.balanceBefore = s.runningBalance;
  s.runningBalance += change;
  WriteMoney(grid1, g1::balance, r, s.runningBalance, 13, in.balanceShown);
  s.netProfit += change;
  s.peakNetProfit = std::max(s.peakNetProfit, s.netProfit);
  BookResult(s, profit, profit + commission + swap, weightedPips, pips);
  ++s.tradeCount;
  s.commissionTotal += commission;
  s.swapTotal += swap;

  if (s.runningBalance > s.maxBalance) {
    s.maxBalance = s.runningBalance;
    dd.currentPeakRow = r;
  }
  if (s.runningBalance < s.minBalance) s.minBalance = s.runningBalance;
  TrackDrawdown(s, r, dd);
}

// "*" on the rows of the maximum drawdown, nothing on every other row.
void MarkDrawdown(VisibleGrid& grid1, double initialDeposit, const DrawdownTrack& dd,
                  std::vector<WalkRow>& rows) {
  int first = 0;
  int last = -1;
  if (dd.troughRow > 0) {
    first = dd.peakRow + 1;
    last = dd.troughRow;
    // The peak was the deposit itself, before the first trade.
    if (first == 2 && TextToAmount(grid1.Cell(g1::balance, 1)) < initialDeposit) first = 1;
  }
  for (int r = 1; r < grid1.RowCount(); ++r) {
    std::int8_t marked = r >= first && r <= last;
    std::int8_t& shown = rows[static_cast<std::size_t>(r)].marked;
    if (marked == shown) continue;
    grid1.SetCell(g1::marker, r, marked ? "*" : "");
    shown = marked;
  }
}

void Averages(ReportStatistics& s) {
  if (s.winCount > 0) {
    s.averageWin = s.grossProfit / s.winCount;
    s.averageWinPips = s.winPips / s.winCount;
    s.averageWinPipsPerLot = s.winPipsPerLot / s.winCount;
  }
  if (s.lossCount > 0) {
    s.averageLoss = s.grossLoss / s.lossCount;
    s.averageLossPips = s.lossPips / s.lossCount;
    s.averageLossPipsPerLot = s.lossPipsPerLot / s.lossCount;
  }
  if (s.tradeCount > 0) {
    s.percentProfitable = s.winCount * 100.0 / s.tradeCount;
    s.averagePips = s.totalPips / s.tradeCount;
    s.averagePipsPerLot = s.totalPipsPerLot / s.tradeCount;
  }
}

}  // namespace

void RecomputeStatistics(TradeViews& views, ReportStatistics& s, ReportOptions& options,
                         Progress* pump) {
  ApplyDeposit(s, options);
  ResetFigures(s);
  SizingRule rule = ReadSizingRule(options);
  DrawdownTrack dd;
  VisibleGrid& grid1 = views.grid1;
  std::vector<WalkRow>& rows = views.walkCache.Rows(grid1, views.grid2, pump);
  for (int r = 1; r < grid1.RowCount(); ++r) {
    PumpEveryRows(pump, r);
    WalkRow& in = rows[static_cast<std::size_t>(r)];
    if (!in.trade)  // the blank row of an empty list
      WriteMoney(grid1, g1::balance, r, s.runningBalance, 13, in.balanceShown);
    else
      WalkTrade(views, s, rule, in, r, dd);
  }
  MarkDrawdown(grid1, s.initialDeposit, dd, rows);
  views.walkCache.Keep(grid1, views.grid2);
  Averages(s);
  if (s.initialDeposit > 0) {
    s.returnPercent = s.netProfit * 100 / s.initialDeposit;
    s.maxDrawdownPercent = dd.bestPercent;
    s.maxDrawdown = dd.amount;
  }
  s.periodDays = views.walkCache.Period().Days();
}

void ImportReportFigures(const ReportStatistics& s, SimulationOptions& sim) {
  if (!sim.importFromReport) return;
  double win = sim.dollars ? s.averageWin : s.averageWinPips;
  double loss = sim.dollars ? s.averageLoss : s.averageLossPips;
  sim.avgProfitText = FormatFixed(std::fabs(win), 0, 1);
  sim.avgLossText = FormatFixed(std::fabs(loss), 0, 1);
  sim.percWinsText = FormatFixed(std::fabs(s.percentProfitable), 0, 1);
}

}  // namespace quillfen
