// What the window tells a user beyond its figures: failures in the status bar
// and the message dialog, long paths shortened with the whole path at hand,
// where the Open dialog starts, and the direction of the sorted column.
#include <QComboBox>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest>
#include <functional>

#include "analysis/trade_selection.h"
#include "gui/app/main_form.h"
#include "gui/views/elided_path.h"
#include "gui/views/mdi_child.h"
#include "gui/views/trade_grid_view.h"
#include "gui_test_support.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

constexpr QChar kEllipsis(0x2026);

// A copy of an example in a folder whose name makes the path long.
QString LongPathCopy(const QTemporaryDir& dir, const QString& example, const QString& name) {
  const QString folder =
      dir.filePath("statements of the trading account kept since the first day of 2024");
  QDir().mkpath(folder);
  const QString path = QDir(folder).filePath(name);
  QFile::copy(Example(example), path);
  return path;
}

// The tool tip a menu shows over one of its entries, picked once the menu is
// open (the Window menu makes its entries anew then).
QString MenuTip(QMenu* menu, const std::function<QAction*()>& pick) {
  menu->popup(QPoint(0, 0));
  if (!QTest::qWaitForWindowExposed(menu)) return {};
  const QPoint at = menu->actionGeometry(pick()).center();
  QHelpEvent help(QEvent::ToolTip, at, menu->mapToGlobal(at));
  QCoreApplication::sendEvent(menu, &help);
  const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
  QToolTip::hideText();
  menu->hide();
  return tip;
}

}  // namespace

class UserFeedbackTest : public QObject {
  Q_OBJECT
 private slots:
  void FailuresAreToldInTheStatusBar();
  void HelpLinksWithoutAProgramSayWhatIsMissing();
  void LongPathsKeepTheirFileNameAndShowWholeAsTips();
  void OpenDialogStartsWhereTheLastReportWasOpened();
  void TheSortedArmedHeaderShowsTheDirection();
};

void UserFeedbackTest::FailuresAreToldInTheStatusBar() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  program.WriteFile("plain.htm", "<html><body><p>Hello</p></body></html>\n");
  form.OpenChosenName(program.FilePath("plain.htm"));
  QCOMPARE(form.statusBar()->currentMessage(),
           "Not a MetaTrader report: " + program.FilePath("plain.htm"));
  form.OpenChosenName(program.FilePath("gone.htm"));
  QCOMPARE(form.statusBar()->currentMessage(), "File not found: " + program.FilePath("gone.htm"));
  QVERIFY(form.ReportWindows().isEmpty());

  // The statement mark alone opens a window that holds nothing: it says so.
  program.WriteFile("notes.txt", "My statement notes\n");
  form.OpenChosenName(program.FilePath("notes.txt"));
  QCOMPARE(form.ReportWindows().size(), 1);
  QCOMPARE(form.statusBar()->currentMessage(),
           "No trades or balance operations found: " + program.FilePath("notes.txt"));
  form.AddChosenFile(program.FilePath("plain.htm"));
  QCOMPARE(form.statusBar()->currentMessage(),
           "Not a MetaTrader report: " + program.FilePath("plain.htm"));
  form.AddChosenFile(Example("tester.htm"));
  QCOMPARE(form.statusBar()->currentMessage(), QString());
  // The notes lack the page's end, which the message dialog tells as before.
  QCOMPARE(program.Messages(), QStringList{"The file ends early; it may be incomplete"});
}

void UserFeedbackTest::HelpLinksWithoutAProgramSayWhatIsMissing() {
  QTemporaryDir xdg;
  for (const char* variable :
       {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
    qputenv(variable, xdg.filePath(variable).toUtf8());
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.Usersmanual1->trigger();
  program.WriteFile("QuillfenManual.pdf", "%PDF-1.4\n");
  form.Usersmanual1->trigger();
  form.Website1->trigger();
  QCOMPARE(program.Messages(),
           (QStringList{"QuillfenManual.pdf is missing", "No program set up for PDF files",
                        "No program set up for web pages"}));
}

void UserFeedbackTest::LongPathsKeepTheirFileNameAndShowWholeAsTips() {
  QTemporaryDir dir;
  const QString first = LongPathCopy(dir, "statement.htm", "statement_of_the_account.htm");
  const QString second = LongPathCopy(dir, "tester.htm", "strategy_tester_report.htm");
  const QFontMetrics metrics(QFont("Sans", 9));
  const QString shortened = ElidedPath(first, metrics, 300);
  QVERIFY(shortened.contains(kEllipsis));
  QVERIFY(shortened.endsWith("/statement_of_the_account.htm"));
  QCOMPARE(shortened.left(2), first.left(2));
  QVERIFY(metrics.horizontalAdvance(shortened) <= 300);
  QCOMPARE(ElidedPath(first, metrics, metrics.horizontalAdvance(first)), first);
  // A name too wide for the room on its own is shortened in itself.
  QVERIFY(metrics.horizontalAdvance(ElidedPath(first, metrics, 40)) <= 40);

  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.OpenChosenName(first);
  form.AddChosenFile(second);
  TMDIChild* window = form.ReportWindows().constFirst();
  QCOMPARE(form.MdiArea->subWindowList().constFirst()->windowTitle(), first);

  // The statement list keeps the paths as its entries and shows them whole as tips.
  QComboBox* list = window->StatementComboBox;
  QCOMPARE(list->currentText(), second);
  QCOMPARE(list->toolTip(), second);
  QCOMPARE(list->itemData(0, Qt::ToolTipRole).toString(), first);
  QVERIFY(metrics.horizontalAdvance(second) > list->width());

  QAction* recent = form.MRU[0];
  QVERIFY(recent->text().contains(kEllipsis));
  QVERIFY(recent->text().endsWith("/statement_of_the_account.htm"));
  QCOMPARE(recent->data().toString(), first);
  QCOMPARE(MenuTip(form.FileMenu, [&] { return recent; }), first);
  QCOMPARE(MenuTip(form.FileMenu, [&] { return form.OpenReport; }), QString());  // a command

  // The one report window is the Window menu's last entry.
  emit form.WindowMenu->aboutToShow();
  QAction* entry = form.WindowMenu->actions().constLast();
  QVERIFY(entry->text().startsWith("&1 "));
  QVERIFY(entry->text().contains(kEllipsis));
  QVERIFY(entry->text().endsWith("/statement_of_the_account.htm"));
  QCOMPARE(entry->statusTip(), first);
  QCOMPARE(MenuTip(form.WindowMenu, [&] { return form.WindowMenu->actions().constLast(); }), first);
}

void UserFeedbackTest::OpenDialogStartsWhereTheLastReportWasOpened() {
  QTemporaryDir directory;
  const QString programDirectory = directory.filePath("program");
  QDir().mkpath(programDirectory);
  QTemporaryDir reports;
  const QString report = LongPathCopy(reports, "statement.htm", "statement.htm");
  const QString folder = QFileInfo(report).absolutePath();
  {
    ProgramUnderTest program({}, programDirectory);
    QVERIFY(program.Start());
    QCOMPARE(program.Form().OpenDialog->directory().absolutePath(), QDir::homePath());
    program.Form().OpenChosenName(report);
    QCOMPARE(program.Form().OpenDialog->directory().absolutePath(), folder);
    QCOMPARE(program.ReadFile("Quillfen.state").contains("openFolder=" + folder + "\r\n"), true);
  }
  ProgramUnderTest again({}, programDirectory);
  QCOMPARE(again.Form().OpenDialog->directory().absolutePath(), folder);
  // A remembered folder that has gone gives the home folder again.
  QVERIFY(QDir(folder).removeRecursively());
  ProgramUnderTest afterRemoval({}, programDirectory);
  QCOMPARE(afterRemoval.Form().OpenDialog->directory().absolutePath(), QDir::homePath());
}

void UserFeedbackTest::TheSortedArmedHeaderShowsTheDirection() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  program.Form().resize(1200, 700);  // room for a report window's own size
  program.Form().OpenChosenName(Example("statement.htm"));
  TMDIChild* window = program.Form().ReportWindows().constFirst();
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  auto* header = static_cast<TradeGridHeader*>(window->Grid1->horizontalHeader());
  auto sortOn = [&](int column) {
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
  };
  // The arrow's base corners lie 2 pixels into the header, on row 4 or row 8.
  auto darkAt = [&](int column, int y) {
    const QImage image = header->viewport()->grab().toImage();
    return image.pixelColor(header->sectionViewportPosition(column) + 2, y).lightness() < 100;
  };
  // Armed after the open, but the rows stand as read: silver without an arrow.
  QCOMPARE(header->SortArrow(g1::closeTime), 0);
  sortOn(g1::closeDate);
  QCOMPARE(header->SortArrow(g1::closeTime), 1);
  QCOMPARE(header->SortArrow(g1::closeDate), 0);  // the time header beside it has it
  QVERIFY(darkAt(g1::closeTime, 8) && !darkAt(g1::closeTime, 4));

  sortOn(g1::pips);
  QCOMPARE(header->SortArrow(g1::closeTime), 0);
  QCOMPARE(header->SortArrow(g1::pips), -1);
  QVERIFY(darkAt(g1::pips, 4) && !darkAt(g1::pips, 8));
  // The narrow column widens so that its title stays clear of the arrow.
  const QString title = window->Grid1->model()->headerData(g1::pips, Qt::Horizontal).toString();
  QVERIFY(header->sectionSize(g1::pips) >=
          window->Grid1->fontMetrics().horizontalAdvance(title) + 3 + 9);
  sortOn(g1::pips);
  QCOMPARE(header->SortArrow(g1::pips), 1);
  QVERIFY(darkAt(g1::pips, 8) && !darkAt(g1::pips, 4));
  // A press elsewhere disarms: neither silver nor arrow, and the column narrows again.
  QTest::mousePress(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(g1::profit) + 5, 5));
  QCOMPARE(header->SortArrow(g1::pips), 0);
  QVERIFY(!darkAt(g1::pips, 8));
}

}  // namespace quillfen

QTEST_MAIN(quillfen::UserFeedbackTest)
#include "user_feedback_test.moc"
