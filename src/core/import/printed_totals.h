#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillfen {

// A report's own totals as it prints them, against what the rows read add up
// to: whatever no rule of the reader foresaw (a damaged or cut page, a row
// shaped as no row before it) shows as a difference. Money is kept in cents.
struct PrintedTotals {
  bool tester = false;
  // A statement prints its money with the account's decimals (none for a JPY
  // account) and grouped thousands; a tester report "%.2f".
  int decimals = 2;

  // What the report prints; none when it prints no such total.
  std::optional<double> closedProfit;       // a statement's "Closed Trade P/L"
  std::optional<double> depositWithdrawal;  // a statement's "Deposit/Withdrawal"
  std::optional<double> netProfit;          // a tester report's "Total net profit"
  std::optional<long long> trades;          // a tester report's "Total trades"

  // What the rows read add up to.
  double closedCents = 0;   // closed trades' profit, commission, taxes and swap
  double balanceCents = 0;  // balance rows
  double testerCents = 0;   // the profit of every closing row of a test
  long long testerCloses = 0;

  // One message for each total that differs from its rows; none when they agree.
  std::vector<std::string> Differences() const;
};

// An amount in whole cents, as a report prints it.
double AmountCents(double amount);

}  // namespace quillfen
