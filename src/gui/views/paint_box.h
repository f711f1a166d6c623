#pragma once

#include <QWidget>
#include <functional>
#include <optional>

namespace quillfen {

// What the mouse points at on a chart: the tooltip's text and, where the chart
// marks it, the point a crosshair goes through.
struct HoverMark {
  QString text;
  std::optional<QPoint> crosshair;
};

// A surface whose owner draws it on every paint, as the charts need. Where
// its owner tells what lies under the mouse, it shows that as a tooltip and
// crosses the point over the picture, which itself stays as drawn.
class PaintBox : public QWidget {
  Q_OBJECT
 public:
  using Painter = std::function<void(QPainter&, QSize)>;
  using Hover = std::function<std::optional<HoverMark>(QPoint, QSize)>;
  explicit PaintBox(QWidget* parent) : QWidget(parent) {}
  void SetPainter(Painter painter) { painter_ = std::move(painter); }
  void SetHover(Hover hover);
  // The picture changed under the mouse: the mark waits for the next move.
  void ClearHover();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Painter painter_;
  Hover hover_;
  std::optional<HoverMark> mark_;
};

}  // namespace quillfen
