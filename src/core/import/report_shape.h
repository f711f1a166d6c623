#pragma once

#include <string>
#include <string_view>

#include "import/statement_words.h"

namespace quillfen {

// The parts of a report told by their place and shape rather than by the
// English labels, for reports the terminal wrote in another language. The
// labels are translated there; the order rows' type words, the numbers and the
// dates are not.

// A date as the terminal prints it: "2010.01.04" or "2010/01/04".
bool IsDate(std::string_view word);
// A time: "10:00" or "10:00:00".
bool IsTime(std::string_view word);
// A number and nothing else: optional sign, digits, optional decimals.
bool IsNumber(std::string_view word);

// An order row of a statement or tester report: a whole number, a date, a
// time, then a word that is no number ("4711 2010.01.04 10:00:00 buy ...").
bool IsOrderRowShape(const StatementWords& words);

// A line of numbers only, at least `count` of them: the totals under a
// statement's section.
bool IsNumbersLine(const StatementWords& words, int count);

// Whether a statement's trade row has a taxes column: a closed trade has
// sixteen cells with it, fifteen without; an open one fourteen or thirteen.
bool HasTaxesColumn(const StatementWords& words);

// The magic number and comment that a ticket cell's tooltip carries: "#2019
// [tp]" is magic 2019 with comment "[tp]", "[tp]" a comment alone. Magic 0
// is no magic, as the terminal's own magic lines show it.
struct TicketTitle {
  std::string_view magic;
  std::string_view comment;
};
TicketTitle SplitTicketTitle(std::string_view title);

// Watches the header lines of a tester report for what its labels would name:
// the symbol is in the first row of the settings table, the row before the
// one with the testing period's dates; the initial deposit is the first amount
// after the settings.
class TesterHeaderShape {
 public:
  void Watch(std::string_view line);
  // Empty when no settings row was seen.
  const std::string& Symbol() const { return symbol_; }
  bool HasDeposit() const { return hasDeposit_; }
  double Deposit() const { return deposit_; }

 private:
  std::string previous_;
  std::string symbol_;
  bool settingsSeen_ = false;
  bool hasDeposit_ = false;
  double deposit_ = 0;
};

// The initial deposit that a tester report's first closing row shows: its
// balance less its profit, to the cent. False when the row holds no balance.
bool DepositBeforeClosingRow(const StatementWords& words, double& deposit);

}  // namespace quillfen
