#include "text/text_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace quillfen {
namespace {

// Enough rows to span several blocks of the widest grid.
constexpr int kRows = 5000;

std::string Text(int column, int row) {
  return std::to_string(row) + "/" + std::to_string(column) + std::string(20, 'x');
}

void Fill(TextGrid& grid) {
  for (int row = 0; row < grid.RowCount(); ++row)
    for (int column = 0; column < grid.Columns(); ++column)
      grid.SetCell(column, row, Text(column, row));
}

TEST(TextGrid, RowsComeBackEmptyAfterShrinkingAcrossBlocks) {
  TextGrid grid(26, 26, kRows);
  Fill(grid);
  grid.SetRowCount(3);
  grid.SetRowCount(kRows);
  EXPECT_EQ(grid.Cell(25, 2), Text(25, 2));
  for (int row : {3, 2047, 2048, kRows - 1}) EXPECT_EQ(grid.Cell(0, row), "") << row;
  EXPECT_EQ(grid.Cell(26, 0), "");  // beyond the stored columns
  EXPECT_EQ(grid.Cell(0, kRows), "");
}

// Room made on another thread while the grid is written here: the rows that
// grow into it start empty and keep what is written, before and after.
TEST(TextGrid, RoomMadeAsideTakesRowsThatStartEmpty) {
  TextGrid grid(26, 26, 10);
  Fill(grid);
  const int before = grid.RowsWithRoom();
  std::vector<TextGrid::Room> rooms(2);
  std::thread aside([&] {
    for (TextGrid::Room& room : rooms) {
      room = grid.MakeRoom();
      while (room.BackSome()) {
      }
    }
  });
  for (int row = 0; row < 10; ++row) grid.SetCell(3, row, "written here");
  aside.join();
  for (TextGrid::Room& room : rooms) grid.AddRoom(std::move(room));
  EXPECT_EQ(grid.RowsWithRoom(), before + 2 * grid.RowsPerRoom());
  const int rows = before + grid.RowsPerRoom() + 5;
  grid.SetRowCount(rows);
  EXPECT_EQ(grid.Cell(3, 9), "written here");
  EXPECT_EQ(grid.Cell(4, 9), Text(4, 9));
  for (int row : {10, before, rows - 1}) EXPECT_EQ(grid.Cell(0, row), "") << row;
  grid.SetCell(25, rows - 1, Text(25, rows - 1));
  EXPECT_EQ(grid.Cell(25, rows - 1), Text(25, rows - 1));
  EXPECT_EQ(grid.RowsWithRoom(), before + 2 * grid.RowsPerRoom());  // no block was added
  grid.SetRowCount(2);
  EXPECT_EQ(grid.RowsWithRoom(), before);  // the room beyond the rows is given back
}

TEST(TextGrid, CopiesAndMovesKeepEveryCell) {
  TextGrid grid(14, 14, kRows);
  Fill(grid);
  TextGrid copy(grid);
  const std::uint64_t stamp = grid.Stamp();
  TextGrid moved(std::move(grid));
  EXPECT_EQ(grid.RowCount(), 0);  // the moved-from grid is empty and reads as changed
  EXPECT_NE(grid.Stamp(), stamp);
  for (const TextGrid* g : {&copy, &moved})
    for (int row : {0, 4095, 4096, kRows - 1}) EXPECT_EQ(g->Cell(13, row), Text(13, row));
  copy = moved;
  moved = TextGrid(14, 14, 2);
  EXPECT_EQ(copy.Cell(0, kRows - 1), Text(0, kRows - 1));
  EXPECT_EQ(moved.Cell(0, 1), "");

  TextGrid unstored(5, 0, 3);  // columns accepted, none kept
  TextGrid unstoredCopy(unstored);
  EXPECT_EQ(unstoredCopy.RowCount(), 3);
  EXPECT_EQ(unstoredCopy.Cell(0, 0), "");
  unstoredCopy.SetRowCount(1);
  EXPECT_EQ(unstoredCopy.RowCount(), 1);
}

// Cells change between the short form kept in place and the long one on the
// heap, at the 15/16 boundary and from their own text.
TEST(TextGrid, CellsKeepTextOfEveryLengthThroughRewrites) {
  TextGrid grid(3, 3, 2);
  const std::string lengths[] = {"",
                                 "a",
                                 "abc",
                                 "abcd",
                                 "abcdefg",
                                 "abcdefgh",
                                 std::string(15, 'f'),
                                 std::string(16, 's'),
                                 std::string(300, 'l')};
  for (const std::string& before : lengths) {
    for (const std::string& after : lengths) {
      grid.SetCell(1, 1, before);
      ASSERT_EQ(grid.Cell(1, 1), before);
      grid.SetCell(1, 1, after);
      ASSERT_EQ(grid.Cell(1, 1), after) << before.size() << " -> " << after.size();
      EXPECT_EQ(grid.Cell(0, 1), "");
      EXPECT_EQ(grid.Cell(2, 1), "");
    }
  }
  for (const std::string& text : lengths) {  // a cell set from its own text, or from part of it
    grid.SetCell(0, 0, text);
    grid.SetCell(0, 0, grid.Cell(0, 0));
    EXPECT_EQ(grid.Cell(0, 0), text);
    grid.SetCell(0, 0, grid.Cell(0, 0).substr(text.size() / 2));
    EXPECT_EQ(grid.Cell(0, 0), text.substr(text.size() / 2));
  }
  grid.SetCell(2, 0, "2023.01.03");
  for (char& c : grid.CellCharacters(2, 0))
    if (c == '.') c = '/';
  grid.SetCell(2, 1, std::string(20, '.'));
  grid.CellCharacters(2, 1)[19] = 'x';
  EXPECT_EQ(grid.Cell(2, 0), "2023/01/03");
  EXPECT_EQ(grid.Cell(2, 1), std::string(19, '.') + "x");
}

// Tags go with their rows through every move, and rows added or left come
// without one.
TEST(TextGrid, PermutesRowsAcrossBlocksWithTheirTags) {
  TextGrid grid(26, 26, kRows);
  Fill(grid);
  EXPECT_EQ(grid.RowTag(5), TextGrid::kNoTag);
  for (int row = 0; row < kRows; row += 2) grid.SetRowTag(row, static_cast<std::uint32_t>(row));
  std::vector<int> order;
  for (int k = 3000; k >= 0; --k) order.push_back(k);
  grid.PermuteRows(1000, order);
  EXPECT_EQ(grid.Cell(7, 1000), Text(7, 4000));
  EXPECT_EQ(grid.RowTag(1000), 4000u);
  EXPECT_EQ(grid.Cell(7, 4000), Text(7, 1000));
  EXPECT_EQ(grid.RowTag(4000), 1000u);
  EXPECT_EQ(grid.RowTag(3999), TextGrid::kNoTag);
  EXPECT_EQ(grid.Cell(7, 999), Text(7, 999));
  grid.SwapRows(0, kRows - 1);
  EXPECT_EQ(grid.Cell(0, 0), Text(0, kRows - 1));
  EXPECT_EQ(grid.RowTag(0), TextGrid::kNoTag);
  EXPECT_EQ(grid.RowTag(kRows - 1), 0u);

  TextGrid copy = grid;
  EXPECT_EQ(copy.RowTag(4000), 1000u);
  TextGrid moved = std::move(copy);
  EXPECT_EQ(moved.RowTag(4000), 1000u);
  moved.SetRowCount(10);
  moved.SetRowCount(kRows);
  EXPECT_EQ(moved.RowTag(8), 8u);
  EXPECT_EQ(moved.RowTag(4000), TextGrid::kNoTag);
}

}  // namespace
}  // namespace quillfen
