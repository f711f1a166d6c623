#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QtTest>

#include "gui/app/main_form.h"
#include "gui_test_support.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

// The report windows' title bars with their close buttons (their top right
// corners) lie inside the main window's area.
bool CloseButtonsInside(TMainForm& form) {
  const QRect area = form.MdiArea->viewport()->rect();
  for (const QMdiSubWindow* frame : form.MdiArea->subWindowList()) {
    const QPoint corner = frame->geometry().topRight();
    if (!area.contains(corner) || !area.contains(corner + QPoint(-40, 20))) return false;
  }
  return true;
}

}  // namespace

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void StartsOverMostOfTheScreenThenAsItWasLeft();
  void AStoredPlaceOffTheScreenComesBackOnIt_data();
  void AStoredPlaceOffTheScreenComesBackOnIt();
  void ReportWindowsStayInsideTheArea();
  void ChoosingAMinimisedWindowRestoresIt();
};

void WindowPlacementTest::StartsOverMostOfTheScreenThenAsItWasLeft() {
  QTemporaryDir directory;
  const QString stateFile = QDir(directory.path()).filePath("Quillfen.state");
  const QRect placed(30, 40, 520, 410);
  for (int run = 0; run < 4; ++run) {
    if (run == 3) {  // a place on a screen that is no longer there
      QFile state(stateFile);
      QVERIFY(state.open(QIODevice::WriteOnly));
      state.write("windowLeft=90000\r\nwindowTop=90000\r\nwindowWidth=600\r\nwindowHeight=500\r\n");
    }
    ProgramUnderTest program({}, directory.path());
    QVERIFY(program.Start());
    TMainForm& form = program.Form();
    const QRect screen = form.screen()->availableGeometry();
    if (run == 0 || run == 3) {
      QVERIFY(screen.contains(form.geometry()));
      QVERIFY(form.width() >= screen.width() * 8 / 10 && form.height() >= screen.height() * 8 / 10);
      form.setGeometry(placed);
    } else if (run == 1) {
      QCOMPARE(form.geometry(), placed);
      form.showMaximized();
      QTRY_VERIFY(form.isMaximized());
    } else {
      QVERIFY(form.isMaximized());
      QCOMPARE(form.normalGeometry(), placed);
    }
  }
  QVERIFY(!QFile::exists(QDir(directory.path()).filePath("Quillfen.set")));
}

void WindowPlacementTest::AStoredPlaceOffTheScreenComesBackOnIt_data() {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QTest::addColumn<QByteArray>("place");
  QTest::newRow("overflowing corner") << QByteArray(
      "windowLeft=-2147483648\r\nwindowTop=-2147483648\r\n"
      "windowWidth=600\r\nwindowHeight=500\r\n");
  QTest::newRow("overflowing size") << QByteArray(
      "windowLeft=100\r\nwindowTop=100\r\nwindowWidth=2147483647\r\nwindowHeight=2147483647\r\n");
  QTest::newRow("far end") << QByteArray(
      "windowLeft=2147483600\r\nwindowTop=2147483600\r\nwindowWidth=600\r\nwindowHeight=500\r\n");
  QTest::newRow("small at the corner")
      << QString("windowLeft=%1\r\nwindowTop=%2\r\nwindowWidth=20\r\nwindowHeight=20\r\n")
             .arg(screen.right() - 9)
             .arg(screen.bottom() - 9)
             .toLatin1();
  QTest::newRow("above the top") << QByteArray(
      "windowLeft=50\r\nwindowTop=-300\r\nwindowWidth=600\r\nwindowHeight=500\r\n");
}

// The whole top edge, where the title bar sits, lies on the screen, and the
// window has at least the size its layout needs.
void WindowPlacementTest::AStoredPlaceOffTheScreenComesBackOnIt() {
  QFETCH(QByteArray, place);
  QTemporaryDir directory;
  QFile state(QDir(directory.path()).filePath("Quillfen.state"));
  QVERIFY(state.open(QIODevice::WriteOnly));
  state.write(place);
  state.close();
  ProgramUnderTest program({}, directory.path());
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  const QRect screen = form.screen()->availableGeometry();
  const QRect frame = form.geometry();
  QVERIFY2(screen.contains(frame.topLeft()) && screen.contains(frame.topRight()),
           qPrintable(QString("%1,%2 %3x%4")
                          .arg(frame.x())
                          .arg(frame.y())
                          .arg(frame.width())
                          .arg(frame.height())));
  QVERIFY(frame.width() >= form.minimumSizeHint().width());
  QVERIFY(frame.height() >= form.minimumSizeHint().height());
}

void WindowPlacementTest::ReportWindowsStayInsideTheArea() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.resize(760, 420);  // smaller than a report window's 1023 by 400
  form.OpenChosenName(Example("statement.htm"));
  form.StartDorvane->trigger();
  form.HandOver(Example("tester.htm"));
  QTRY_COMPARE(form.MdiArea->subWindowList().size(), 3);
  QVERIFY(CloseButtonsInside(form));

  form.WindowTileHorizontal1->trigger();
  form.WindowCascade1->trigger();
  QVERIFY(CloseButtonsInside(form));
  const QList<QMdiSubWindow*> frames = form.MdiArea->subWindowList();
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
  for (QAction* item : form.WindowMenu->actions())
    if (item->text().startsWith("&1 ")) item->trigger();
  const QList<QMdiSubWindow*> frames = form.MdiArea->subWindowList();
  QVERIFY(!frames[0]->isMinimized());
  QCOMPARE(form.MdiArea->activeSubWindow(), frames[0]);
  QVERIFY(frames[1]->isMinimized());
}

}  // namespace quillfen

QTEST_MAIN(quillfen::WindowPlacementTest)
#include "window_placement_test.moc"
