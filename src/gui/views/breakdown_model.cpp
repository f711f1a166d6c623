#include "gui/views/breakdown_model.h"

#include <array>

#include "text/number_format.h"

namespace quillfen {

namespace {

enum Column {
  kItem,
  kTrades,
  kNetProfit,
  kWinPercent,
  kProfitFactor,
  kExpectedPayoff,
  kMaximalDrawdown,
  kLargestWin,
  kLargestLoss,
  kColumns
};

const std::array<const char*, kColumns> kHeaders = {"",
                                                    "Trades",
                                                    "Net profit",
                                                    "Win %",
                                                    "Profit factor",
                                                    "Expected payoff",
                                                    "Maximal drawdown",
                                                    "Largest win",
                                                    "Largest loss"};

// The value a column sorts by; the profit factor of a row without losses is
// blank and sorts above every other.
double Value(const BreakdownRow& row, int column) {
  switch (column) {
    case kTrades:
      return row.trades;
    case kNetProfit:
      return row.netProfit;
    case kWinPercent:
      return row.winPercent;
    case kProfitFactor:
      return row.hasLosses ? row.profitFactor : 1e300;
    case kExpectedPayoff:
      return row.expectedPayoff;
    case kMaximalDrawdown:
      return row.maximalDrawdown;
    case kLargestWin:
      return row.largestWin;
    case kLargestLoss:
      return row.largestLoss;
    default:
      return 0;
  }
}

QString Text(const BreakdownRow& row, int column) {
  switch (column) {
    case kItem:
      return QString::fromStdString(row.item);
    case kTrades:
      return QString::number(row.trades);
    case kProfitFactor:
      return row.hasLosses ? QString::fromStdString(FormatFixed(row.profitFactor, 0, 2))
                           : QString();
    default:
      return QString::fromStdString(FormatFixed(Value(row, column), 0, 2));
  }
}

}  // namespace

BreakdownModel::BreakdownModel(const QString& itemCaption, QObject* parent)
    : QAbstractTableModel(parent), itemCaption_(itemCaption) {}

void BreakdownModel::Show(const std::vector<BreakdownRow>& rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

int BreakdownModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BreakdownModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant BreakdownModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns) return {};
  const BreakdownRow& row = rows_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) return Text(row, index.column());
  if (role == kSortRole)
    return index.column() == kItem ? QVariant(Text(row, kItem))
                                   : QVariant(Value(row, index.column()));
  if (role == Qt::TextAlignmentRole && index.column() != kItem)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant BreakdownModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kColumns)
    return {};
  return section == kItem ? itemCaption_ : QString(kHeaders[static_cast<std::size_t>(section)]);
}

}  // namespace quillfen
