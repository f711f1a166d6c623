#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "analysis/trade_selection.h"
#include "report.h"
#include "text/number_format.h"

namespace quillfen::testing {

// One visible trade as the statistics engine leaves it in the two grids.
struct GridTrade {
  std::string ticket = "1";
  std::string type = "buy";
  std::string lots = "  1.00";
  std::string symbol = "eurusd";
  std::string openDate = "2010/01/04";
  std::string openTime = "10:00";
  std::string openPrice = "1.43150";
  std::string closeDate = "2010/01/05";
  std::string closeTime = "12:30";
  std::string closePrice = "1.43250";
  std::string pips = "10";
  std::string profit = "100.00";
  std::string marker;
  std::string stopLoss = "1.42000";
  std::string takeProfit = "1.44000";
  std::string commission = "   0.00";
  std::string swap = "   0.00";
  std::string comment;
  std::string magic;
  std::string balance;  // left empty: the running balance from the deposit
};

// A report whose grids hold these trades (rows 1..n) with their running
// balances, or the single blank row with the deposit when there are none.
inline Report GridReport(const std::vector<GridTrade>& trades, double deposit) {
  Report report;
  report.stats.initialDeposit = deposit;
  const int rows = std::max<int>(2, static_cast<int>(trades.size()) + 1);
  report.grid1.SetRowCount(rows);
  report.grid2.SetRowCount(rows);
  double balance = deposit;
  for (std::size_t i = 0; i < trades.size(); ++i) {
    const GridTrade& t = trades[i];
    const int r = static_cast<int>(i) + 1;
    VisibleGrid& a = report.grid1;
    VisibleGrid& b = report.grid2;
    a.SetCell(g1::ticket, r, t.ticket);
    a.SetCell(g1::type, r, t.type);
    a.SetCell(g1::lots, r, t.lots);
    a.SetCell(g1::symbol, r, t.symbol);
    a.SetCell(g1::openDate, r, t.openDate);
    a.SetCell(g1::openTime, r, t.openTime);
    a.SetCell(g1::openPrice, r, t.openPrice);
    a.SetCell(g1::closeDate, r, t.closeDate);
    a.SetCell(g1::closeTime, r, t.closeTime);
    a.SetCell(g1::closePrice, r, t.closePrice);
    a.SetCell(g1::pips, r, t.pips);
    a.SetCell(g1::profit, r, t.profit);
    a.SetCell(g1::marker, r, t.marker);
    balance += std::stod(t.profit) + std::stod(t.swap) - std::fabs(std::stod(t.commission));
    a.SetCell(g1::balance, r, t.balance.empty() ? FormatFixed(balance, 13, 2) : t.balance);
    b.SetCell(0, r, t.ticket);
    b.SetCell(1, r, t.type);
    b.SetCell(2, r, t.lots);
    b.SetCell(3, r, t.symbol);
    b.SetCell(4, r, t.openPrice);
    b.SetCell(g2::stopLoss, r, t.stopLoss);
    b.SetCell(g2::takeProfit, r, t.takeProfit);
    b.SetCell(7, r, t.closePrice);
    b.SetCell(g2::commission, r, t.commission);
    b.SetCell(g2::swap, r, t.swap);
    b.SetCell(g2::profit, r, t.profit);
    b.SetCell(g2::comment, r, t.comment);
    b.SetCell(g2::magic, r, t.magic);
  }
  if (trades.empty()) report.grid1.SetCell(g1::balance, 1, FormatFixed(deposit, 13, 2));
  return report;
}

}  // namespace quillfen::testing
