#pragma once

#include <QComboBox>

namespace quillfen {

// A list of file paths, each shown shortened in its middle to the box's width
// with its file name whole; the full path is the tool tip of the box and of
// each entry, and stays the entry's text.
class PathComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit PathComboBox(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillfen
