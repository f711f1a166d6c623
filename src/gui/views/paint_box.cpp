#include "gui/views/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace quillfen {

void PaintBox::SetHover(Hover hover) {
  hover_ = std::move(hover);
  setMouseTracking(true);
}

void PaintBox::ClearHover() {
  if (!mark_) return;
  mark_.reset();
  QToolTip::hideText();
  update();
}

void PaintBox::paintEvent(QPaintEvent*) {
  if (!painter_) return;
  QPainter painter(this);
  painter_(painter, size());
  if (!mark_ || !mark_->crosshair) return;
  // Inside the sunken frame, in a colour no chart uses.
  const QPoint point = *mark_->crosshair;
  painter.setPen(QPen(QColor(0, 0, 160), 1, Qt::DotLine));
  painter.drawLine(2, point.y(), width() - 4, point.y());
  painter.drawLine(point.x(), 2, point.x(), height() - 4);
  painter.setPen(QColor(0, 0, 160));
  painter.drawEllipse(point, 3, 3);
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (!hover_) return;
  const QPoint position = event->position().toPoint();
  std::optional<HoverMark> mark = hover_(position, size());
  const bool crossMoved =
      (mark ? mark->crosshair : std::nullopt) != (mark_ ? mark_->crosshair : std::nullopt);
  if (!mark) {
    QToolTip::hideText();
  } else if (!mark_ || mark->text != mark_->text || !QToolTip::isVisible()) {
    QToolTip::showText(mapToGlobal(position), mark->text, this);
  }
  mark_ = std::move(mark);
  if (crossMoved) update();
}

void PaintBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  ClearHover();
}

}  // namespace quillfen
