#pragma once

#include <cassert>
#include <cstdint>
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

  // Inline: the statistics, selection and sorts read and write cells by the million.
  std::string_view Cell(int column, int row) const { return CellRef(column, row); }
  const std::string& CellRef(int column, int row) const {
    return InRange(column, row) ? cells_[Index(column, row)] : Empty();
  }
  void SetCell(int column, int row, std::string_view text);
  std::string& MutableCell(int column, int row) {
    assert(InRange(column, row));
    changed_ = true;
    return cells_[Index(column, row)];
  }

  void SwapRows(int a, int b);
  void RemoveRow(int row);
  // Reorders rows first..first+order.size()-1 so that new row first+k is old row first+order[k].
  void PermuteRows(int first, const std::vector<int>& order);

  // A number that differs whenever the cells or rows differ from those of an
  // earlier stamp (copies share it), so that values derived from the cells
  // can be kept and trusted while the stamp is the same.
  std::uint64_t Stamp();

 private:
  bool InRange(int column, int row) const {
    return column >= 0 && column < stored_ && row >= 0 && row < rowCount_;
  }
  std::size_t Index(int column, int row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(stored_) +
           static_cast<std::size_t>(column);
  }
  static const std::string& Empty();

  int columns_;
  int stored_;
  int rowCount_ = 0;
  bool changed_ = true;  // since stamp_ was given
  std::uint64_t stamp_ = 0;
  // A deque grows without moving the cells it holds, so a large table never
  // needs twice its size while it is read.
  std::deque<std::string> cells_;
};

}  // namespace quillfen
