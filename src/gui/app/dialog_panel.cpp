#include "gui/app/dialog_panel.h"

#include <QDialog>

#include "platform_fonts.h"

namespace quillfen {

QFrame* NewLoweredPanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, QColor(228, 226, 222));
  panel->setPalette(palette);
  return panel;
}

QLabel* NewNavyLabel(const QString& text, int pixelHeight, bool bold, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  QFont font = PlatformFont("MS Sans Serif");
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
  label->setPalette(palette);
  return label;
}

QPushButton* NewOkButton(QDialog* dialog) {
  auto* button = new QPushButton("OK", dialog);
  button->setDefault(true);
  button->setAutoDefault(true);
  // QDialog maps Escape to reject; the OK button is also the cancel button.
  QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
  return button;
}

}  // namespace quillfen
