#include "gui/app/about_box.h"

#include <QLabel>
#include <QVBoxLayout>

#include "gui/app/dialog_panel.h"

namespace quillfen {

TAboutBox::TAboutBox(QWidget* mainForm)
    : QDialog(mainForm, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                            Qt::WindowStaysOnTopHint) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  setFixedSize(338, 178);
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  QFrame* panel = NewLoweredPanel(this);
  auto* panelLayout = new QVBoxLayout(panel);
  QuillfenLabel = NewNavyLabel("Quillfen 4.0", 32, true, panel);
  QuillfenLabel->setObjectName("QuillfenLabel");
  BuildLabel = NewNavyLabel("", 13, false, panel);
  BuildLabel->setObjectName("BuildLabel");
  panelLayout->addStretch();
  panelLayout->addWidget(QuillfenLabel);
  panelLayout->addWidget(BuildLabel);
  panelLayout->addStretch();
  layout->addWidget(panel, 1);
  layout->addWidget(NewOkButton(this));
}

void TAboutBox::showEvent(QShowEvent* event) {
  BuildLabel->setText(QString("Build %1").arg(kBuildNumber));
  QDialog::showEvent(event);
}

}  // namespace quillfen
