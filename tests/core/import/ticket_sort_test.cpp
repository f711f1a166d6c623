#include "import/ticket_sort.h"
#include "report.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "import/order_index.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

// The exchange procedure as written: every pair i < j of trade rows, exchanged
// when both tickets are positive and row j's is smaller, or equal and row j
// came first (its first place is in the comment column).
void LiteralSortByTicket(TradeTable& table) {
  const int rows = table.TradeRows();
  auto first = [&](int row) { return std::stoi(std::string(table.Cell(col::comment, row))); };
  for (int i = 0; i < rows; ++i)
    for (int j = i + 1; j < rows; ++j) {
      int a = TextToWhole(table.Cell(col::ticket, i));
      int b = TextToWhole(table.Cell(col::ticket, j));
      if (a > 0 && b > 0 && (b < a || (b == a && first(j) < first(i)))) table.SwapRows(i, j);
    }
}

// The same procedure on keys, equal keys ordered by where they stood.
std::vector<int> LiteralTicketOrder(std::vector<int> keys) {
  std::vector<int> order(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) order[i] = static_cast<int>(i);
  for (std::size_t i = 0; i < keys.size(); ++i)
    for (std::size_t j = i + 1; j < keys.size(); ++j)
      if (keys[j] < keys[i] || (keys[j] == keys[i] && order[j] < order[i])) {
        std::swap(keys[i], keys[j]);
        std::swap(order[i], order[j]);
      }
  return order;
}

TEST(TicketOrder, MatchesTheLiteralProcedure) {
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    const int n = static_cast<int>(random() % 40);
    const int spread = 1 + static_cast<int>(random() % (round % 2 ? 5 : 1000));
    std::vector<int> keys(static_cast<std::size_t>(n));
    for (int& key : keys) key = 1 + static_cast<int>(random() % static_cast<unsigned>(spread));
    ASSERT_EQ(TicketOrder(keys), LiteralTicketOrder(keys)) << "round " << round;
  }
}

TEST(SortByTicket, MatchesTheLiteralProcedureOnRandomTables) {
  const char* tickets[] = {"5",   "3",    "3", "9", "0", "",           "-4",
                           "abc", "12.7", "1", "9", "7", "2147483648", "4"};
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    Report report;
    const int rows = static_cast<int>(random() % 14);
    report.full.SetRowCount(rows + 1);
    for (int row = 0; row < rows; ++row) {
      report.full.SetCell(col::ticket, row, tickets[random() % std::size(tickets)]);
      report.full.SetCell(col::comment, row, std::to_string(row));  // who is where
      report.full.SetCell(col::symbol, row, "eurusd");
    }
    TradeTable literal = report.full;
    LiteralSortByTicket(literal);
    SortByTicket(report.full);
    ASSERT_EQ(report.full.RowCount(), rows + 1);
    for (int row = 0; row <= rows; ++row)
      for (int column : {col::ticket, col::comment, col::symbol})
        ASSERT_EQ(report.full.Cell(column, row), literal.Cell(column, row))
            << "round " << round << " row " << row;
  }
}

// A statement added to itself: every ticket twice, the copies after the
// originals; each pair ends side by side, the first read first.
TEST(SortByTicket, RepeatedTicketsKeepTheirOrder) {
  Report report;
  const int trades = 20000;
  report.full.SetRowCount(2 * trades + 1);
  for (int copy = 0; copy < 2; ++copy)
    for (int t = 0; t < trades; ++t) {
      const int row = copy * trades + t;
      report.full.SetCell(col::ticket, row, std::to_string(trades - t));
      report.full.SetCell(col::comment, row, copy == 0 ? "first" : "second");
      report.full.SetCell(col::symbol, row, "eurusd");
    }
  SortByTicket(report.full);
  for (int t = 0; t < trades; ++t) {
    ASSERT_EQ(report.full.Cell(col::ticket, 2 * t), std::to_string(t + 1));
    ASSERT_EQ(report.full.Cell(col::ticket, 2 * t + 1), std::to_string(t + 1));
    ASSERT_EQ(report.full.Cell(col::comment, 2 * t), "first");
    ASSERT_EQ(report.full.Cell(col::comment, 2 * t + 1), "second");
  }
}

TEST(SortByTicket, LeavesTheSpareRowLast) {
  Report report;
  report.full.SetRowCount(4);
  for (int row = 0; row < 3; ++row) {
    report.full.SetCell(col::ticket, row, std::to_string(3 - row));
    report.full.SetCell(col::symbol, row, "x");
  }
  report.full.SetCell(col::ticket, 3, "1");  // a balance line's ticket in the spare row
  SortByTicket(report.full);
  EXPECT_EQ(report.full.Cell(col::ticket, 0), "1");
  EXPECT_EQ(report.full.Cell(col::ticket, 2), "3");
  EXPECT_EQ(report.full.Cell(col::symbol, 3), "");
}

// The backward search the reader's order index stands for.
int LiteralFind(const TradeTable& table, int nextRow, long long ticketBase, long long order) {
  for (int row = nextRow - 1; row >= 0; --row)
    if (TextToWhole(table.Cell(col::ticket, row)) - ticketBase == order) return row;
  return -1;
}

// Random tickets, and runs of 1, 2, 3 … that a repeat, a step back or a
// number far off breaks.
TEST(OrderIndex, FindsWhatTheBackwardSearchFinds) {
  const char* tickets[] = {"1", "2", "2", "10001", "10002", "0", "", "x", "2147483648", "10000"};
  std::mt19937 random(3);
  for (int round = 0; round < 1000; ++round) {
    const long long base = round % 2 ? 10000 : 0;
    const bool runs = round % 4 >= 2;
    TradeTable table;
    OrderIndex index;
    const int rows = static_cast<int>(random() % 20);
    table.SetRowCount(rows + 1);
    for (int row = 0; row < rows; ++row) {
      const bool inRun = runs && random() % 8 != 0;
      table.SetCell(
          col::ticket, row,
          inRun ? std::to_string(base + 1 + row) : tickets[random() % std::size(tickets)]);
      index.Store(TextToWhole(table.Cell(col::ticket, row)) - base, row);
      for (long long order : {-10000LL, 0LL, 1LL, 2LL, 3LL, 10000LL, 10001LL})
        ASSERT_EQ(index.Find(order), LiteralFind(table, row + 1, base, order));
    }
  }
}

}  // namespace
}  // namespace quillfen
