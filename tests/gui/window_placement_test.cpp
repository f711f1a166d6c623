#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QtTest>

#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui_test_support.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

// The frame's title bar and close button: its top edge at its right end.
bool CloseButtonInside(const QMdiSubWindow* frame, const QRect& area) {
  return area.contains(frame->geometry().topRight()) &&
         area.contains(frame->geometry().topRight() + QPoint(-40, 20));
}

QRect Area(TMainForm& form) {
  return form.MdiArea->viewport()->rect();
}

}  // namespace

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void FirstStartFillsMostOfTheScreen();
  void SizePlaceAndMaximisedStateAreRemembered();
  void ReportWindowsOpenInsideTheArea();
  void TileThenCascadeKeepsEveryWindowInside();
  void ChoosingAMinimisedWindowRestoresIt();
};

void WindowPlacementTest::FirstStartFillsMostOfTheScreen() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  const QRect screen = form.screen()->availableGeometry();
  QVERIFY(screen.contains(form.geometry()));
  QVERIFY(form.width() >= screen.width() * 8 / 10);
  QVERIFY(form.height() >= screen.height() * 8 / 10);
  QVERIFY(!form.isMaximized());
}

void WindowPlacementTest::SizePlaceAndMaximisedStateAreRemembered() {
  QTemporaryDir directory;
  const QRect placed(30, 40, 520, 410);
  {
    ProgramUnderTest program({}, directory.path());
    QVERIFY(program.Start());
    program.Form().setGeometry(placed);
  }
  QVERIFY(QFile::exists(QDir(directory.path()).filePath("Quillfen.state")));
  QVERIFY(!QFile::exists(QDir(directory.path()).filePath("Quillfen.set")));
  {
    ProgramUnderTest program({}, directory.path());
    QVERIFY(program.Start());
    QCOMPARE(program.Form().geometry(), placed);
    program.Form().showMaximized();
    QTRY_VERIFY(program.Form().isMaximized());
  }
  {
    ProgramUnderTest program({}, directory.path());
    QVERIFY(program.Start());
    QVERIFY(program.Form().isMaximized());
    QCOMPARE(program.Form().normalGeometry(), placed);
  }
  // A place on a screen that is no longer there gives the first start's place.
  QFile state(QDir(directory.path()).filePath("Quillfen.state"));
  QVERIFY(state.open(QIODevice::WriteOnly));
  state.write("windowLeft=90000\r\nwindowTop=90000\r\nwindowWidth=600\r\nwindowHeight=500\r\n");
  state.close();
  ProgramUnderTest program({}, directory.path());
  QVERIFY(program.Start());
  QVERIFY(program.Form().screen()->availableGeometry().contains(program.Form().geometry()));
  QVERIFY(program.Form().width() > 600);
}

void WindowPlacementTest::ReportWindowsOpenInsideTheArea() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.resize(760, 420);  // smaller than a report window's 1023 by 400
  QTest::qWait(0);
  form.OpenChosenName(Example("statement.htm"));
  form.StartDorvane->trigger();
  form.HandOver(Example("tester.htm"));
  QTRY_COMPARE(form.MdiArea->subWindowList().size(), 3);
  for (QMdiSubWindow* frame : form.MdiArea->subWindowList())
    QVERIFY2(CloseButtonInside(frame, Area(form)), qPrintable(frame->windowTitle()));
}

void WindowPlacementTest::TileThenCascadeKeepsEveryWindowInside() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  for (int k = 0; k < 3; ++k) form.OpenChosenName(Example("statement.htm"));
  form.StartDorvane->trigger();
  form.WindowTileHorizontal1->trigger();
  form.WindowCascade1->trigger();
  const QList<QMdiSubWindow*> frames = form.MdiArea->subWindowList();
  for (QMdiSubWindow* frame : frames) {
    QVERIFY2(CloseButtonInside(frame, Area(form)), qPrintable(frame->windowTitle()));
    QVERIFY(frame->height() > 100);
  }
  // Still a cascade: each window's title bar shows below the one before.
  for (int i = 1; i < frames.size(); ++i) QVERIFY(frames[i]->y() > frames[i - 1]->y());
}

void WindowPlacementTest::ChoosingAMinimisedWindowRestoresIt() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.OpenChosenName(Example("statement.htm"));
  form.StartDorvane->trigger();
  form.WindowMinimizeAll1->trigger();
  emit form.WindowMenu->aboutToShow();
  QAction* first = nullptr;
  for (QAction* item : form.WindowMenu->actions())
    if (item->text().startsWith("&1 ")) first = item;
  QVERIFY(first);
  first->trigger();
  QMdiSubWindow* frame = form.MdiArea->subWindowList().constFirst();
  QVERIFY(!frame->isMinimized());
  QCOMPARE(form.MdiArea->activeSubWindow(), frame);
  QVERIFY(form.MdiArea->subWindowList().constLast()->isMinimized());
}

}  // namespace quillfen

QTEST_MAIN(quillfen::WindowPlacementTest)
#include "window_placement_test.moc"
