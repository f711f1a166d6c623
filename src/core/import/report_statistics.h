#pragma once

#include <string>
#include <vector>

#include "import/printed_figure.h"
#include "import/tester_closes.h"

namespace quillfen {

// MetaTrader 4 or 5.
enum class ReportOrigin { mt4, mt5 };

// A balance or credit row of a statement: its moment as printed and its amount.
struct BalanceRow {
  std::string date;
  std::string time;
  double amount = 0;
};

// Every figure of one report window. The first six (and a preset of
// initialDeposit) come from the statement reader; the rest from RecomputeStatistics.
struct ReportStatistics {
  double statementDeposit = 0;
  double interestTotal = 0;
  double depositTotal = 0;
  double withdrawalTotal = 0;
  double rebateTotal = 0;
  double feeTotal = 0;
  double initialDeposit = 0;
  double runningBalance = 0;
  double maxBalance = 0;
  double minBalance = 0;
  double netProfit = 0;
  double peakNetProfit = 0;
  double grossProfit = 0;
  double grossLoss = 0;
  double commissionTotal = 0;
  double swapTotal = 0;
  int tradeCount = 0;
  int winCount = 0;
  int lossCount = 0;
  double percentProfitable = 0;
  double averageWin = 0;
  double averageLoss = 0;
  double totalLots = 0;
  double totalPips = 0;
  double averagePips = 0;
  double winPips = 0;
  double lossPips = 0;
  double averageWinPips = 0;
  double averageLossPips = 0;
  double totalPipsPerLot = 0;
  double averagePipsPerLot = 0;
  double winPipsPerLot = 0;
  double lossPipsPerLot = 0;
  double averageWinPipsPerLot = 0;
  double averageLossPipsPerLot = 0;
  double largestWin = 0;
  double largestWinPips = 0;
  double largestLoss = 0;
  double largestLossPips = 0;
  double returnPercent = 0;
  double maxDrawdownPercent = 0;
  double maxDrawdown = 0;
  double periodDays = 0;

  // What the reader keeps for the terminal's own figures.
  bool testerReport = false;
  // The terminal that wrote the report: its own figures follow it.
  ReportOrigin origin = ReportOrigin::mt4;
  // A MetaTrader 5 report's buy and sell deals, and its closing deals among them.
  int mt5TradeDeals = 0;
  int mt5Closes = 0;
  // An MT5 account history rather than a tester report: its Results block is laid out otherwise.
  bool mt5History = false;
  // A statement's balance before its first row: Balance − Closed Trade P/L −
  // Deposit/Withdrawal of its summary block (0 when the history starts with the account).
  double openingBalance = 0;
  std::vector<BalanceRow> balanceRows;  // in the statement's order
  bool taxesListed = false;             // a trade of a statement paid taxes
  TesterCloses testerCloses;
  // The tester's balance after its last closing row; 0 when none was read.
  double testerFinalBalance = 0;
  // The report's own figures block as printed, under English labels, in its
  // order; empty when it prints none and in a window of several reports.
  std::vector<PrintedFigure> printedFigures;
};

}  // namespace quillfen
