#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/statement_words.h"

namespace quillfen {

// The rows of a MetaTrader 5 report, told by their shape: whatever the
// terminal's language, a row starts with a date, a time with seconds and a
// whole number, and deal types and directions stay English.

// Lots in units of 1e-8, so that volumes add up exactly.
long long Mt5VolumeUnits(std::string_view volume);
// Lots as the terminal prints them: two decimals, more only when needed.
std::string Mt5VolumeText(long long units);

// Whether the converted line starts as an order or deal row does; the words
// are the line's, as LineWords splits it.
bool IsMt5RowShape(std::string_view line);
bool IsMt5RowShape(const std::vector<LineWord>& words);

// One row of the Deals table, its cells as printed (thousands separators gone).
struct Mt5Deal {
  std::string date;
  std::string time;
  std::string number;
  std::string symbol;
  std::string type;       // buy, sell or balance
  std::string direction;  // in, out, "in out", "out by"; empty for balance
  std::string volume;
  std::string price;
  std::string order;
  std::string commission;  // with the fee, where the table has one
  std::string swap;
  std::string profit;
  std::string balance;
  std::string comment;
  // Read once from the cells above, for the pairing of deals.
  long long volumeUnits = 0;  // Mt5VolumeUnits of the volume
  double commissionAmount = 0;
  double cents = 0;  // commission, swap and profit, each in whole cents
};

// The Deals table's money cells after Order: Commission, Swap, Profit,
// Balance (13 cells a row); Fee after Commission (14); Cost before them (15).
enum class Mt5DealColumns { plain, fee, costAndFee };

// The layout a Deals header row names by its cell count, when it has one of
// the three counts (a translated heading of several words has not).
std::optional<Mt5DealColumns> Mt5DealColumnsOf(std::string_view header);

// What a row shaped as an order or deal row is: an Orders row (its volume
// "0.31 / 0.31"), a buy or sell deal, a balance deal, a deal of a type this
// program does not read, a deal row that lacks cells, or a position (an
// account history's Positions or Open Positions row: numbers after its type).
enum class Mt5Row { order, deal, balance, unknownType, cut, position };

// Sorts a line for which IsMt5RowShape holds, given its words; fills `deal`
// for deal and balance.
Mt5Row ReadMt5Row(std::string_view line, const std::vector<LineWord>& words, Mt5DealColumns columns,
                  Mt5Deal& deal);

// A row of an account history's Positions table, or of its Open Positions
// table (no close cells, a floating swap and profit and a comment).
struct Mt5Position {
  std::string date;
  std::string time;
  std::string number;
  std::string symbol;
  std::string type;
  std::string volume;
  std::string price;
  std::string stopLoss;    // 0.00 when the cell is empty
  std::string takeProfit;  // 0.00 when the cell is empty
  std::string closeDate;   // empty for an open position
  std::string closeTime;
  std::string closePrice;
  std::string commission;
  std::string swap;
  std::string profit;
  std::string comment;
};

// Reads a line that ReadMt5Row sorted as a position; false when it lacks cells.
bool ReadMt5Position(std::string_view line, const std::vector<LineWord>& words,
                     Mt5Position& position);

// The Deals table ends in a footer of four numbers, a line each or on one
// line: the commission, swap, profit and balance of the deals above it.
// Appends the line's numbers; false when it holds anything else.
bool ReadMt5Numbers(std::string_view line, std::vector<double>& numbers);

// A trade made of deals, cells as the trade table holds them. An orphan close
// has empty open cells; a trade still open has empty close cells.
struct Mt5Trade {
  std::string ticket;
  std::string type;  // the position's: buy or sell
  std::string lots;
  std::string symbol;
  std::string openDate;
  std::string openTime;
  std::string openPrice;
  std::string closeDate;
  std::string closeTime;
  std::string closePrice;
  std::string commission;
  std::string swap;
  std::string profit;
  std::string comment;
  std::string stopLoss = "0.00";
  std::string takeProfit = "0.00";
  bool orphan = false;
};

// Pairs closing deals with the entry deals of their symbol and the opposite
// type, first in first out; a close that takes part of an entry takes as much
// of its commission.
class Mt5Positions {
 public:
  // A deal with direction "in".
  void Enter(const Mt5Deal& deal);
  // The trade of a closing deal ("out", "out by", or "in out", whose volume
  // past the positions it closes opens the next one).
  Mt5Trade Close(const Mt5Deal& deal);
  // The entries left open, in the order they were made.
  std::vector<Mt5Trade> StillOpen() const;

 private:
  struct Entry {
    long long order = 0;  // the deal number
    std::string date;
    std::string time;
    std::string price;
    long long volume = 0;   // left open, in units of 1e-8 lots
    double commission = 0;  // left to take
    std::string comment;
  };
  void Enter(const Mt5Deal& deal, long long volume, double commission);

  // Entries by symbol and type ("EURUSD buy").
  std::map<std::string, std::deque<Entry>> open_;
};

}  // namespace quillfen
