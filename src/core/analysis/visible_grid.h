#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "import/trade_table.h"
#include "text/text_grid.h"

namespace quillfen {

// Grid1 or Grid2 as a view of the trade table: row 0 the header, rows 1 on the
// selected trades. A row names the table row it shows and holds only the cells
// that the statistics walk rewrites, so a million trades are not copied twice.
// A cell written by other hands (the headers, a blank row) makes its row a
// loose row that keeps all its texts itself.
class VisibleGrid {
 public:
  // source[c] is the table column that grid column c shows (-1: none); the
  // own columns are kept per row. The mark column, when given, is an own
  // column that shows "*" or nothing, kept as one byte a row; any other text
  // written to it is kept as a loose row's would be.
  VisibleGrid(int columns, const int* source, std::initializer_list<int> own, int markColumn = -1);
  VisibleGrid(const VisibleGrid& other);
  VisibleGrid& operator=(const VisibleGrid& other);
  VisibleGrid(VisibleGrid&&) noexcept = default;
  VisibleGrid& operator=(VisibleGrid&&) noexcept = default;

  // The table the rows show; set by the report that owns both.
  void Bind(TradeTable& table) { table_ = &table; }
  // Columns that show, in rows of the table, the same row's cell of another
  // grid that holds it as its own (Grid2's Lots and Profit are Grid1's).
  void Borrow(int column, VisibleGrid& lender, int lenderColumn);

  int Columns() const { return columns_; }
  int RowCount() const { return own_.RowCount(); }
  // Growing adds empty rows; shrinking drops the last rows.
  void SetRowCount(int rowCount);

  // Inline everywhere: the statistics, charts and views read cells by the million.
  [[gnu::always_inline]] std::string_view Cell(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= RowCount()) return {};
    const int own = ownIndex_[static_cast<std::size_t>(column)];
    if (own >= 0) return own_.Cell(own, row);
    if (column == markColumn_) return MarkText(row);
    const int tableRow = rows_[static_cast<std::size_t>(row)];
    if (tableRow < 0) return loose_.Cell(column, row);
    if (const int lent = lentColumn_[static_cast<std::size_t>(column)]; lent >= 0)
      return lender_->own_.Cell(lent, row);
    const int source = source_[column];
    return source < 0 ? std::string_view() : table_->Cell(source, tableRow);
  }
  void SetCell(int column, int row, std::string_view text);
  // Asks for a cell's place in memory ahead of reading it.
  void Prefetch(int column, int row) const;

  // Grid row `row` shows table row `tableRow`, its own cells the table's texts.
  void ShowTableRow(int row, int tableRow);
  // The table row a grid row shows; -1 for a header or a row written cell by cell.
  int TableRow(int row) const {
    return row < 0 || row >= RowCount() ? -1 : rows_[static_cast<std::size_t>(row)];
  }
  // The table's own cell of the trade a grid row shows, whatever the grid
  // shows in its place; empty for a header or a row written cell by cell.
  std::string_view TableCell(int tableColumn, int row) const {
    const int tableRow = TableRow(row);
    return tableRow < 0 ? std::string_view() : table_->Cell(tableColumn, tableRow);
  }
  // Every cell of the row empty.
  void ClearRow(int row);
  void SwapRows(int a, int b);

  // The length of the longest text of each of the first `columns` columns,
  // over every row: one pass that reads each shown trade's row once.
  std::vector<int> LongestTexts(int columns) const;

  // A number that differs whenever a cell may differ from an earlier stamp,
  // the table's cells included.
  std::uint64_t Stamp();

 private:
  enum Mark : std::uint8_t { kUnmarked, kMarked, kOtherText };
  std::string_view MarkText(int row) const {
    const Mark mark = marks_[static_cast<std::size_t>(row)];
    if (mark == kOtherText) return loose_.Cell(markColumn_, row);
    return mark == kMarked ? std::string_view("*") : std::string_view();
  }
  void SetMark(int row, std::string_view text);
  void Loosen(int row);
  bool ShowsEveryTableRow() const;
  void GrowLoose(int rows);

  int columns_;
  const int* source_;
  std::array<std::int8_t, 32> ownIndex_{};    // -1: shown from the table
  std::array<std::int8_t, 32> lentColumn_{};  // the lender's own index, -1: not borrowed
  VisibleGrid* lender_ = nullptr;
  std::vector<int> ownSource_;  // the table column of each own column
  TextGrid own_;
  TextGrid loose_;         // every column, for rows 0 .. its row count - 1 at most
  std::vector<int> rows_;  // the table row of each grid row, -1 for a loose row
  int markColumn_ = -1;
  std::vector<Mark> marks_;  // by row, with the mark column
  TradeTable* table_ = nullptr;
  bool rowsChanged_ = true;
  std::uint64_t seenOwn_ = 0, seenLoose_ = 0, seenTable_ = 0, seenLender_ = 0, stamp_ = 0;
};

}  // namespace quillfen
