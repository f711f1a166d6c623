#pragma once

#include <QWidget>
#include <functional>

namespace quillfen {

// A surface whose owner draws it on every paint, as the charts need.
class PaintBox : public QWidget {
  Q_OBJECT
 public:
  using Painter = std::function<void(QPainter&, QSize)>;
  explicit PaintBox(QWidget* parent) : QWidget(parent) {}
  void SetPainter(Painter painter) { painter_ = std::move(painter); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Painter painter_;
};

}  // namespace quillfen
