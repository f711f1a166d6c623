#include "import/printed_totals.h"

#include <cmath>

#include "text/number_format.h"

namespace quillfen {

namespace {

std::string Money(double cents, bool tester, int decimals) {
  const std::string text = FormatFixed(cents / 100, 0, tester ? 2 : decimals);
  return tester ? text : GroupThousands(text);
}

}  // namespace

double AmountCents(double amount) {
  return std::round(amount * 100);
}

std::vector<std::string> PrintedTotals::Differences() const {
  std::vector<std::string> messages;
  auto differ = [&](const char* what, double readCents, double printed, double allowedCents) {
    const double printedCents = AmountCents(printed);
    if (std::fabs(readCents - printedCents) <= allowedCents) return;
    messages.push_back(std::string("The ") + what + " read add up to " +
                       Money(readCents, tester, decimals) + "; the report prints " +
                       Money(printedCents, tester, decimals) + ": the file may be damaged.");
  };
  if (closedProfit) differ("trades", closedCents, *closedProfit, 0);
  if (depositWithdrawal) differ("deposits and withdrawals", balanceCents, *depositWithdrawal, 0);
  if (trades && *trades != testerCloses) {
    messages.push_back("The trades read number " + std::to_string(testerCloses) +
                       "; the report prints " + std::to_string(*trades) +
                       ": the file may be damaged.");
  } else if (netProfit) {
    // The tester prints each profit rounded to the cent, its total unrounded.
    differ("trades", testerCents, *netProfit, 0.5 * static_cast<double>(testerCloses));
  }
  return messages;
}

}  // namespace quillfen
