#include "import/text_grid.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

namespace quillfen {

namespace {

// A block fills at most one large memory page, which the system may back as a
// single page: a table of a hundred thousand trades is then written without
// tens of thousands of page faults.
constexpr std::size_t kLargePage = std::size_t{1} << 21;

int BlockShift(int stored) {
  const std::size_t rowBytes =
      std::max<std::size_t>(1, static_cast<std::size_t>(stored)) * sizeof(std::string);
  int shift = 0;
  while ((std::size_t{2} << shift) * rowBytes <= kLargePage) ++shift;
  return shift;
}

}  // namespace

void TextGrid::FreeBlock::operator()(std::string* block) const {
  std::free(block);
}

const std::string& TextGrid::Empty() {
  static const std::string empty;
  return empty;
}

TextGrid::TextGrid(int columns, int storedColumns, int rowCount)
    : columns_(columns),
      stored_(std::max(std::min(columns, storedColumns), 0)),
      blockShift_(BlockShift(stored_)) {
  SetRowCount(rowCount);
}

// Made through the first constructor, so that a copy failing half-way is destroyed.
TextGrid::TextGrid(const TextGrid& other) : TextGrid(other.columns_, other.stored_, 0) {
  AddRows(other.rowCount_);
  if (stored_ == 0) return;
  for (int row = 0; row < rowCount_; ++row) std::copy_n(&other.At(0, row), stored_, &At(0, row));
}

TextGrid& TextGrid::operator=(const TextGrid& other) {
  if (this != &other) *this = TextGrid(other);
  return *this;
}

TextGrid::TextGrid(TextGrid&& other) noexcept
    : columns_(other.columns_),
      stored_(other.stored_),
      rowCount_(std::exchange(other.rowCount_, 0)),
      blockShift_(other.blockShift_),
      blocks_(std::move(other.blocks_)) {
  other.blocks_.clear();
  other.changed_.Set();
}

TextGrid& TextGrid::operator=(TextGrid&& other) noexcept {
  if (this != &other) {
    DropRows(rowCount_);
    columns_ = other.columns_;
    stored_ = other.stored_;
    blockShift_ = other.blockShift_;
    rowCount_ = std::exchange(other.rowCount_, 0);
    blocks_ = std::move(other.blocks_);
    other.blocks_.clear();
    changed_.Set();
    other.changed_.Set();
  }
  return *this;
}

TextGrid::~TextGrid() {
  DropRows(rowCount_);
}

TextGrid::Block TextGrid::NewBlock() const {
  const std::size_t cells = (std::size_t{1} << blockShift_) * static_cast<std::size_t>(stored_);
  const std::size_t bytes =
      (cells * sizeof(std::string) + kLargePage - 1) / kLargePage * kLargePage;
  void* memory = std::aligned_alloc(kLargePage, bytes);
  if (!memory) throw std::bad_alloc();
  // Small grids keep ordinary pages: only a grid that outgrows its first block asks for large ones.
  if (!blocks_.empty()) ::madvise(memory, bytes, MADV_HUGEPAGE);
  return Block(static_cast<std::string*>(memory));
}

void TextGrid::AddRows(int count) {
  if (stored_ == 0) {
    rowCount_ += count;
    return;
  }
  for (; count > 0; --count) {
    const auto row = static_cast<std::size_t>(rowCount_);
    if ((row >> blockShift_) == blocks_.size()) blocks_.push_back(NewBlock());
    std::uninitialized_value_construct_n(&At(0, rowCount_), stored_);
    ++rowCount_;
  }
}

void TextGrid::DropRows(int count) {
  if (stored_ != 0) {
    for (int row = rowCount_ - count; row < rowCount_; ++row) std::destroy_n(&At(0, row), stored_);
  }
  rowCount_ -= count;
  const std::size_t blocks =
      (static_cast<std::size_t>(rowCount_) + (std::size_t{1} << blockShift_) - 1) >> blockShift_;
  if (blocks < blocks_.size()) blocks_.resize(blocks);
}

void TextGrid::SetRowCount(int rowCount) {
  rowCount = std::max(rowCount, 0);
  changed_.Set();
  if (rowCount > rowCount_) AddRows(rowCount - rowCount_);
  if (rowCount < rowCount_) DropRows(rowCount_ - rowCount);
}

void TextGrid::SetCell(int column, int row, std::string_view text) {
  if (!InRange(column, row)) return;
  changed_.Set();
  At(column, row).assign(text);
}

void TextGrid::SwapRows(int a, int b) {
  if (a == b) return;
  changed_.Set();
  for (int c = 0; c < stored_; ++c) std::swap(At(c, a), At(c, b));
}

void TextGrid::PermuteRows(int first, const std::vector<int>& order) {
  changed_.Set();
  std::vector<std::string> moved(order.size() * static_cast<std::size_t>(stored_));
  for (std::size_t k = 0; k < order.size(); ++k)
    for (int c = 0; c < stored_; ++c)
      moved[k * static_cast<std::size_t>(stored_) + static_cast<std::size_t>(c)] =
          std::move(At(c, first + order[k]));
  for (std::size_t k = 0; k < order.size(); ++k)
    for (int c = 0; c < stored_; ++c)
      At(c, first + static_cast<int>(k)) =
          std::move(moved[k * static_cast<std::size_t>(stored_) + static_cast<std::size_t>(c)]);
}

std::uint64_t TextGrid::Stamp() {
  static std::atomic<std::uint64_t> last{0};
  if (changed_.Take()) stamp_ = ++last;
  return stamp_;
}

}  // namespace quillfen
