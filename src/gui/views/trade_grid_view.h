#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

namespace quillfen {

struct ProgramState;
struct SortedOrder;

// Which trade list a view shows; the armed-header colouring differs.
enum class TradeGrid { grid1, grid2 };

// True when the header of this grid column shows as armed (silver) for the
// trade-table column that the last header press armed.
bool IsArmedHeader(TradeGrid grid, int armedSortColumn, int column);

// The header row: button face, silver when armed, black text set right; an
// armed header whose column the rows are sorted by shows the direction.
class TradeGridHeader : public QHeaderView {
  Q_OBJECT
 public:
  TradeGridHeader(TradeGrid grid, const ProgramState& state, QWidget* parent);
  // The window's sorted order, which the header reads whenever it paints.
  void ShowSortedOrder(const SortedOrder* sortedBy) { sortedBy_ = sortedBy; }
  // The arrow a header shows: +1 ascending, -1 descending, 0 none.
  int SortArrow(int logicalIndex) const;

 signals:
  void Pressed(int column);
  void DoubleClicked();

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TradeGrid grid_;
  const ProgramState& state_;
  const SortedOrder* sortedBy_ = nullptr;
};

// Data cells: pale blue, or the highlight colour with white text when
// selected; text right-aligned 3 pixels from the right edge, at the top.
class TradeCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

// An owner-drawn trade list: fixed 13-pixel rows, whole-row selection, only a
// vertical scroll bar.
class TradeGridView : public QTableView {
  Q_OBJECT
 public:
  TradeGridView(TradeGrid grid, const std::vector<int>& columnWidths, const QString& fontFamily,
                const ProgramState& state, QWidget* parent);

  int TopRow() const;
  void ScrollToTopRow(int row);
  // The selected data rows (from 0), in order.
  std::vector<int> SelectedRows() const;
  // Selects rows first .. first + count - 1 over all columns.
  void SelectRows(int first, int count);
  // Widens a column beyond its width where its longest text (in characters of
  // the monospaced font) would be cut off.
  void FitColumns(const std::vector<int>& longestTexts);
  void ShowSortedOrder(const SortedOrder* sortedBy);

 signals:
  // A press on a header (its column) or on the data rows (-1).
  void Pressed(int column);
  void DoubleClicked();
  void DeletePressed();
  void UndoPressed();
  // The mouse was released over the rows: the selection may have changed.
  void Clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::vector<int> widths_;
};

QColor GridBackground();

}  // namespace quillfen
