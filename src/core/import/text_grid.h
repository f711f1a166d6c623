#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

// A grid of text cells with a row count, as the trade table and the visible
// trade lists use it. Cells never written read as empty; columns from
// storedColumns on are accepted but never kept (the trade table's unused ones).
class TextGrid {
 public:
  TextGrid(int columns, int storedColumns, int rowCount);

  int Columns() const { return columns_; }
  int RowCount() const { return rowCount_; }
  // Growing adds empty rows; shrinking drops the last rows.
  void SetRowCount(int rowCount);

  std::string_view Cell(int column, int row) const;
  const std::string& CellRef(int column, int row) const;
  void SetCell(int column, int row, std::string_view text);
  std::string& MutableCell(int column, int row);

  void SwapRows(int a, int b);
  void RemoveRow(int row);
  // Reorders rows first..first+order.size()-1 so that new row first+k is old row first+order[k].
  void PermuteRows(int first, const std::vector<int>& order);

 private:
  std::size_t Index(int column, int row) const;

  int columns_;
  int stored_;
  int rowCount_ = 0;
  // A deque grows without moving the cells it holds, so a large table never
  // needs twice its size while it is read.
  std::deque<std::string> cells_;
};

}  // namespace quillfen
