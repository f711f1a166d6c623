#include <gtest/gtest.h>

#include <string>

#include "analysis/trade_selection.h"
#include "report.h"

namespace quillfen {
namespace {

// Three trades of two symbols; the table columns the grids show hold texts
// that name their column and row, so a cell read from the wrong place shows.
Report ThreeTrades() {
  Report report;
  WriteGridHeaders(report);
  report.full.SetRowCount(4);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < TradeTable::kDataColumns; ++column)
      report.full.SetCell(column, row, "c" + std::to_string(column) + "r" + std::to_string(row));
    report.full.SetCell(col::symbol, row, row == 1 ? "usdjpy" : "eurusd");
    report.full.SetCell(col::comment, row, std::string(20 + row, 'x'));  // a long text
  }
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  FillMagicList(report.full, report.magicListBox);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  return report;
}

// Every cell, as a plain scan over the grid reads them.
std::vector<int> LongestByCells(const VisibleGrid& grid, int columns) {
  std::vector<int> longest(static_cast<std::size_t>(columns), 0);
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < columns; ++c)
      longest[static_cast<std::size_t>(c)] =
          std::max(longest[static_cast<std::size_t>(c)], static_cast<int>(grid.Cell(c, r).size()));
  return longest;
}

TEST(VisibleGrid, RowsShowTheirTradesAndKeepWhatIsWrittenToThem) {
  Report report = ThreeTrades();
  VisibleGrid& grid = report.grid2;
  ASSERT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Cell(0, 0), "Ticket");
  EXPECT_EQ(grid.Cell(0, 2), "c0r1");
  EXPECT_EQ(grid.Cell(g2::stopLoss, 3), "c7r2");
  EXPECT_EQ(grid.Cell(g2::comment, 1), std::string(20, 'x'));
  EXPECT_EQ(report.grid1.Cell(g1::marker, 1), "");  // no table column behind it

  // A written cell makes the row its own; the table row stays as it was.
  grid.SetCell(g2::stopLoss, 2, "1.5");
  EXPECT_EQ(grid.Cell(g2::stopLoss, 2), "1.5");
  EXPECT_EQ(grid.Cell(g2::takeProfit, 2), "c8r1");
  EXPECT_EQ(report.full.Cell(col::stopLoss, 1), "c7r1");

  grid.SwapRows(1, 2);
  EXPECT_EQ(grid.Cell(g2::stopLoss, 1), "1.5");
  EXPECT_EQ(grid.Cell(g2::stopLoss, 2), "c7r0");
  grid.SetRowCount(2);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.Cell(0, 3), "");
  EXPECT_EQ(grid.Cell(g2::stopLoss, 1), "1.5");

  // A copy shows its own report's table.
  Report copy = report;
  copy.full.SetCell(col::ticket, 1, "changed");
  EXPECT_EQ(copy.grid1.Cell(0, 2), "changed");
  EXPECT_EQ(report.grid1.Cell(0, 2), "c0r1");
}

TEST(VisibleGrid, Grid2ShowsGrid1sLotsAndProfitUntilWrittenOtherwise) {
  Report report = ThreeTrades();
  report.grid1.SetCell(g1::lots, 1, "  0.50");
  EXPECT_EQ(report.grid2.Cell(g2::lots, 1), "  0.50");
  const auto before = report.grid2.Stamp();
  report.grid1.SetCell(g1::profit, 1, "-3.00");
  EXPECT_NE(report.grid2.Stamp(), before);
  EXPECT_EQ(report.grid2.Cell(g2::profit, 1), "-3.00");
  report.grid2.SetCell(g2::profit, 1, "7.00");
  EXPECT_EQ(report.grid2.Cell(g2::profit, 1), "7.00");
  EXPECT_EQ(report.grid2.Cell(g2::lots, 1), "  0.50");
  EXPECT_EQ(report.grid1.Cell(g1::profit, 1), "-3.00");
}

// The marker column keeps "*" or nothing as a byte a row, and any other
// text as a loose row keeps it, through swaps, loosening and copies.
TEST(VisibleGrid, MarkerKeepsItsTextsThroughMoves) {
  Report report = ThreeTrades();
  VisibleGrid& grid = report.grid1;
  auto stamp = grid.Stamp();
  grid.SetCell(g1::marker, 1, "*");
  EXPECT_NE(grid.Stamp(), stamp);
  stamp = grid.Stamp();
  grid.SetCell(g1::marker, 1, "*");
  EXPECT_EQ(grid.Stamp(), stamp);  // the same mark again changes nothing
  grid.SetCell(g1::marker, 2, "peak");
  EXPECT_EQ(grid.Cell(g1::marker, 1), "*");
  EXPECT_EQ(grid.Cell(g1::marker, 2), "peak");
  EXPECT_EQ(grid.Cell(g1::ticket, 2), "c0r1");  // the row still shows its trade

  grid.SwapRows(1, 3);
  grid.SwapRows(2, 3);
  EXPECT_EQ(grid.Cell(g1::marker, 3), "peak");
  EXPECT_EQ(grid.Cell(g1::marker, 2), "*");
  EXPECT_EQ(grid.Cell(g1::marker, 1), "");
  grid.SetCell(g1::symbol, 2, "loose now");
  EXPECT_EQ(grid.Cell(g1::marker, 2), "*");

  const Report copy = report;
  EXPECT_EQ(copy.grid1.Cell(g1::marker, 3), "peak");
  EXPECT_EQ(copy.grid1.Cell(g1::marker, 2), "*");
  grid.ShowTableRow(2, 0);
  EXPECT_EQ(grid.Cell(g1::marker, 2), "");
  EXPECT_EQ(grid.LongestTexts(grid.Columns())[g1::marker], 4);
}

TEST(VisibleGrid, StampFollowsTheTableBehindIt) {
  Report report = ThreeTrades();
  const auto before = report.grid1.Stamp();
  EXPECT_EQ(report.grid1.Stamp(), before);
  report.full.SetCell(col::pips, 0, "12");
  EXPECT_NE(report.grid1.Stamp(), before);
}

void ExpectLongestAsScanned(const Report& report, const char* step) {
  for (const VisibleGrid* grid : {&report.grid1, &report.grid2})
    for (int columns : {0, 5, grid->Columns()})
      EXPECT_EQ(grid->LongestTexts(columns), LongestByCells(*grid, columns)) << step;
}

TEST(VisibleGrid, LongestTextsEqualAScanOfEveryCell) {
  Report report = ThreeTrades();
  ExpectLongestAsScanned(report, "every trade shown");  // the table's kept lengths

  // A table cell grows after the lengths were kept; then the rows are
  // reordered, which keeps them; then one shrinks.
  report.full.SetCell(col::stopLoss, 1, std::string(25, '7'));
  ExpectLongestAsScanned(report, "a cell grown");
  report.full.SwapRows(0, 2);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  ExpectLongestAsScanned(report, "rows reordered");
  report.full.SetCell(col::stopLoss, 2, "1");
  report.full.SetCell(col::stopLoss, 1, "1");
  ExpectLongestAsScanned(report, "cells shrunk");

  // Some trades left out: the shown rows alone count.
  report.pairsListBox.SetSelected(0, false);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  ExpectLongestAsScanned(report, "one symbol");

  report.grid2.SetCell(g2::stopLoss, 1, std::string(30, '9'));  // a loose row
  report.grid1.SetCell(g1::balance, 1, "     123456.78");
  ExpectLongestAsScanned(report, "loose rows");

  // Rows as many as the table's trades, but not all of them: the table lost
  // its first trade's row after the grids were built.
  Report shrunk = ThreeTrades();
  shrunk.pairsListBox.SetSelected(0, false);  // eurusd: rows 0 and 2 out
  RebuildTradeGrids(shrunk, shrunk.pairsListBox, shrunk.magicListBox, shrunk.options.display);
  shrunk.full.SetRowCount(2);
  ExpectLongestAsScanned(shrunk, "grid out of step");
}

}  // namespace
}  // namespace quillfen
