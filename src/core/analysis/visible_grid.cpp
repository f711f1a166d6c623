#include "analysis/visible_grid.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace quillfen {

VisibleGrid::VisibleGrid(int columns, const int* source, std::initializer_list<int> own,
                         int markColumn)
    : columns_(columns),
      source_(source),
      own_(static_cast<int>(own.size()), static_cast<int>(own.size()), 0),
      loose_(columns, columns, 0),
      markColumn_(markColumn) {
  ownIndex_.fill(-1);
  lentColumn_.fill(-1);
  for (int column : own) {
    ownIndex_[static_cast<std::size_t>(column)] = static_cast<std::int8_t>(ownSource_.size());
    ownSource_.push_back(source[column]);
  }
}

VisibleGrid::VisibleGrid(const VisibleGrid& other)
    : columns_(other.columns_),
      source_(other.source_),
      ownIndex_(other.ownIndex_),
      lentColumn_(other.lentColumn_),
      lender_(other.lender_),
      ownSource_(other.ownSource_),
      own_(other.own_),
      loose_(other.loose_),
      rows_(other.rows_),
      markColumn_(other.markColumn_),
      marks_(other.marks_),
      table_(other.table_) {}

VisibleGrid& VisibleGrid::operator=(const VisibleGrid& other) {
  if (this != &other) *this = VisibleGrid(other);
  return *this;
}

void VisibleGrid::Borrow(int column, VisibleGrid& lender, int lenderColumn) {
  lentColumn_[static_cast<std::size_t>(column)] =
      lender.ownIndex_[static_cast<std::size_t>(lenderColumn)];
  lender_ = &lender;
  rowsChanged_ = true;
}

void VisibleGrid::SetRowCount(int rowCount) {
  rowCount = std::max(rowCount, 0);
  own_.SetRowCount(rowCount);
  rows_.resize(static_cast<std::size_t>(rowCount), -1);
  if (markColumn_ >= 0) marks_.resize(static_cast<std::size_t>(rowCount), kUnmarked);
  if (loose_.RowCount() > rowCount) loose_.SetRowCount(rowCount);
  rowsChanged_ = true;
}

void VisibleGrid::SetMark(int row, std::string_view text) {
  Mark& mark = marks_[static_cast<std::size_t>(row)];
  const Mark wanted = text.empty() ? kUnmarked : text == "*" ? kMarked : kOtherText;
  if (wanted == kOtherText) {
    GrowLoose(row + 1);
    loose_.SetCell(markColumn_, row, text);
  } else if (wanted == mark) {
    return;
  }
  mark = wanted;
  rowsChanged_ = true;
}

void VisibleGrid::SetCell(int column, int row, std::string_view text) {
  if (column < 0 || column >= columns_ || row < 0 || row >= RowCount()) return;
  const int own = ownIndex_[static_cast<std::size_t>(column)];
  if (own >= 0) return own_.SetCell(own, row, text);
  if (column == markColumn_) return SetMark(row, text);
  // The lender's text written back, as the statistics walk does, changes nothing.
  if (rows_[static_cast<std::size_t>(row)] >= 0 &&
      lentColumn_[static_cast<std::size_t>(column)] >= 0 && Cell(column, row) == text)
    return;
  Loosen(row);
  GrowLoose(row + 1);
  loose_.SetCell(column, row, text);
}

void VisibleGrid::Prefetch(int column, int row) const {
  if (column < 0 || column >= columns_ || row < 0 || row >= RowCount()) return;
  const int own = ownIndex_[static_cast<std::size_t>(column)];
  if (own >= 0) return own_.Prefetch(own, row);
  const int tableRow = rows_[static_cast<std::size_t>(row)];
  if (tableRow >= 0 && source_[column] >= 0) table_->Prefetch(source_[column], tableRow);
}

void VisibleGrid::ShowTableRow(int row, int tableRow) {
  rows_[static_cast<std::size_t>(row)] = tableRow;
  for (std::size_t i = 0; i < ownSource_.size(); ++i) {
    const int source = ownSource_[i];
    own_.SetCell(static_cast<int>(i), row,
                 source < 0 ? std::string_view() : table_->Cell(source, tableRow));
  }
  if (markColumn_ >= 0) marks_[static_cast<std::size_t>(row)] = kUnmarked;
  rowsChanged_ = true;
}

void VisibleGrid::ClearRow(int row) {
  rows_[static_cast<std::size_t>(row)] = -1;
  for (int i = 0; i < own_.Columns(); ++i) own_.SetCell(i, row, "");
  for (int c = 0; c < columns_; ++c) loose_.SetCell(c, row, "");
  if (markColumn_ >= 0) marks_[static_cast<std::size_t>(row)] = kUnmarked;
  rowsChanged_ = true;
}

void VisibleGrid::SwapRows(int a, int b) {
  if (a == b) return;
  own_.SwapRows(a, b);
  const std::size_t ia = static_cast<std::size_t>(a), ib = static_cast<std::size_t>(b);
  const bool otherMark = markColumn_ >= 0 && (marks_[ia] == kOtherText || marks_[ib] == kOtherText);
  if (markColumn_ >= 0) std::swap(marks_[ia], marks_[ib]);
  if (rows_[ia] < 0 || rows_[ib] < 0 || otherMark) {
    GrowLoose(std::max(a, b) + 1);
    loose_.SwapRows(a, b);
  }
  std::swap(rows_[ia], rows_[ib]);
  rowsChanged_ = true;
}

// The row's texts from the table become its own, to be written over.
void VisibleGrid::Loosen(int row) {
  const int tableRow = rows_[static_cast<std::size_t>(row)];
  if (tableRow < 0) return;
  GrowLoose(row + 1);
  for (int c = 0; c < columns_; ++c)
    if (ownIndex_[static_cast<std::size_t>(c)] < 0 && c != markColumn_)
      loose_.SetCell(c, row, Cell(c, row));
  rows_[static_cast<std::size_t>(row)] = -1;
  rowsChanged_ = true;
}

// Loose rows past the count read as empty, so the loose part grows only as
// far as the last loose row written.
void VisibleGrid::GrowLoose(int rows) {
  if (loose_.RowCount() < rows) loose_.SetRowCount(rows);
}

std::vector<int> VisibleGrid::LongestTexts(int columns) const {
  columns = std::clamp(columns, 0, columns_);
  std::vector<int> longest(static_cast<std::size_t>(columns), 0);
  std::vector<int> shown;  // columns read from the table, with their table columns
  for (int c = 0; c < columns; ++c)
    if (ownIndex_[static_cast<std::size_t>(c)] < 0 &&
        lentColumn_[static_cast<std::size_t>(c)] < 0 && source_[c] >= 0)
      shown.push_back(c);
  auto widenTo = [&](int column, int length) {
    int& most = longest[static_cast<std::size_t>(column)];
    most = std::max(most, length);
  };
  auto widen = [&](int column, std::string_view text) {
    widenTo(column, static_cast<int>(text.size()));
  };
  // Rows that show every trade of the table once take its kept lengths, which
  // a column sort leaves as they were.
  const bool wholeTable = table_ && ShowsEveryTableRow();
  if (wholeTable) {
    const std::vector<int>& table = table_->LongestTexts(table_->TradeRows());
    for (int c : shown) widenTo(c, table[static_cast<std::size_t>(source_[c])]);
  }
  for (int r = 0; r < RowCount(); ++r) {
    const int tableRow = rows_[static_cast<std::size_t>(r)];
    if (tableRow < 0) {
      for (int c = 0; c < columns; ++c) widen(c, Cell(c, r));
      continue;
    }
    if (wholeTable) continue;
    if (r + 8 < RowCount() && rows_[static_cast<std::size_t>(r) + 8] >= 0)
      table_->Prefetch(0, rows_[static_cast<std::size_t>(r) + 8]);
    for (int c : shown) widen(c, table_->Cell(source_[c], tableRow));
  }
  // Own columns: one pass over the kept cells, which hold every row's text,
  // loose rows' included. Borrowed ones: the lender's cells of the rows that
  // show the table.
  const std::vector<int>& own = own_.LongestTexts(RowCount());
  for (int c = 0; c < columns; ++c) {
    if (const int i = ownIndex_[static_cast<std::size_t>(c)]; i >= 0)
      widenTo(c, own[static_cast<std::size_t>(i)]);
    if (const int i = lentColumn_[static_cast<std::size_t>(c)]; i >= 0)
      for (int r = 0; r < RowCount(); ++r)
        if (rows_[static_cast<std::size_t>(r)] >= 0) widen(c, lender_->own_.Cell(i, r));
  }
  if (markColumn_ >= 0 && markColumn_ < columns)
    for (int r = 0; r < RowCount(); ++r) widen(markColumn_, MarkText(r));
  return longest;
}

// True when the rows that show table rows show them all, each once, in the
// table's order: as the grids are built from the table with nothing left out.
bool VisibleGrid::ShowsEveryTableRow() const {
  int shown = 0;
  int last = -1;
  for (const int tableRow : rows_) {
    if (tableRow < 0) continue;
    if (tableRow <= last) return false;
    last = tableRow;
    ++shown;
  }
  return shown == table_->TradeRows() && last < table_->TradeRows();
}

std::uint64_t VisibleGrid::Stamp() {
  static std::atomic<std::uint64_t> last{0};
  const std::uint64_t own = own_.Stamp(), loose = loose_.Stamp();
  const std::uint64_t table = table_ ? table_->Stamp() : 0;
  const std::uint64_t lender = lender_ ? lender_->own_.Stamp() : 0;
  if (rowsChanged_ || stamp_ == 0 || own != seenOwn_ || loose != seenLoose_ ||
      table != seenTable_ || lender != seenLender_) {
    seenLender_ = lender;
    seenOwn_ = own;
    seenLoose_ = loose;
    seenTable_ = table;
    rowsChanged_ = false;
    stamp_ = ++last;
  }
  return stamp_;
}

}  // namespace quillfen
