#include "gui/views/paint_box.h"

#include <QPainter>

namespace quillfen {

void PaintBox::paintEvent(QPaintEvent*) {
  if (!painter_) return;
  QPainter painter(this);
  painter_(painter, size());
}

}  // namespace quillfen
