#include "display_list_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <cstring>

namespace quillfen {

namespace {

QColor ToColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

QFont::StyleHint HintFor(const std::string& family) {
  if (family == "Terminal" || family == "Courier New" || family == "Courier")
    return QFont::TypeWriter;
  if (family == "Times New Roman") return QFont::Serif;
  return QFont::SansSerif;
}

struct ItemPainter {
  QPainter& painter;

  void operator()(const FillItem& f) const {
    painter.fillRect(QRect(f.left, f.top, f.right - f.left, f.bottom - f.top), ToColor(f.colour));
  }
  // A flat-capped one-pixel pen leaves out the end pixel, as the line item asks.
  void operator()(const LineItem& l) const {
    QPen pen(ToColor(l.colour), 1, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPoint(l.x1, l.y1), QPoint(l.x2, l.y2));
  }
  void operator()(const TextItem& t) const {
    QFont font = DisplayFont(t.fontFamily, t.pointSize);
    painter.setFont(font);
    painter.setPen(ToColor(t.colour));
    painter.drawText(QPoint(t.x, t.y + QFontMetrics(font).ascent()),
                     QString::fromStdString(t.text));
  }
};

}  // namespace

QFont DisplayFont(const std::string& family, int pointSize) {
  QFont font(QString::fromStdString(family));
  font.setStyleHint(HintFor(family));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * 96.0 / 72.0))));
  return font;
}

void PaintDisplayList(QPainter& painter, const DisplayList& list) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  ItemPainter paint{painter};
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
