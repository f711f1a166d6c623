#pragma once

#include <QDialog>

class QLabel;

namespace quillfen {

inline constexpr int kBuildNumber = 1040;

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* mainForm);

  QLabel* QuillfenLabel;
  QLabel* BuildLabel;

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override { accept(); }
};

}  // namespace quillfen
