#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
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
  TextGrid(const TextGrid& other);
  TextGrid& operator=(const TextGrid& other);
  TextGrid(TextGrid&&) noexcept = default;
  TextGrid& operator=(TextGrid&&) noexcept = default;

  int Columns() const { return columns_; }
  int RowCount() const { return rowCount_; }
  // Growing adds empty rows; shrinking drops the last rows.
  void SetRowCount(int rowCount);

  // Inline: the statistics, selection and sorts read and write cells by the million.
  std::string_view Cell(int column, int row) const { return CellRef(column, row); }
  const std::string& CellRef(int column, int row) const {
    return InRange(column, row) ? At(column, row) : Empty();
  }
  void SetCell(int column, int row, std::string_view text);
  std::string& MutableCell(int column, int row) {
    assert(InRange(column, row));
    changed_ = true;
    return At(column, row);
  }

  void SwapRows(int a, int b);
  // Reorders rows first..first+order.size()-1 so that new row first+k is old row first+order[k].
  void PermuteRows(int first, const std::vector<int>& order);

  // A number that differs whenever the cells or rows may differ from those of
  // an earlier stamp, so that values derived from the cells can be kept and
  // trusted while the stamp stays the same. A copy starts with a stamp of its own.
  std::uint64_t Stamp();

 private:
  bool InRange(int column, int row) const {
    return column >= 0 && column < stored_ && row >= 0 && row < rowCount_;
  }
  std::string& At(int column, int row) const {
    const auto r = static_cast<std::size_t>(row);
    return blocks_[r / kBlockRows][(r % kBlockRows) * static_cast<std::size_t>(stored_) +
                                   static_cast<std::size_t>(column)];
  }
  static const std::string& Empty();

  // Rows live in blocks of a fixed size: a growing table never moves the cells
  // it holds nor needs twice its size, and a cell is two index steps away.
  static constexpr std::size_t kBlockRows = 256;
  using Block = std::unique_ptr<std::string[]>;

  int columns_;
  int stored_;
  int rowCount_ = 0;
  bool changed_ = true;  // since stamp_ was given
  std::uint64_t stamp_ = 0;
  std::vector<Block> blocks_;
};

}  // namespace quillfen
