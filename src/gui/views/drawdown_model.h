#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "analysis/drawdown_episodes.h"

namespace quillfen {

// The Summary tab's Drawdowns table: the deepest episodes, one per row, sorted
// by their values.
class DrawdownModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kSortRole = Qt::UserRole;

  explicit DrawdownModel(QObject* parent);

  void Show(const std::vector<DrawdownEpisode>& episodes);
  const DrawdownEpisode& Episode(int row) const { return episodes_[static_cast<std::size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<DrawdownEpisode> episodes_;
};

}  // namespace quillfen
