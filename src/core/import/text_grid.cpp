#include "import/text_grid.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace quillfen {

const std::string& TextGrid::Empty() {
  static const std::string empty;
  return empty;
}

TextGrid::TextGrid(int columns, int storedColumns, int rowCount)
    : columns_(columns), stored_(std::min(columns, storedColumns)) {
  SetRowCount(rowCount);
}

TextGrid::TextGrid(const TextGrid& other)
    : columns_(other.columns_), stored_(other.stored_), rowCount_(other.rowCount_) {
  const std::size_t cellsPerBlock = kBlockRows * static_cast<std::size_t>(stored_);
  blocks_.reserve(other.blocks_.size());
  for (const Block& block : other.blocks_) {
    blocks_.push_back(std::make_unique<std::string[]>(cellsPerBlock));
    std::copy(block.get(), block.get() + cellsPerBlock, blocks_.back().get());
  }
}

TextGrid& TextGrid::operator=(const TextGrid& other) {
  if (this != &other) *this = TextGrid(other);
  return *this;
}

void TextGrid::SetRowCount(int rowCount) {
  rowCount = std::max(rowCount, 0);
  // Dropped rows come back empty when the grid grows again.
  for (int row = rowCount; row < rowCount_; ++row)
    for (int c = 0; c < stored_; ++c) std::string().swap(At(c, row));
  const std::size_t blocks = (static_cast<std::size_t>(rowCount) + kBlockRows - 1) / kBlockRows;
  const std::size_t cellsPerBlock = kBlockRows * static_cast<std::size_t>(stored_);
  const std::size_t kept = std::min(blocks, blocks_.size());
  blocks_.resize(blocks);
  for (std::size_t b = kept; b < blocks; ++b)
    blocks_[b] = std::make_unique<std::string[]>(cellsPerBlock);
  rowCount_ = rowCount;
  changed_ = true;
}

void TextGrid::SetCell(int column, int row, std::string_view text) {
  if (!InRange(column, row)) return;
  changed_ = true;
  At(column, row).assign(text);
}

void TextGrid::SwapRows(int a, int b) {
  if (a == b) return;
  changed_ = true;
  for (int c = 0; c < stored_; ++c) std::swap(At(c, a), At(c, b));
}

void TextGrid::PermuteRows(int first, const std::vector<int>& order) {
  changed_ = true;
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
  if (changed_) {
    stamp_ = ++last;
    changed_ = false;
  }
  return stamp_;
}

}  // namespace quillfen
