#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
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

// The stored numbers come from a file anyone may edit: each is brought within
// reach of any screen before a rectangle sums them.
constexpr int kFarthest = 1 << 20;

QRect StoredFrame(const SessionState& session) {
  auto place = [](int value) { return std::clamp(value, -kFarthest, kFarthest); };
  auto size = [](int value) { return std::clamp(value, 0, kFarthest); };
  return QRect(place(session.windowLeft), place(session.windowTop), size(session.windowWidth),
               size(session.windowHeight));
}

// The screen that holds most of the frame, to bring it back onto; none when
// no part of it lies on a screen (one that is gone).
const QScreen* ScreenOfFrame(const QRect& frame) {
  const QScreen* best = nullptr;
  long long most = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect shared = frame.intersected(screen->availableGeometry());
    const long long pixels = shared.isEmpty() ? 0 : 1LL * shared.width() * shared.height();
    if (pixels > most) {
      most = pixels;
      best = screen;
    }
  }
  return best;
}

}  // namespace

void TMainForm::PlaceMainWindow() {
  const QRect stored = StoredFrame(session_);
  const QScreen* screen = stored.isValid() ? ScreenOfFrame(stored) : nullptr;
  if (screen) {
    // The layout's minimum, which showing the window would grow it to, and
    // room above for the title bar the window manager adds.
    const QSize minimum = minimumSize().expandedTo(minimumSizeHint());
    const QRect area = screen->availableGeometry().adjusted(
        0, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this), 0, 0);
    setGeometry(InsideArea(stored, area, minimum));
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
  SaveSessionState(folders_.files, session_);
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
