#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace quillfen {

struct PageShape;

// What the Report tab shows instead of the page: a line saying why, with the
// ways on. The web view stays untouched until the user asks for the page.
class PageNotice : public QFrame {
  Q_OBJECT
 public:
  explicit PageNotice(QWidget* parent);

  // A page that would cost the page viewer more memory than it is given by
  // itself, not loaded.
  void ShowCostlyPage(const PageShape& shape);
  // A renderer that ended while it showed the page.
  void ShowStoppedRenderer(const QString& reason);
  // Said under the line when no program for web pages could be started.
  void ShowNoBrowser();

  QLabel* NoticeLabel;
  QPushButton* ShowAnywayButton;
  QPushButton* OpenInBrowserButton;
  QPushButton* ReloadButton;

 private:
  void SetLine(const QString& text);
};

}  // namespace quillfen
