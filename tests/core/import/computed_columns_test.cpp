#include "import/computed_columns.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "twins/after_reading.h"

namespace quillfen {
namespace {

// Rows of the shapes readers store: prices of two to five decimals, with
// marks or cut, lots, money of statements and tester reports, values past
// the buffer's range, missing and broken dates; every computed cell equals
// the plain twin's, for statement and tester trades.
TEST(ComputedColumns, EqualThePlainTwinOnManyRows) {
  const std::vector<std::string> prices = {"1.43150", "1.4325",   "141.097", "141.1",   "1921.35",
                                           "0.94000", "0",        "",        "1,234.5", "12.345",
                                           "-1.2",    "99999999", "0.00001", "7"};
  const std::vector<std::string> amounts = {
      "",      "0",         "0.00",  "-7.00",         "12.34", "-2 535.63",
      "1e300", "10 000.00", "-0.01", "1234567890123", "abc",   "0.1"};
  const std::vector<std::string> lots = {"0.10", "1.00",   "0.31", "0",
                                         "",     "  0.01", "100",  "0.000001"};
  const std::vector<std::string> dates = {"2024.03.01", "2024/03/04", "2023.12.31", "",
                                          "0",          "2024.02.30", "1999.01.01"};
  const std::vector<std::string> times = {"10:05", "23:59", "0:00", "", "24:00", "9:5", "12:30:15"};
  std::mt19937 random(7);
  auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  constexpr int kRows = 20000;
  TradeTable quick;
  quick.SetRowCount(kRows + 1);
  for (int row = 0; row < kRows; ++row) {
    quick.SetCell(col::type, row, row % 3 ? "buy" : "sell");
    quick.SetCell(col::openPrice, row, pick(prices));
    quick.SetCell(col::closePrice, row, pick(prices));
    quick.SetCell(col::lots, row, pick(lots));
    for (int column : {col::commission, col::swap, col::taxes, col::profit})
      quick.SetCell(column, row, pick(amounts));
    quick.SetCell(col::openDate, row, pick(dates));
    quick.SetCell(col::openTime, row, pick(times));
    quick.SetCell(col::closeDate, row, pick(dates));
    quick.SetCell(col::closeTime, row, pick(times));
  }
  TradeTable plain = quick;
  for (int row = 0; row < kRows; ++row) {
    const bool statementTrade = row % 4 != 0;
    FillComputedColumns(quick, row, statementTrade);
    testing::FillComputedColumnsPlain(plain, row, statementTrade);
    for (int column = 0; column < TradeTable::kColumns; ++column)
      ASSERT_EQ(quick.Cell(column, row), plain.Cell(column, row))
          << "row " << row << " column " << column;
  }
}

}  // namespace
}  // namespace quillfen
