#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "import/trade_table.h"
#include "report.h"
#include "text/number_format.h"

namespace quillfen {

// What every table the reader fills must satisfy: trade rows name a symbol
// (except row 0 when it only holds a magic line read before the first trade),
// the spare row is last and carries no trade, dates are normalised and a close
// date always comes with a close time.
inline void ExpectTableInvariants(const Report& report) {
  const TradeTable& table = report.full;
  ASSERT_GE(table.RowCount(), 2);
  const int spare = table.RowCount() - 1;
  for (int row = 0; row < spare; ++row) {
    if (table.Cell(col::symbol, row).empty()) {
      EXPECT_EQ(row, 0) << "trade row without a symbol";
      EXPECT_TRUE(table.Cell(col::openDate, row).empty()) << "row 0 holds a trade without symbol";
    }
    for (int column : {col::openDate, col::closeDate})
      EXPECT_EQ(table.Cell(column, row).find_first_not_of("0123456789/ "), std::string_view::npos)
          << "row " << row << " date " << table.Cell(column, row);
    EXPECT_EQ(table.Cell(col::closeDate, row).empty(), table.Cell(col::closeTime, row).empty())
        << "row " << row;
  }
  for (int column = 0; column < TradeTable::kColumns; ++column) {
    if (column == col::ticket || column == col::type) continue;
    EXPECT_TRUE(table.Cell(column, spare).empty()) << "spare row column " << column;
  }
}

// What every walk of the statistics must leave: the balance is the deposit plus
// the net profit, and the last visible row shows it.
inline void ExpectWalkInvariants(const Report& report) {
  const ReportStatistics& s = report.stats;
  EXPECT_NEAR(s.runningBalance, s.initialDeposit + s.netProfit,
              1e-9 * (1 + std::abs(s.initialDeposit) + std::abs(s.netProfit)));
  EXPECT_EQ(report.grid1.Cell(13, report.grid1.RowCount() - 1),
            FormatFixed(s.runningBalance, 13, 2));
  EXPECT_EQ(s.tradeCount, s.winCount + s.lossCount);
}

}  // namespace quillfen
