// A timed run of the desktop program: starts the main window with one file as
// its argument and reports how long until the report window is filled and its
// Summary painted, how often the loading bar moved, and the longest time the
// window went without processing events while loading, and the peak memory
// of the program's own process (the web view's processes left out).
//   gui-open-timing FILE

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <set>

#include "bench_application.h"
#include "event_gaps.h"
#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "process_memory.h"

int main(int argc, char* argv[]) {
  QElapsedTimer clock;
  clock.start();
  if (argc != 2) {
    std::fprintf(stderr, "usage: gui-open-timing FILE\n");
    return 2;
  }
  PrepareBenchApplication();
  QApplication application(argc, argv);
  QTemporaryDir directory;
  quillfen::TMainForm form(quillfen::FoldersBesideProgram(directory.path().toStdString()),
                           {QString::fromLocal8Bit(argv[1])});

  std::set<int> barValues;
  QObject::connect(form.ProgressBar, &QProgressBar::valueChanged,
                   [&](int value) { barValues.insert(value); });
  std::printf("memory before open     %.0f MB\n", ProcessMegabytes("VmRSS"));
  EventGaps gaps(clock);
  gaps.Watch(true);

  int exitCode = 1;
  QObject::connect(&form, &quillfen::TMainForm::ReportOpened, [&](quillfen::TMDIChild* window) {
    gaps.Watch(false);
    const qint64 filled = clock.elapsed();
    window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
    window->SummaryMemo->repaint();
    const qint64 summary = clock.elapsed();
    std::printf("trades                 %d\n", window->report.full.TradeRows());
    std::printf("report window filled   %lld ms after start\n", static_cast<long long>(filled));
    std::printf("summary painted        %lld ms after start\n", static_cast<long long>(summary));
    std::printf("loading bar positions  %zu\n", barValues.size());
    std::printf("longest event gap      %lld ms while loading, ended %lld ms after start\n",
                static_cast<long long>(gaps.Longest()), static_cast<long long>(gaps.LongestEnd()));
    std::printf("own peak memory        %.0f MB\n", ProcessMegabytes("VmHWM"));
    exitCode = window->SummaryMemo->toPlainText().isEmpty() ? 1 : 0;
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
  });
  form.show();
  application.exec();
  return exitCode;
}
