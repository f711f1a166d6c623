#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "analysis/visible_grid.h"

namespace quillfen {

// A thin table over Grid1 or Grid2: row 0 of the grid is the header, rows 1
// onward the data rows. The window calls Reset after each core call that
// rewrote the grid.
class TradeGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TradeGridModel(const VisibleGrid& grid, int visibleColumns, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void Reset();
  // After a core call: keeps selection and scroll when the row count stayed.
  void Refresh();
  // The length in characters of the longest text of each column, header included.
  std::vector<int> LongestTexts() const;

 private:
  const VisibleGrid& grid_;
  int visibleColumns_;
  int shownRows_ = 0;
};

// Cell texts are UTF-8, as the reader turns every statement's code page into;
// a text that is not UTF-8 reads as Latin-1.
QString CellText(std::string_view cell);

}  // namespace quillfen
