#pragma once

#include <QFrame>
#include <QtGlobal>

class QLabel;
class QPushButton;

namespace quillfen {

// The largest report page that the Report tab loads by itself. The page
// viewer's renderer takes about 170 times a tester report's size in memory
// (3.5 MB: 0.64 GB, 14 MB: 2.3 GB) and runs out of it on a 70 MB page.
inline constexpr qint64 kLargestShownPage = 8LL * 1024 * 1024;

// What the Report tab shows instead of the page: a line saying why, with the
// ways on. The web view stays untouched until the user asks for the page.
class PageNotice : public QFrame {
  Q_OBJECT
 public:
  explicit PageNotice(QWidget* parent);

  // A page above the limit, not loaded.
  void ShowLargePage(qint64 bytes);
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
