#include "gui/app/message_form.h"

#include <QLabel>
#include <QVBoxLayout>

#include "gui/app/dialog_panel.h"

namespace quillfen {

TMessageForm::TMessageForm(QWidget* mainForm)
    : QDialog(mainForm, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint) {
  setObjectName("MessageForm");
  setWindowTitle("Quillfen");
  setFixedSize(353, 224);
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  QFrame* panel = NewLoweredPanel(this);
  auto* panelLayout = new QVBoxLayout(panel);
  MessageLabel = NewNavyLabel("Message", 13, false, panel);
  MessageLabel->setObjectName("MessageLabel");
  panelLayout->addWidget(MessageLabel);
  layout->addWidget(panel, 1);
  layout->addWidget(NewOkButton(this));
}

void TMessageForm::ShowMessageDialog(const QString& text) {
  MessageLabel->setText(text);
  exec();
}

void TMessageForm::showEvent(QShowEvent* event) {
  setWindowTitle("Quillfen 4.0");
  QDialog::showEvent(event);
  emit Shown(MessageLabel->text());
}

}  // namespace quillfen
