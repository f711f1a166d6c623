#include "gui/views/drawdown_model.h"

#include <array>
#include <cmath>
#include <limits>

#include "analysis/calendar_moment.h"
#include "text/number_format.h"

namespace quillfen {

namespace {

enum Column { kStart, kLow, kRecovery, kDepth, kDepthPercent, kDays, kRecoveryDays, kColumns };

const std::array<const char*, kColumns> kHeaders = {"Start",   "Low",  "Recovery",       "Depth",
                                                    "Depth %", "Days", "Days to recover"};

// Moments sort as their minutes; an open episode's recovery after every other.
QVariant SortValue(const DrawdownEpisode& e, int column) {
  switch (column) {
    case kStart:
      return static_cast<qlonglong>(e.start);
    case kLow:
      return static_cast<qlonglong>(e.low);
    case kRecovery:
      return static_cast<qlonglong>(e.recovery.value_or(std::numeric_limits<long long>::max()));
    case kDepth:
      return e.depth;
    case kDepthPercent:
      return std::isnan(e.depthPercent) ? -1.0 : e.depthPercent;
    case kDays:
      return static_cast<qlonglong>(e.days);
    default:
      return static_cast<qlonglong>(e.recoveryDays.value_or(std::numeric_limits<long long>::max()));
  }
}

QString Text(const DrawdownEpisode& e, int column) {
  switch (column) {
    case kStart:
      return QString::fromStdString(MomentText(e.start));
    case kLow:
      return QString::fromStdString(MomentText(e.low));
    case kRecovery:
      return e.recovery ? QString::fromStdString(MomentText(*e.recovery)) : QString();
    case kDepth:
      return QString::fromStdString(FormatFixed(e.depth, 0, 2));
    case kDepthPercent:
      return std::isnan(e.depthPercent) ? QString()
                                        : QString::fromStdString(FormatFixed(e.depthPercent, 0, 1));
    case kDays:
      return QString::number(e.days);
    default:
      return e.recoveryDays ? QString::number(*e.recoveryDays) : QString();
  }
}

}  // namespace

DrawdownModel::DrawdownModel(QObject* parent) : QAbstractTableModel(parent) {}

void DrawdownModel::Show(const std::vector<DrawdownEpisode>& episodes) {
  // Unchanged episodes keep the row the user chose.
  if (episodes == episodes_) return;
  beginResetModel();
  episodes_ = episodes;
  endResetModel();
}

int DrawdownModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(episodes_.size());
}

int DrawdownModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant DrawdownModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns) return {};
  const DrawdownEpisode& episode = Episode(index.row());
  if (role == Qt::DisplayRole) return Text(episode, index.column());
  if (role == kSortRole) return SortValue(episode, index.column());
  if (role == Qt::TextAlignmentRole && index.column() >= kDepth)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant DrawdownModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kColumns)
    return {};
  return QString(kHeaders[static_cast<std::size_t>(section)]);
}

}  // namespace quillfen
