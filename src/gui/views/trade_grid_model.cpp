#include "gui/views/trade_grid_model.h"

#include <QStringDecoder>

namespace quillfen {

TradeGridModel::TradeGridModel(const VisibleGrid& grid, int visibleColumns, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), visibleColumns_(visibleColumns) {}

int TradeGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, grid_.RowCount() - 1);
}

int TradeGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : visibleColumns_;
}

QVariant TradeGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() + 1 >= grid_.RowCount()) return {};
  if (role == Qt::DisplayRole) return CellText(grid_.Cell(index.column(), index.row() + 1));
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignTop);
  return {};
}

QVariant TradeGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= visibleColumns_ || grid_.RowCount() == 0) return {};
  return CellText(grid_.Cell(section, 0));
}

void TradeGridModel::Reset() {
  beginResetModel();
  shownRows_ = rowCount();
  endResetModel();
}

void TradeGridModel::Refresh() {
  if (rowCount() != shownRows_ || shownRows_ == 0) {
    Reset();
    return;
  }
  emit dataChanged(index(0, 0), index(shownRows_ - 1, visibleColumns_ - 1));
  emit headerDataChanged(Qt::Horizontal, 0, visibleColumns_ - 1);
}

std::vector<int> TradeGridModel::LongestTexts() const {
  return grid_.LongestTexts(visibleColumns_);
}

QString CellText(std::string_view cell) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8(QByteArrayView(cell.data(), static_cast<qsizetype>(cell.size())));
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()));
}

}  // namespace quillfen
