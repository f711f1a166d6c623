#include "gui/views/trade_grid_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "analysis/column_sort.h"
#include "platform_fonts.h"
#include "program_state.h"

namespace quillfen {

namespace {

constexpr int kRowHeight = 13;
constexpr int kGridLine = 1;
constexpr int kTextInset = 3;
// The sort arrow at a header's left: margin, arrow, and a gap before the text.
constexpr int kArrowMargin = 2;
constexpr int kArrowHalfWidth = 3;
constexpr int kArrowRoom = kArrowMargin + 2 * kArrowHalfWidth + 1 + 2;

QFont GridFont(const QString& family) {
  QFont font = PlatformFont(family);
  font.setPointSize(8);
  return font;
}

void DrawCellText(QPainter* painter, const QRect& cell, const QString& text) {
  QRect area = cell.adjusted(0, 0, -kTextInset, 0);
  painter->drawText(area, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, text);
}

// A small black triangle at the left of the header, pointing up for ascending.
void DrawSortArrow(QPainter* painter, const QRect& cell, int direction) {
  constexpr int kHalfWidth = kArrowHalfWidth;
  constexpr int kHeight = 4;
  const int left = cell.left() + kArrowMargin;
  const int top = cell.top() + (cell.height() - kHeight) / 2;
  const int tipY = direction > 0 ? top : top + kHeight;
  const int baseY = direction > 0 ? top + kHeight : top;
  const QPolygon triangle(
      {QPoint(left, baseY), QPoint(left + 2 * kHalfWidth, baseY), QPoint(left + kHalfWidth, tipY)});
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(Qt::black);
  painter->setBrush(Qt::black);
  painter->drawPolygon(triangle);
  painter->restore();
}

}  // namespace

QColor GridBackground() {
  return QColor(225, 245, 255);
}

bool IsArmedHeader(TradeGrid grid, int armedSortColumn, int column) {
  return HeaderShowsArmed(grid == TradeGrid::grid1 ? 1 : 2, column, armedSortColumn);
}

TradeGridHeader::TradeGridHeader(TradeGrid grid, const ProgramState& state, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), grid_(grid), state_(state) {
  setSectionsClickable(false);
  setHighlightSections(false);
  setSectionResizeMode(QHeaderView::Fixed);
  setDefaultAlignment(Qt::AlignRight | Qt::AlignTop);
  setFixedHeight(kRowHeight + kGridLine);
}

void TradeGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  const bool armed = IsArmedHeader(grid_, state_.armedSortColumn, logicalIndex);
  const QColor face = armed ? QColor(192, 192, 192) : palette().color(QPalette::Button);
  const QRect cell = rect.adjusted(0, 0, -kGridLine, -kGridLine);
  painter->fillRect(cell, face);
  painter->setPen(palette().color(QPalette::Mid));
  painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
  painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  painter->setPen(Qt::black);
  painter->setFont(font());
  DrawCellText(painter, cell, model()->headerData(logicalIndex, Qt::Horizontal).toString());
  const int arrow = SortArrow(logicalIndex);
  if (arrow != 0) DrawSortArrow(painter, cell, arrow);
}

int TradeGridHeader::SortArrow(int logicalIndex) const {
  if (!sortedBy_) return 0;
  const int grid = grid_ == TradeGrid::grid1 ? 1 : 2;
  return HeaderSortArrow(grid, logicalIndex, state_.armedSortColumn, *sortedBy_);
}

void TradeGridHeader::mousePressEvent(QMouseEvent* event) {
  emit Pressed(logicalIndexAt(event->position().toPoint()));
  QHeaderView::mousePressEvent(event);
}

void TradeGridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
  emit DoubleClicked();
  QHeaderView::mouseDoubleClickEvent(event);
}

void TradeCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  painter->fillRect(option.rect,
                    selected ? option.palette.color(QPalette::Highlight) : GridBackground());
  painter->setPen(selected ? Qt::white : Qt::black);
  painter->setFont(option.font);
  DrawCellText(painter, option.rect, index.data().toString());
}

TradeGridView::TradeGridView(TradeGrid grid, const std::vector<int>& columnWidths,
                             const QString& fontFamily, const ProgramState& state, QWidget* parent)
    : QTableView(parent), widths_(columnWidths) {
  setFont(GridFont(fontFamily));
  setHorizontalHeader(new TradeGridHeader(grid, state, this));
  horizontalHeader()->setFont(font());
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(kRowHeight + kGridLine);
  verticalHeader()->setDefaultSectionSize(kRowHeight + kGridLine);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setItemDelegate(new TradeCellDelegate(this));
  QPalette colours = palette();
  colours.setColor(QPalette::Base, GridBackground());
  setPalette(colours);
  connect(horizontalHeader(), &QHeaderView::sectionCountChanged, this, [this] { FitColumns({}); });
  auto* header = static_cast<TradeGridHeader*>(horizontalHeader());
  connect(header, &TradeGridHeader::Pressed, this, &TradeGridView::Pressed);
  connect(header, &TradeGridHeader::DoubleClicked, this, &TradeGridView::DoubleClicked);
}

void TradeGridView::mousePressEvent(QMouseEvent* event) {
  emit Pressed(-1);
  QTableView::mousePressEvent(event);
}

void TradeGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit DoubleClicked();
}

void TradeGridView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  emit Clicked();
}

void TradeGridView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit DeletePressed();
    return;
  }
  if (event->matches(QKeySequence::Undo)) {
    emit UndoPressed();
    return;
  }
  QTableView::keyPressEvent(event);
}

std::vector<int> TradeGridView::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TradeGridView::SelectRows(int first, int count) {
  QItemSelection rows;
  const int columns = model()->columnCount();
  if (count > 0 && columns > 0) {
    rows.select(model()->index(first, 0), model()->index(first + count - 1, columns - 1));
  }
  selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void TradeGridView::FitColumns(const std::vector<int>& longestTexts) {
  const int advance = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const auto* header = static_cast<const TradeGridHeader*>(horizontalHeader());
  for (int c = 0; c < static_cast<int>(widths_.size()); ++c) {
    int width = widths_[c];
    if (c < static_cast<int>(longestTexts.size())) {
      width = std::max(width, longestTexts[c] * advance + kTextInset + 1);
    }
    // A header with the sort arrow keeps its title clear of it.
    if (model() && header->SortArrow(c) != 0) {
      const QString title = model()->headerData(c, Qt::Horizontal).toString();
      width = std::max(width, fontMetrics().horizontalAdvance(title) + kTextInset + kArrowRoom);
    }
    if (columnWidth(c) != width + kGridLine) setColumnWidth(c, width + kGridLine);
  }
}

void TradeGridView::ShowSortedOrder(const SortedOrder* sortedBy) {
  static_cast<TradeGridHeader*>(horizontalHeader())->ShowSortedOrder(sortedBy);
}

int TradeGridView::TopRow() const {
  return std::max(0, rowAt(0));
}

void TradeGridView::ScrollToTopRow(int row) {
  verticalScrollBar()->setValue(row);
}

}  // namespace quillfen
