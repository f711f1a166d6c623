#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>

class QDialog;

namespace quillfen {

// The lowered panel with centred navy labels and the full-width OK button that
// the About box and the message dialog share.
QFrame* NewLoweredPanel(QWidget* parent);
QLabel* NewNavyLabel(const QString& text, int pixelHeight, bool bold, QWidget* parent);
QPushButton* NewOkButton(QDialog* dialog);

}  // namespace quillfen
