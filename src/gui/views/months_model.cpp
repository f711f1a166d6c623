#include "gui/views/months_model.h"

#include <QColor>
#include <cmath>

#include "text/number_format.h"
#include "views/return_shade.h"

namespace quillfen {

namespace {

const std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

QString Money(double value) {
  return QString::fromStdString(FormatFixed(value, 0, 2));
}

// "3.4%"; a return without a balance above 0 to take it of has none.
QString ReturnText(double percent) {
  if (std::isnan(percent)) return "-";
  return QString::fromStdString(FormatFixed(percent, 0, 1)) + '%';
}

QColor Colour(Rgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace

MonthsModel::MonthsModel(QObject* parent) : QAbstractTableModel(parent) {}

void MonthsModel::Show(const MonthlyReturns& returns) {
  // Unchanged months keep the cell the user is on.
  if (returns == shown_) return;
  shown_ = returns;
  beginResetModel();
  rows_.clear();
  for (const YearResult& year : returns.years) rows_.push_back({year, {}});
  std::size_t row = 0;
  for (const MonthResult& month : returns.months) {
    while (rows_[row].year.year != month.year) ++row;
    rows_[row].months[static_cast<std::size_t>(month.month - 1)] = month;
  }
  endResetModel();
}

int MonthsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MonthsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kYearColumn + 1;
}

QVariant MonthsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() > kYearColumn) return {};
  const YearRow& row = rows_[static_cast<std::size_t>(index.row())];
  const QString year = QString::number(row.year.year);
  double percent = row.year.returnPercent;
  QString name = year;
  QString detail = Money(row.year.profit);
  if (index.column() < kYearColumn) {
    const std::optional<MonthResult>& month = row.months[static_cast<std::size_t>(index.column())];
    // Before the first trade's month and after the last one's: no cell.
    if (!month) return role == Qt::AccessibleTextRole ? QVariant(QString("none")) : QVariant();
    percent = month->returnPercent;
    name = QString(kMonthNames[static_cast<std::size_t>(index.column())]) + ' ' + year;
    detail = Money(month->profit) +
             QString(", %1 trade%2").arg(month->trades).arg(month->trades == 1 ? "" : "s");
  }
  switch (role) {
    case Qt::DisplayRole:
      return ReturnText(percent);
    case Qt::ToolTipRole:
      return name + ": " + detail;
    case Qt::AccessibleTextRole:
      return name + ": " + ReturnText(percent) + ", " + detail;
    case Qt::BackgroundRole:
      return Colour(ReturnShade(percent));
    case Qt::ForegroundRole:
      return QColor(LightTextOn(percent) ? Qt::white : Qt::black);
    case Qt::TextAlignmentRole:
      return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant MonthsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Vertical)
    return section < rowCount()
               ? QVariant(QString::number(rows_[static_cast<std::size_t>(section)].year.year))
               : QVariant();
  if (section == kYearColumn) return QString("Year");
  return section < kYearColumn
             ? QVariant(QString(kMonthNames[static_cast<std::size_t>(section)]).left(3))
             : QVariant();
}

}  // namespace quillfen
