#pragma once

#include <QAbstractTableModel>
#include <array>
#include <optional>
#include <vector>

#include "analysis/month_returns.h"

namespace quillfen {

// The Months tab: one row per year, its months across and the year's figures
// at the end; each cell its return, coloured, with the money and trades in its tooltip.
class MonthsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kYearColumn = 12;

  explicit MonthsModel(QObject* parent);

  void Show(const MonthlyReturns& returns);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct YearRow {
    YearResult year;
    std::array<std::optional<MonthResult>, 12> months;
  };
  MonthlyReturns shown_;
  std::vector<YearRow> rows_;
};

}  // namespace quillfen
