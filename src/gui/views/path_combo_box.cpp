#include "gui/views/path_combo_box.h"

#include <QStylePainter>
#include <QStyledItemDelegate>

#include "gui/views/elided_path.h"

namespace quillfen {

namespace {

// The entries of the open list, shortened as the box shortens its own text.
class ElidedPathDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    constexpr int kTextMargins = 8;
    option->text =
        ElidedPath(option->text, option->fontMetrics, option->rect.width() - kTextMargins);
  }
};

}  // namespace

PathComboBox::PathComboBox(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new ElidedPathDelegate(this));
  connect(model(), &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) {
            for (int row = first; row <= last; ++row)
              setItemData(row, itemText(row), Qt::ToolTipRole);
          });
  connect(this, &QComboBox::currentIndexChanged, this, [this] { setToolTip(currentText()); });
}

void PathComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  option.currentText = ElidedPath(option.currentText, fontMetrics(), field.width());
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace quillfen
