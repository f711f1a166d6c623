#pragma once

#include <string>

#include "report.h"

namespace quillfen::testing {

// One trade as the reader would store it; the empty texts stay empty (every
// field has an initialiser so that designated initialisers may leave any out).
struct TestTrade {
  std::string ticket{};
  std::string symbol = "EURUSD";
  std::string lots = "1.00";
  std::string pips{};
  std::string pipValuePerLot = "10";
  std::string openDate = "2011/01/03";
  std::string openTime = "10:00";
  std::string closeDate = "2011/01/03";
  std::string closeTime = "12:00";
  std::string magic{};
  std::string commissionPerLot{};
  std::string swapPerLot{};
  std::string type = "buy";
  std::string profit{};
  std::string duration{};
};

// Stores the trade in the last row and adds a new spare row, as the reader does.
void AddTrade(Report& report, const TestTrade& trade);

// A report with grid headers, custom deposit 10000 and these trades, lists
// filled and grids rebuilt.
Report MakeReport(std::initializer_list<TestTrade> trades, const std::string& deposit = "10000");

}  // namespace quillfen::testing
