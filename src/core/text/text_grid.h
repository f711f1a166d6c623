#pragma once

#include <atomic>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace quillfen {

// A grid of text cells with a row count, as the trade table and the visible
// trade lists use it. Cells never written read as empty; columns from
// storedColumns on, and those from gapFirst to gapEnd - 1, are accepted but
// never kept (the trade table's unused ones).
class TextGrid {
 public:
  TextGrid(int columns, int storedColumns, int rowCount, int gapFirst = 0, int gapEnd = 0);
  TextGrid(const TextGrid& other);
  TextGrid& operator=(const TextGrid& other);
  TextGrid(TextGrid&& other) noexcept;
  TextGrid& operator=(TextGrid&& other) noexcept;
  ~TextGrid();

  int Columns() const { return columns_; }
  int RowCount() const { return rowCount_; }
  // Growing adds empty rows; shrinking drops the last rows.
  void SetRowCount(int rowCount);

  // Room for rows made ahead, on any thread, and its memory backed by the
  // system a part at a time there: the first write into fresh memory costs
  // far more than the write, which a thread with time to spare can pay while
  // the grid is being filled.
  class Room;
  Room MakeRoom() const;
  // Takes room made by MakeRoom for the rows after those with room already.
  void AddRoom(Room room);
  // Rows that fit into the grid's room, and the rows a Room adds.
  int RowsWithRoom() const { return static_cast<int>(blocks_.size()) << blockShift_; }
  int RowsPerRoom() const { return 1 << blockShift_; }

  // Inline: the statistics, selection and sorts read and write cells by the million.
  std::string_view Cell(int column, int row) const {
    return InRange(column, row) ? At(Slot(column), row).View() : std::string_view();
  }
  void SetCell(int column, int row, std::string_view text) {
    if (!InRange(column, row)) return;
    changed_.Set();
    At(Slot(column), row).Assign(text);
  }
  // Copies a cell's text to out and gives its length, or kNoRoom, writing
  // nothing, when more than `room` bytes would be written. A short cell goes
  // as its sixteen bytes whole, the bytes past its text left to be written
  // over: a large table's text is written by the million cells.
  static constexpr std::size_t kNoRoom = ~std::size_t{0};
  std::size_t CopyCell(int column, int row, char* out, std::size_t room) const {
    return InRange(column, row) ? At(Slot(column), row).CopyTo(out, room) : 0;
  }
  // The characters of a cell, to change in place without changing their number.
  std::span<char> CellCharacters(int column, int row) {
    assert(InRange(column, row));
    changed_.Set();
    return At(Slot(column), row).Characters();
  }
  // Asks for a cell's place in memory ahead of reading it.
  void Prefetch(int column, int row) const {
    if (InRange(column, row)) __builtin_prefetch(&At(Slot(column), row));
  }

  // A number that goes with a row wherever the row moves; kNoTag until set.
  static constexpr std::uint32_t kNoTag = 0xffffffffu;
  std::uint32_t RowTag(int row) const {
    return tags_.empty() || row < 0 || row >= rowCount_ ? kNoTag
                                                        : tags_[static_cast<std::size_t>(row)];
  }
  void SetRowTag(int row, std::uint32_t tag);

  void SwapRows(int a, int b);
  // Reorders rows first..first+order.size()-1 so that new row first+k is old row first+order[k].
  void PermuteRows(int first, const std::vector<int>& order);

  // A number that differs whenever the cells or rows may differ from those of
  // an earlier stamp, so that values derived from the cells can be kept and
  // trusted while the stamp stays the same. A copy starts with a stamp of its own.
  std::uint64_t Stamp() const;

  // The length of the longest text of each column over rows 0 .. rows - 1:
  // one pass over every cell, kept while no cell changes, rows reordered or
  // not, as a column sort leaves them.
  const std::vector<int>& LongestTexts(int rows) const;

 private:
  // Sixteen bytes: up to fifteen characters in place with their count in the
  // last byte, or a longer text on the heap. All bytes zero is the empty cell,
  // so rows of fresh zeroed memory need no making.
  class Text {
   public:
    std::string_view View() const {
      if (!IsLong()) return {bytes_, static_cast<std::size_t>(bytes_[kTag])};
      return {LongData(), LongSize()};
    }
    std::size_t CopyTo(char* out, std::size_t room) const {
      if (!IsLong()) {
        if (room < sizeof bytes_) return kNoRoom;
        std::memcpy(out, bytes_, sizeof bytes_);
        return static_cast<std::size_t>(bytes_[kTag]);
      }
      const std::size_t size = LongSize();
      if (room < size) return kNoRoom;
      std::memcpy(out, LongData(), size);
      return size;
    }
    std::span<char> Characters() {
      if (!IsLong()) return {bytes_, static_cast<std::size_t>(bytes_[kTag])};
      return {LongData(), LongSize()};
    }
    // Short text into a short cell inline, in at most two overlapping word
    // copies; read before written, so the text may be the cell's own.
    void Assign(std::string_view text) {
      const std::size_t n = text.size();
      if (n > kTag || IsLong()) return AssignAny(text);
      const char* const s = text.data();
      if (n >= 8) {
        CopyEnds<std::uint64_t>(s, n);
      } else if (n >= 4) {
        CopyEnds<std::uint32_t>(s, n);
      } else if (n > 0) {
        const char first = s[0], middle = s[n / 2], last = s[n - 1];
        bytes_[0] = first;
        bytes_[n / 2] = middle;
        bytes_[n - 1] = last;
      }
      bytes_[kTag] = static_cast<char>(n);
    }
    void AssignAny(std::string_view text);
    // Gives heap text back; the cell's bytes are left for the caller to reuse.
    void Release();

   private:
    static constexpr std::size_t kTag = 15;
    static constexpr char kLong = static_cast<char>(0xff);
    bool IsLong() const { return bytes_[kTag] == kLong; }
    template <class Word>
    void CopyEnds(const char* s, std::size_t n) {
      Word head, tail;
      std::memcpy(&head, s, sizeof head);
      std::memcpy(&tail, s + n - sizeof tail, sizeof tail);
      std::memcpy(bytes_, &head, sizeof head);
      std::memcpy(bytes_ + n - sizeof tail, &tail, sizeof tail);
    }
    char* LongData() const {
      char* data;
      std::memcpy(&data, bytes_, sizeof data);
      return data;
    }
    std::size_t LongSize() const {
      std::uint64_t word;
      std::memcpy(&word, bytes_ + 8, sizeof word);
      return static_cast<std::size_t>(word & ((std::uint64_t{1} << 56) - 1));
    }

    alignas(8) char bytes_[16];
  };
  static_assert(sizeof(Text) == 16);

  bool InRange(int column, int row) const {
    return column >= 0 && column < storedColumns_ && (column < gapFirst_ || column >= gapEnd_) &&
           row >= 0 && row < rowCount_;
  }
  // Where a kept column's cells lie in a row.
  int Slot(int column) const {
    return column < gapFirst_ ? column : column - (gapEnd_ - gapFirst_);
  }
  // The cell in place `slot` of the row.
  Text& At(int slot, int row) const {
    const auto r = static_cast<std::size_t>(row);
    return blocks_[r >> blockShift_]
        .get()[(r & ((std::size_t{1} << blockShift_) - 1)) * static_cast<std::size_t>(stored_) +
               static_cast<std::size_t>(slot)];
  }
  void AddRows(int count);
  void DropRows(int count);

  // Rows live in blocks of a fixed size: a growing table never moves the cells
  // it holds nor needs twice its size, and a cell is two index steps away.
  // Blocks come zeroed, which makes their cells empty.
  struct FreeBlock {
    void* memory;  // the allocation the aligned block was cut from
    void operator()(Text* block) const;
  };
  using Block = std::unique_ptr<Text, FreeBlock>;
  Block NewBlock(bool largePages) const;

 public:
  class Room {
   public:
    Room() = default;
    // Backs the next part of the room; false once it is backed whole.
    bool BackSome();

   private:
    friend class TextGrid;
    Room(Block block, std::size_t size) : block_(std::move(block)), size_(size) {}
    Block block_;
    std::size_t size_ = 0;
    std::size_t backed_ = 0;
  };

 private:
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
  int storedColumns_;      // columns from here on are not kept
  int gapFirst_, gapEnd_;  // nor these
  int stored_;             // cells kept per row
  int rowCount_ = 0;
  int blockShift_;  // a block holds 2^blockShift_ rows
  // Stamps and kept lengths are bookkeeping that reading the grid may update.
  mutable ChangeFlag changed_;    // a cell or the row count
  mutable ChangeFlag reordered_;  // the order of the rows alone
  mutable std::uint64_t stamp_ = 0;
  mutable std::uint64_t contentStamp_ =
      0;  // the stamp of the last change of a cell or the row count
  mutable std::uint64_t longestStamp_ = 0;
  mutable int longestRows_ = -1;
  mutable std::vector<int> longest_;
  std::vector<Block> blocks_;
  std::vector<std::uint32_t> tags_;  // by row; empty while no row has one
};

}  // namespace quillfen
