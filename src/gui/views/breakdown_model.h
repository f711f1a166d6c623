#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "analysis/trade_breakdown.h"

namespace quillfen {

// The breakdown per symbol or per magic number: one row per item, the figures
// shown as the Summary prints them and sorted by their values.
class BreakdownModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kSortRole = Qt::UserRole;

  BreakdownModel(const QString& itemCaption, QObject* parent);

  void Show(const std::vector<BreakdownRow>& rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString itemCaption_;
  std::vector<BreakdownRow> rows_;
};

}  // namespace quillfen
