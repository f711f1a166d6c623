#pragma once

#include <QCoreApplication>
#include <QtGlobal>

#include <unistd.h>

// What every timed run of the window sets before its application starts: as
// root the web view runs only without its sandbox, and the views share one GL
// context.
inline void PrepareBenchApplication() {
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
