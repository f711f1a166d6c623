// A timed Monte Carlo pass from the window: opens FILE, types a trading system
// in dollars into the simulation tab, clicks Start and reports how long the
// pass took and the longest time the window went without processing events
// meanwhile. The same pass from the command line:
//   quillfen-report FILE --simulate montecarlo --units dollars --win 55
//     --avg-profit 30 --avg-loss 20 --runs RUNS --trades TRADES --seed 1
//   gui-simulation-timing FILE RUNS TRADES

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "bench_application.h"
#include "event_gaps.h"
#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/simulation_panel.h"

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gui-simulation-timing FILE RUNS TRADES\n");
    return 2;
  }
  PrepareBenchApplication();
  QApplication application(argc, argv);
  QTemporaryDir directory;
  quillfen::TMainForm form(quillfen::FoldersBesideProgram(directory.path().toStdString()),
                           {QString::fromLocal8Bit(argv[1])});
  form.State().simulationSeed = 1;

  QElapsedTimer clock;
  clock.start();
  EventGaps gaps(clock);

  int exitCode = 1;
  QObject::connect(&form, &quillfen::TMainForm::ReportOpened, [&](quillfen::TMDIChild* window) {
    QTimer::singleShot(0, &application, [&, window] {
      window->PageControl2->setCurrentWidget(window->DorvaneTabSheet);
      const quillfen::SimulationPanel* p = window->simulation;
      if (p->ImportCheckBox->isChecked()) p->ImportCheckBox->click();
      p->DollarsRadioButton->click();
      p->AvgProfitEdit->setText("30");
      p->AvgLossEdit->setText("20");
      p->PercWinsEdit->setText("55");
      p->NumRunsEdit->setText(QString::fromLocal8Bit(argv[2]));
      p->NumTradesEdit->setText(QString::fromLocal8Bit(argv[3]));
      const qint64 started = clock.elapsed();
      gaps.Watch(true);
      p->StartButton->click();  // returns when the pass has ended
      gaps.Watch(false);
      const qint64 pass = clock.elapsed() - started;
      std::printf("pass                   %lld ms\n", static_cast<long long>(pass));
      std::printf("longest event gap      %lld ms during the pass\n",
                  static_cast<long long>(gaps.Longest()));
      std::printf("risk of ruin           %s\n", qPrintable(p->RiskOfRuinEdit->text()));
      exitCode = p->RiskOfRuinEdit->text().isEmpty() ? 1 : 0;
      QTimer::singleShot(0, &application, &QCoreApplication::quit);
    });
  });
  form.show();
  application.exec();
  return exitCode;
}
