#pragma once

#include <map>
#include <string>
#include <vector>

#include "import/mt5_report.h"

namespace quillfen {

// The trades of a MetaTrader 5 account history: one per row of its Positions
// table, or one per closing deal of a position closed in parts, then its
// open positions.
class Mt5History {
 public:
  void AddPosition(Mt5Position position);
  // A buy or sell deal of the Deals table, in the table's order.
  void AddDeal(const Mt5Deal& deal);
  // The closed trades in the order they closed, then the open ones.
  std::vector<Mt5Trade> TakeTrades();

 private:
  struct Close {
    std::string moment;  // "2025.11.03 09:15:02" orders as text
    long long volume = 0;
    Mt5Deal deal;
    bool claimed = false;
  };
  std::vector<Mt5Trade> Parts(const Mt5Position& position);

  std::vector<Mt5Position> closed_;
  std::vector<Mt5Position> open_;
  // The positions' volumes by their numbers, in units of 1e-8 lots.
  std::map<long long, long long> volumes_;
  // Entry deals by their order number, which is their position's number.
  std::map<long long, Mt5Deal> entries_;
  // Closing deals by symbol and deal type ("EURUSD sell" closes a long).
  std::map<std::string, std::vector<Close>> closes_;
};

}  // namespace quillfen
