#include "export/table_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "twins/after_reading.h"

namespace quillfen {
namespace {

std::string Quick(const TradeTable& table) {
  std::ostringstream out;
  WriteTableText(table, out);
  return out.str();
}

std::string Plain(const TradeTable& table) {
  std::ostringstream out;
  testing::WriteTableTextPlain(table, out);
  return out.str();
}

// Cells of every length around the sixteen bytes copied whole, long ones on
// the heap, a cell longer than the whole buffer, cells of columns never kept,
// and enough rows to fill the buffer many times over.
TEST(TableText, EqualsThePlainTwin) {
  TradeTable table;
  EXPECT_EQ(Quick(table), Plain(table));  // the spare rows alone
  constexpr int kRows = 6000;
  table.SetRowCount(kRows);
  for (int row = 0; row < kRows; ++row)
    for (int column = 0; column < TradeTable::kColumns; ++column)
      if ((row + column) % 5 != 0)
        table.SetCell(column, row,
                      std::string(static_cast<std::size_t>((row * 7 + column) % 41),
                                  static_cast<char>('a' + column % 26)));
  table.SetCell(col::comment, 17, std::string(200000, 'x'));
  table.SetCell(col::comment, 18, "short again");
  // A cell that held a long text and now a short one.
  table.SetCell(col::symbol, 20, std::string(30, 's'));
  table.SetCell(col::symbol, 20, "EURUSD");
  const std::string text = Quick(table);
  EXPECT_EQ(text, Plain(table));
  EXPECT_GT(text.size(), std::size_t{1} << 20);
}

}  // namespace
}  // namespace quillfen
