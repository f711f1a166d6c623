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

void TextGrid::SetRowCount(int rowCount) {
  rowCount = std::max(rowCount, 0);
  cells_.resize(static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(stored_));
  rowCount_ = rowCount;
  changed_ = true;
}

void TextGrid::SetCell(int column, int row, std::string_view text) {
  if (!InRange(column, row)) return;
  changed_ = true;
  cells_[Index(column, row)].assign(text);
}

void TextGrid::SwapRows(int a, int b) {
  if (a == b) return;
  changed_ = true;
  for (int c = 0; c < stored_; ++c) std::swap(cells_[Index(c, a)], cells_[Index(c, b)]);
}

void TextGrid::RemoveRow(int row) {
  if (row < 0 || row >= rowCount_) return;
  changed_ = true;
  auto first = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, row));
  cells_.erase(first, first + stored_);
  --rowCount_;
}

void TextGrid::PermuteRows(int first, const std::vector<int>& order) {
  changed_ = true;
  std::vector<std::string> moved(order.size() * static_cast<std::size_t>(stored_));
  for (std::size_t k = 0; k < order.size(); ++k)
    for (int c = 0; c < stored_; ++c)
      moved[k * static_cast<std::size_t>(stored_) + static_cast<std::size_t>(c)] =
          std::move(cells_[Index(c, first + order[k])]);
  std::move(moved.begin(), moved.end(),
            cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, first)));
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
