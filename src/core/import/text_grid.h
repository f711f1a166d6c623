#pragma once

#include <atomic>
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
  TextGrid(TextGrid&& other) noexcept;
  TextGrid& operator=(TextGrid&& other) noexcept;
  ~TextGrid();

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
    changed_.Set();
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
    return blocks_[r >> blockShift_]
        .get()[(r & ((std::size_t{1} << blockShift_) - 1)) * static_cast<std::size_t>(stored_) +
               static_cast<std::size_t>(column)];
  }
  static const std::string& Empty();
  void AddRows(int count);
  void DropRows(int count);

  // Rows live in blocks of a fixed size: a growing table never moves the cells
  // it holds nor needs twice its size, and a cell is two index steps away. The
  // cells of a block are made as its rows are added.
  struct FreeBlock {
    void operator()(std::string* block) const;
  };
  using Block = std::unique_ptr<std::string, FreeBlock>;
  Block NewBlock() const;

  // Set by every change, taken back by Stamp. The reader finishes rows on two
  // threads, which may set it at the same moment.
  class ChangeFlag {
   public:
    ChangeFlag() = default;
    ChangeFlag(const ChangeFlag&) noexcept {}  // a copy starts changed
    ChangeFlag& operator=(const ChangeFlag&) noexcept {
      Set();
      return *this;
    }
    // Looked at first: two threads storing into one cache line by the million
    // would take it from each other at every cell.
    void Set() {
      if (!value_.load(std::memory_order_relaxed)) value_.store(true, std::memory_order_relaxed);
    }
    bool Take() { return value_.exchange(false, std::memory_order_relaxed); }

   private:
    std::atomic<bool> value_{true};
  };

  int columns_;
  int stored_;
  int rowCount_ = 0;
  int blockShift_;  // a block holds 2^blockShift_ rows
  ChangeFlag changed_;
  std::uint64_t stamp_ = 0;
  std::vector<Block> blocks_;
};

}  // namespace quillfen
