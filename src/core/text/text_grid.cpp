#include "text/text_grid.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

namespace quillfen {

namespace {

// A block fills large memory pages, which the system may back as single pages:
// a table of a hundred thousand trades is then written without tens of
// thousands of page faults. Where a few pages hold a whole number of blocks'
// rows exactly (rows of 24 cells: 16,384 in three pages), a block takes them,
// as a part-filled last page would cost a fifth of a trade table; else it
// fills at most one page.
constexpr std::size_t kLargePage = std::size_t{1} << 21;
constexpr std::size_t kSmallPage = std::size_t{1} << 12;
constexpr std::size_t kMostExactPages = 4;

template <class Cell>
int BlockShift(int stored) {
  const std::size_t rowBytes =
      std::max<std::size_t>(1, static_cast<std::size_t>(stored)) * sizeof(Cell);
  for (int shift = 0; (std::size_t{1} << shift) * rowBytes <= kMostExactPages * kLargePage; ++shift)
    if (((std::size_t{1} << shift) * rowBytes) % kLargePage == 0) return shift;
  int shift = 0;
  while ((std::size_t{2} << shift) * rowBytes <= kLargePage) ++shift;
  return shift;
}

}  // namespace

void TextGrid::Text::AssignAny(std::string_view text) {
  if (text.size() < kTag + 1) {
    char* const old = IsLong() ? LongData() : nullptr;
    if (!text.empty())
      std::memmove(bytes_, text.data(), text.size());  // text may be this cell's own
    bytes_[kTag] = static_cast<char>(text.size());
    std::free(old);
    return;
  }
  if (IsLong() && LongSize() == text.size()) {
    std::memmove(LongData(), text.data(), text.size());
    return;
  }
  char* const data = static_cast<char*>(std::malloc(text.size()));
  if (!data) throw std::bad_alloc();
  std::memcpy(data, text.data(), text.size());
  Release();
  const std::uint64_t word = static_cast<std::uint64_t>(text.size()) | (std::uint64_t{0xff} << 56);
  std::memcpy(bytes_, &data, sizeof data);
  std::memcpy(bytes_ + 8, &word, sizeof word);
}

void TextGrid::Text::Release() {
  if (IsLong()) std::free(LongData());
}

void TextGrid::FreeBlock::operator()(Text*) const {
  std::free(memory);
}

TextGrid::TextGrid(int columns, int storedColumns, int rowCount, int gapFirst, int gapEnd)
    : columns_(columns),
      storedColumns_(std::max(std::min(columns, storedColumns), 0)),
      gapFirst_(std::clamp(gapFirst, 0, storedColumns_)),
      gapEnd_(std::clamp(gapEnd, gapFirst_, storedColumns_)),
      stored_(storedColumns_ - (gapEnd_ - gapFirst_)),
      blockShift_(BlockShift<Text>(stored_)) {
  SetRowCount(rowCount);
}

// Made through the first constructor, so that a copy failing half-way is destroyed.
TextGrid::TextGrid(const TextGrid& other)
    : TextGrid(other.columns_, other.storedColumns_, 0, other.gapFirst_, other.gapEnd_) {
  AddRows(other.rowCount_);
  for (int row = 0; row < rowCount_; ++row)
    for (int slot = 0; slot < stored_; ++slot) At(slot, row).Assign(other.At(slot, row).View());
  tags_ = other.tags_;
}

TextGrid& TextGrid::operator=(const TextGrid& other) {
  if (this != &other) *this = TextGrid(other);
  return *this;
}

TextGrid::TextGrid(TextGrid&& other) noexcept
    : columns_(other.columns_),
      storedColumns_(other.storedColumns_),
      gapFirst_(other.gapFirst_),
      gapEnd_(other.gapEnd_),
      stored_(other.stored_),
      rowCount_(std::exchange(other.rowCount_, 0)),
      blockShift_(other.blockShift_),
      blocks_(std::move(other.blocks_)),
      tags_(std::move(other.tags_)) {
  other.blocks_.clear();
  other.tags_.clear();
  other.changed_.Set();
}

TextGrid& TextGrid::operator=(TextGrid&& other) noexcept {
  if (this != &other) {
    DropRows(rowCount_);
    columns_ = other.columns_;
    storedColumns_ = other.storedColumns_;
    gapFirst_ = other.gapFirst_;
    gapEnd_ = other.gapEnd_;
    stored_ = other.stored_;
    blockShift_ = other.blockShift_;
    rowCount_ = std::exchange(other.rowCount_, 0);
    blocks_ = std::move(other.blocks_);
    other.blocks_.clear();
    tags_ = std::move(other.tags_);
    other.tags_.clear();
    changed_.Set();
    other.changed_.Set();
  }
  return *this;
}

TextGrid::~TextGrid() {
  DropRows(rowCount_);
}

// Zeroed memory makes empty cells: calloc hands fresh memory from the system
// over as it is, without writing it. One large page more is asked for, to cut
// out an aligned block.
TextGrid::Block TextGrid::NewBlock(bool largePages) const {
  const std::size_t cells = (std::size_t{1} << blockShift_) * static_cast<std::size_t>(stored_);
  const std::size_t bytes = (cells * sizeof(Text) + kLargePage - 1) / kLargePage * kLargePage;
  char* const memory = static_cast<char*>(std::calloc(bytes + kLargePage, 1));
  if (!memory) throw std::bad_alloc();
  char* const start = memory + (kLargePage - reinterpret_cast<std::uintptr_t>(memory) % kLargePage);
  if (largePages) ::madvise(start, bytes, MADV_HUGEPAGE);
  return Block(reinterpret_cast<Text*>(start), FreeBlock{memory});
}

void TextGrid::AddRows(int count) {
  if (stored_ != 0) {
    const std::size_t rows = static_cast<std::size_t>(rowCount_) + static_cast<std::size_t>(count);
    const std::size_t blocks = (rows + (std::size_t{1} << blockShift_) - 1) >> blockShift_;
    // Small grids keep ordinary pages: only a grid that outgrows its first block asks for large
    // ones.
    while (blocks_.size() < blocks) blocks_.push_back(NewBlock(!blocks_.empty()));
  }
  if (!tags_.empty()) tags_.resize(static_cast<std::size_t>(rowCount_ + count), kNoTag);
  rowCount_ += count;
}

// Dropped cells give their text back. Those in a block that stays are zeroed,
// so that rows added again come back empty; a block given back is not
// written, as much of it may never have been touched.
void TextGrid::DropRows(int count) {
  const int kept = rowCount_ - count;
  const std::size_t blocks =
      (static_cast<std::size_t>(kept) + (std::size_t{1} << blockShift_) - 1) >> blockShift_;
  const auto keptBlockRows = static_cast<long long>(blocks << blockShift_);
  for (int row = kept; row < rowCount_; ++row) {
    for (int slot = 0; slot < stored_; ++slot) At(slot, row).Release();
    if (stored_ != 0 && row < keptBlockRows)
      std::memset(&At(0, row), 0, sizeof(Text) * static_cast<std::size_t>(stored_));
  }
  rowCount_ = kept;
  if (blocks < blocks_.size()) blocks_.resize(blocks);
  if (!tags_.empty()) tags_.resize(static_cast<std::size_t>(kept));
}

TextGrid::Room TextGrid::MakeRoom() const {
  return Room(NewBlock(true),  // room is made for large grids
              (std::size_t{1} << blockShift_) * static_cast<std::size_t>(stored_) * sizeof(Text));
}

bool TextGrid::Room::BackSome() {
  // A part costs well under a millisecond; a zero written into every page of
  // a zeroed block changes nothing.
  constexpr std::size_t kPart = std::size_t{1} << 18;
  auto* const bytes = reinterpret_cast<volatile char*>(block_.get());
  const std::size_t end = std::min(size_, backed_ + kPart);
  for (; backed_ < end; backed_ += kSmallPage) bytes[backed_] = 0;
  return backed_ < size_;
}

void TextGrid::AddRoom(Room room) {
  if (stored_ != 0 && room.block_) blocks_.push_back(std::move(room.block_));
}

void TextGrid::SetRowCount(int rowCount) {
  rowCount = std::max(rowCount, 0);
  changed_.Set();
  if (rowCount > rowCount_) AddRows(rowCount - rowCount_);
  if (rowCount < rowCount_) DropRows(rowCount_ - rowCount);
}

void TextGrid::SetRowTag(int row, std::uint32_t tag) {
  if (row < 0 || row >= rowCount_ || (tags_.empty() && tag == kNoTag)) return;
  changed_.Set();
  if (tags_.empty()) tags_.assign(static_cast<std::size_t>(rowCount_), kNoTag);
  tags_[static_cast<std::size_t>(row)] = tag;
}

void TextGrid::SwapRows(int a, int b) {
  if (a == b) return;
  reordered_.Set();
  if (!tags_.empty())
    std::swap(tags_[static_cast<std::size_t>(a)], tags_[static_cast<std::size_t>(b)]);
  for (int c = 0; c < stored_; ++c) std::swap(At(c, a), At(c, b));
}

// Each cycle of the permutation is rotated through one held row, so no copy
// of the rows is needed; cells move as their bytes, which carries their text.
void TextGrid::PermuteRows(int first, const std::vector<int>& order) {
  reordered_.Set();
  if (!tags_.empty()) {
    std::vector<std::uint32_t> moved(order.size());
    for (std::size_t k = 0; k < order.size(); ++k)
      moved[k] = tags_[static_cast<std::size_t>(first + order[k])];
    std::copy(moved.begin(), moved.end(), tags_.begin() + first);
  }
  if (stored_ == 0) return;
  auto row = [&](int k) { return &At(0, first + k); };
  std::vector<Text> held(static_cast<std::size_t>(stored_));
  std::vector<bool> placed(order.size(), false);
  for (int start = 0; start < static_cast<int>(order.size()); ++start) {
    if (placed[static_cast<std::size_t>(start)] || order[static_cast<std::size_t>(start)] == start)
      continue;
    std::copy_n(row(start), stored_, held.data());
    int k = start;
    for (int from; (from = order[static_cast<std::size_t>(k)]) != start; k = from) {
      // The row after next along the cycle is asked for while this one moves.
      const int next = order[static_cast<std::size_t>(from)];
      const char* ahead = reinterpret_cast<const char*>(row(next));
      for (std::size_t byte = 0; byte < static_cast<std::size_t>(stored_) * sizeof(Text);
           byte += 64)
        __builtin_prefetch(ahead + byte);
      std::copy_n(row(from), stored_, row(k));
      placed[static_cast<std::size_t>(k)] = true;
    }
    std::copy_n(held.data(), stored_, row(k));
    placed[static_cast<std::size_t>(k)] = true;
  }
}

std::uint64_t TextGrid::Stamp() const {
  static std::atomic<std::uint64_t> last{0};
  const bool changed = changed_.Take();
  const bool reordered = reordered_.Take();
  if (changed || reordered) stamp_ = ++last;
  if (changed) contentStamp_ = stamp_;
  return stamp_;
}

const std::vector<int>& TextGrid::LongestTexts(int rows) const {
  rows = std::clamp(rows, 0, rowCount_);
  Stamp();
  if (longestStamp_ == contentStamp_ && longestRows_ == rows) return longest_;
  std::vector<int> slots(static_cast<std::size_t>(stored_), 0);
  for (int row = 0; row < rows; ++row)
    for (int slot = 0; slot < stored_; ++slot) {
      int& most = slots[static_cast<std::size_t>(slot)];
      most = std::max(most, static_cast<int>(At(slot, row).View().size()));
    }
  longest_.assign(static_cast<std::size_t>(columns_), 0);
  for (int slot = 0; slot < stored_; ++slot)
    longest_[static_cast<std::size_t>(slot < gapFirst_ ? slot : slot + gapEnd_ - gapFirst_)] =
        slots[static_cast<std::size_t>(slot)];
  longestStamp_ = contentStamp_;
  longestRows_ = rows;
  return longest_;
}

}  // namespace quillfen
