#pragma once

#include "text/text_grid.h"

namespace quillfen {

// Columns of the trade table. 21, 22 and 26 to 31 carry no data.
namespace col {
constexpr int ticket = 0;
constexpr int type = 1;
constexpr int lots = 2;
constexpr int symbol = 3;
constexpr int openDate = 4;
constexpr int openTime = 5;
constexpr int openPrice = 6;
constexpr int stopLoss = 7;
constexpr int takeProfit = 8;
constexpr int closeDate = 9;
constexpr int closeTime = 10;
constexpr int closePrice = 11;
constexpr int duration = 12;
constexpr int commission = 13;
constexpr int swap = 14;
constexpr int taxes = 15;
constexpr int commissionPerLot = 16;
constexpr int swapPerLot = 17;
constexpr int taxesPerLot = 18;
constexpr int profit = 19;
constexpr int pips = 20;
constexpr int balanceSlot = 21;
constexpr int magic = 23;
constexpr int comment = 24;
constexpr int pipValuePerLot = 25;
}  // namespace col

// One row of 32 text cells per trade, first trade in row 0, always followed by
// one spare row; an empty table has two empty rows.
class TradeTable : public TextGrid {
 public:
  static constexpr int kColumns = 32;
  static constexpr int kDataColumns = 26;
  // Columns 21 and 22 are never written: they take no room.
  TradeTable() : TextGrid(kColumns, kDataColumns, 2, col::balanceSlot, col::magic) {}

  // Trade rows are 0 .. TradeRows() - 1; the spare row follows them.
  int TradeRows() const { return RowCount() - 1; }
};

}  // namespace quillfen
