#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <cstdio>

#include "gui/app/main_form.h"
#include "gui/app/single_instance.h"

namespace {

// The directory of the executable, known before the application object exists.
QString ProgramDirectory(const char* argv0) {
  QFileInfo self(QStringLiteral("/proc/self/exe"));
  QString path = self.exists() ? self.canonicalFilePath() : QString::fromLocal8Bit(argv0);
  return QFileInfo(path).absolutePath();
}

}  // namespace

int main(int argc, char* argv[]) {
  // Chromium refuses to run as root with its sandbox on.
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

  const quillfen::ProgramFolders folders = quillfen::ChooseProgramFolders(
      ProgramDirectory(argv[0]).toStdString(), QUILLFEN_INSTALLED_BINDIR,
      quillfen::CurrentFolderEnvironment());
  // Made absolute as a hand-over makes them, so that a file named like one of
  // the opening road's own names ("0", the downloaded page) opens that file.
  QStringList arguments;
  for (int i = 1; i < argc; ++i)
    arguments << quillfen::HandOverArgument(QString::fromLocal8Bit(argv[i]));

  // One instance per user and folder of files: the temporary files are shared.
  quillfen::SingleInstance instance(QString::fromStdString(folders.files));
  const QString first = arguments.isEmpty() ? QString() : arguments.constFirst();
  switch (instance.HandOverToRunning(first)) {
    case quillfen::SingleInstance::StartRole::handedOver:
      return 0;
    case quillfen::SingleInstance::StartRole::blocked:
      std::fprintf(stderr, "%s\n", qPrintable(instance.BlockedMessage()));
      return 1;
    case quillfen::SingleInstance::StartRole::first:
      break;
  }

  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // The web engine describes its set-up on every start; users need not see it.
  QLoggingCategory::setFilterRules("qt.webenginecontext.info=false");
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quillfen");
  // Ties the window to the menu's entry and icon on Wayland.
  QGuiApplication::setDesktopFileName(QUILLFEN_DESKTOP_ID);

  quillfen::TMainForm mainForm(folders, arguments);
  instance.Listen();
  QObject::connect(&instance, &quillfen::SingleInstance::Received, &mainForm,
                   &quillfen::TMainForm::HandOver);
  mainForm.show();
  application.exec();
  return 0;
}
