#include "gui/app/message_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/app/dialog_panel.h"

namespace quillfen {

TMessageForm::TMessageForm(QWidget* mainForm)
    : QDialog(mainForm, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint) {
  setObjectName("MessageForm");
  setWindowTitle("Quillfen");
  setFixedSize(kSmallest);
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  QFrame* panel = NewLoweredPanel(this);
  auto* panelLayout = new QVBoxLayout(panel);
  MessageLabel = NewNavyLabel("Message", 13, false, panel);
  MessageLabel->setObjectName("MessageLabel");
  MessageLabel->setWordWrap(true);
  panelLayout->addWidget(MessageLabel);
  layout->addWidget(panel, 1);
  layout->addWidget(NewOkButton(this));
}

void TMessageForm::ShowMessageDialog(const QString& text) {
  MessageLabel->setText(text);
  FitText();
  exec();
}

// A short text keeps the box at its usual size; a longer one widens it to its
// natural width, as far as most of the screen, and wraps at word ends there.
void TMessageForm::FitText() {
  const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
  const QSize room = shown ? shown->availableGeometry().size() * 9 / 10 : QSize(1024, 768);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  MessageLabel->setWordWrap(false);
  layout()->invalidate();
  const int natural = sizeHint().width();
  MessageLabel->setWordWrap(true);
  layout()->invalidate();
  const int width =
      std::clamp(natural, kSmallest.width(), std::max(room.width(), kSmallest.width()));
  const int height = std::clamp(heightForWidth(width), kSmallest.height(),
                                std::max(room.height(), kSmallest.height()));
  setFixedSize(width, height);
}

void TMessageForm::showEvent(QShowEvent* event) {
  setWindowTitle("Quillfen 4.0");
  QDialog::showEvent(event);
  emit Shown(MessageLabel->text());
}

}  // namespace quillfen
