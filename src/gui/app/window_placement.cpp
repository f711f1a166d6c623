#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <algorithm>

#include "gui/app/main_form.h"

namespace quillfen {

namespace {

// The share of the work area a first start fills, in tenths each way.
constexpr int kStartTenths = 9;

// The frame shrunk to end inside the area from where it stands, then moved in
// where it still sticks out. A frame that cannot shrink enough (its minimum
// size) keeps its top right corner, and with it the close button, inside.
QRect InsideArea(QRect frame, const QRect& area, const QSize& minimum) {
  frame.setWidth(std::max(std::min(frame.width(), area.right() + 1 - frame.left()),
                          std::min(frame.width(), minimum.width())));
  frame.setHeight(std::max(std::min(frame.height(), area.bottom() + 1 - frame.top()),
                           std::min(frame.height(), minimum.height())));
  frame.setSize(frame.size().boundedTo(area.size()).expandedTo(minimum));
  if (frame.left() < area.left()) frame.moveLeft(area.left());
  if (frame.right() > area.right()) frame.moveRight(area.right());
  if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
  if (frame.top() < area.top()) frame.moveTop(area.top());
  return frame;
}

}  // namespace

void TMainForm::PlaceMainWindow() {
  session_ = LoadSessionState(programDirectory_.toStdString());
  const QRect stored(session_.windowLeft, session_.windowTop, session_.windowWidth,
                     session_.windowHeight);
  // A frame left on a screen that is gone is not restored.
  const QScreen* screen = stored.isValid() ? QGuiApplication::screenAt(stored.center()) : nullptr;
  if (screen) {
    setGeometry(InsideArea(stored, screen->availableGeometry(), minimumSize()));
  } else {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QRect start(0, 0, area.width() * kStartTenths / 10, area.height() * kStartTenths / 10);
    start.moveCenter(area.center());
    setGeometry(start);
  }
  if (screen && session_.windowMaximised) setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::SaveSession() {
  const QRect frame = normalGeometry();
  session_.windowLeft = frame.x();
  session_.windowTop = frame.y();
  session_.windowWidth = frame.width();
  session_.windowHeight = frame.height();
  session_.windowMaximised = isMaximized();
  SaveSessionState(programDirectory_.toStdString(), session_);
}

void TMainForm::KeepInsideArea(QMdiSubWindow* window) {
  if (window->isMinimized() || window->isMaximized()) return;
  window->setGeometry(
      InsideArea(window->geometry(), MdiArea->viewport()->rect(), window->minimumSize()));
}

void TMainForm::CascadeWindows() {
  MdiArea->cascadeSubWindows();
  for (QMdiSubWindow* window : MdiArea->subWindowList()) KeepInsideArea(window);
}

void TMainForm::ShowChosenWindow(QMdiSubWindow* window) {
  if (window->isMinimized()) window->showNormal();
  MdiArea->setActiveSubWindow(window);
}

}  // namespace quillfen
