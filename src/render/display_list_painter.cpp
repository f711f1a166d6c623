#include "display_list_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform_fonts.h"

namespace quillfen {

namespace {

QColor ToColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

// Bresenham's pixels from the start point up to, not including, the end point.
QPolygon LinePixels(int x1, int y1, int x2, int y2) {
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  QPolygon pixels;
  pixels.reserve(std::max(dx, -dy));
  for (int error = dx + dy; x1 != x2 || y1 != y2;) {
    pixels.append(QPoint(x1, y1));
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y1 += sy;
    }
  }
  return pixels;
}

struct ItemPainter {
  QPainter& painter;
  const DisplayList& list;

  void operator()(const FillItem& f) const {
    painter.fillRect(QRect(f.left, f.top, f.right - f.left, f.bottom - f.top), ToColor(f.colour));
  }
  // Qt leaves out the right or lower end of a line whatever its direction; the
  // line item leaves out its end point, so its pixels are placed one by one.
  void operator()(const LineItem& l) const {
    painter.setPen(QPen(ToColor(l.colour), 1));
    painter.drawPoints(LinePixels(l.x1, l.y1, l.x2, l.y2));
  }
  void operator()(const TextItem& t) const {
    QFont font = DisplayFont(std::string(list.FontFamily(t)), t.pointSize);
    painter.setFont(font);
    painter.setPen(ToColor(t.colour));
    painter.drawText(QPoint(t.x, t.y + QFontMetrics(font).ascent()),
                     QString::fromUtf8(list.TextOf(t).data(), list.TextOf(t).size()));
  }
};

}  // namespace

QFont DisplayFont(const std::string& family, int pointSize) {
  QFont font = PlatformFont(QString::fromStdString(family));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * 96.0 / 72.0))));
  return font;
}

void PaintDisplayList(QPainter& painter, const DisplayList& list) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  ItemPainter paint{painter, list};
  for (const DisplayItem& item : list.items) std::visit(paint, item);
}

QImage RenderDisplayList(const DisplayList& list) {
  QImage image(std::max(list.width, 1), std::max(list.height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintDisplayList(painter, list);
  return image;
}

RgbImage ToRgbImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbImage out{rgb.width(), rgb.height(), {}};
  const std::size_t stride = static_cast<std::size_t>(rgb.width()) * 3;
  out.pixels.resize(stride * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y)
    std::memcpy(out.pixels.data() + stride * static_cast<std::size_t>(y), rgb.constScanLine(y),
                stride);
  return out;
}

RgbImage RenderRgbImage(const DisplayList& list) {
  return ToRgbImage(RenderDisplayList(list));
}

}  // namespace quillfen
