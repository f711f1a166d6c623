#include "gui/views/page_notice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "import/page_cost.h"

namespace quillfen {

namespace {

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(caption);
  return button;
}

}  // namespace

PageNotice::PageNotice(QWidget* parent) : QFrame(parent) {
  setObjectName("PageNotice");
  NoticeLabel = new QLabel(this);
  NoticeLabel->setObjectName("NoticeLabel");
  NoticeLabel->setWordWrap(true);
  ShowAnywayButton = NewButton("Show anyway", "ShowAnywayButton", this);
  OpenInBrowserButton = NewButton("Open in browser", "OpenInBrowserButton", this);
  ReloadButton = NewButton("Reload", "ReloadButton", this);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {ShowAnywayButton, ReloadButton, OpenInBrowserButton})
    buttons->addWidget(button);
  buttons->addStretch();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(12, 12, 12, 12);
  column->addWidget(NoticeLabel);
  column->addLayout(buttons);
  column->addStretch();
  hide();
}

void PageNotice::SetLine(const QString& text) {
  NoticeLabel->setText(text);
  NoticeLabel->setAccessibleName(text);
  show();
}

void PageNotice::ShowCostlyPage(const PageShape& shape) {
  const QLocale english(QLocale::English);
  SetLine(QString("The report page is %1 MB with %2 table cells: showing it would take about "
                  "%3 GB of memory, more than the %4 GB a page is given here by itself.")
              .arg(static_cast<double>(shape.bytes) / (1024 * 1024), 0, 'f', 1)
              .arg(english.toString(shape.cells))
              .arg(static_cast<double>(PageViewerMegabytes(shape)) / 1024, 0, 'f', 1)
              .arg(static_cast<double>(kPageViewerBudgetMegabytes) / 1024, 0, 'f', 1));
  ShowAnywayButton->show();
  ReloadButton->hide();
}

void PageNotice::ShowStoppedRenderer(const QString& reason) {
  SetLine(QString("The report page is not shown: its renderer stopped (%1).").arg(reason));
  ShowAnywayButton->hide();
  ReloadButton->show();
}

void PageNotice::ShowNoBrowser() {
  const QString missing = "No program for web pages could be started.";
  if (!NoticeLabel->text().endsWith(missing)) SetLine(NoticeLabel->text() + "\n" + missing);
}

}  // namespace quillfen
