#pragma once

#include <QDialog>

class QLabel;

namespace quillfen {

// The program's one way of telling the user about a problem.
class TMessageForm : public QDialog {
  Q_OBJECT
 public:
  explicit TMessageForm(QWidget* mainForm);

  // Sets the text and shows the dialog modally; returns when it is closed.
  void ShowMessageDialog(const QString& text);

  QLabel* MessageLabel;

 signals:
  void Shown(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override { accept(); }

 private:
  static constexpr QSize kSmallest{353, 224};
  void FitText();
};

}  // namespace quillfen
