// A timed run of what a user does with an opened report: a column sort, a
// symbol change and a display change, each with its refresh painted; both
// charts drawn and the Months tab painted; both grids repainted while scrolled through. The report
// page is stopped first, so that its loading does not share the processor.
//   gui-interaction-timing FILE

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "analysis/column_sort.h"
#include "bench_application.h"
#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/paint_box.h"
#include "gui/views/trade_grid_view.h"
#include "process_memory.h"

namespace {

using quillfen::TMDIChild;

qint64 Milliseconds(const std::function<void()>& work) {
  QElapsedTimer clock;
  clock.start();
  work();
  return clock.elapsed();
}

// Paints what a refresh left to paint, as the event loop would next.
void PaintPending(TMDIChild* window) {
  window->PageControl2->currentWidget()->repaint();
  QCoreApplication::processEvents();
}

void ShowTab(TMDIChild* window, QWidget* tab) {
  window->PageControl2->setCurrentWidget(tab);
  PaintPending(window);
}

// The slowest and the median repaint of a grid scrolled to random places.
void TimeScrolling(const char* name, quillfen::TradeGridView* grid) {
  std::mt19937 random(7);
  std::vector<double> times;
  QScrollBar* bar = grid->verticalScrollBar();
  for (int i = 0; i < 60; ++i) {
    bar->setValue(std::uniform_int_distribution<int>(0, bar->maximum())(random));
    QElapsedTimer clock;
    clock.start();
    grid->viewport()->repaint();
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  std::printf("%s scroll repaint    median %.2f ms, slowest %.2f ms over %zu places\n", name,
              times[times.size() / 2], times.back(), times.size());
}

void Interact(TMDIChild* window) {
  window->WebBrowser->stop();
  window->WebBrowser->setUrl(QUrl("about:blank"));
  ShowTab(window, window->SummaryTabSheet);

  ShowTab(window, window->Trades1TabSheet);
  const qint64 sort = Milliseconds([&] {
    window->SortOnColumn(quillfen::HeaderSortColumn(1, 11));
    PaintPending(window);
  });
  std::printf("column sort (pips)     %lld ms with its refresh\n", static_cast<long long>(sort));

  ShowTab(window, window->SummaryTabSheet);
  QListWidgetItem* first = window->PairsListBox->item(0);
  const bool several = window->PairsListBox->count() > 1;
  const qint64 symbol = Milliseconds([&] {
    first->setSelected(!several);  // one symbol: deselecting all selects all again
    if (!several) first->setSelected(false);
    PaintPending(window);
  });
  std::printf("symbol change          %lld ms with its refresh\n", static_cast<long long>(symbol));
  if (several) first->setSelected(true);

  ShowTab(window, window->Trades1TabSheet);
  const qint64 display = Milliseconds([&] {
    window->ClosedTradesRadioButton->click();
    PaintPending(window);
  });
  std::printf("display change         %lld ms with its refresh\n", static_cast<long long>(display));
  window->AllTradesRadioButton->click();
  PaintPending(window);

  for (auto [name, tab, box] :
       {std::tuple{"balance chart", window->BalanceTabSheet, window->BalancePaintBox},
        std::tuple{"times chart  ", window->TimesTabSheet, window->TimesPaintBox}}) {
    ShowTab(window, tab);
    qint64 slowest = 0;
    for (int i = 0; i < 3; ++i) slowest = std::max(slowest, Milliseconds([&] { box->repaint(); }));
    std::printf("%s          %lld ms to draw (slowest of 3)\n", name,
                static_cast<long long>(slowest));
  }

  ShowTab(window, window->MonthsTabSheet);
  qint64 months = 0;
  for (int i = 0; i < 3; ++i)
    months = std::max(months, Milliseconds([&] { window->MonthsTabSheet->repaint(); }));
  std::printf("months tab             %lld ms to paint (slowest of 3)\n",
              static_cast<long long>(months));

  ShowTab(window, window->Trades1TabSheet);
  TimeScrolling("grid 1", window->Grid1);
  ShowTab(window, window->Trades2TabSheet);
  TimeScrolling("grid 2", window->Grid2);
  std::printf("own peak memory        %.0f MB\n", ProcessMegabytes("VmHWM"));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gui-interaction-timing FILE\n");
    return 2;
  }
  PrepareBenchApplication();
  QApplication application(argc, argv);
  QTemporaryDir directory;
  quillfen::TMainForm form(quillfen::FoldersBesideProgram(directory.path().toStdString()),
                           {QString::fromLocal8Bit(argv[1])});
  int exitCode = 1;
  QObject::connect(&form, &quillfen::TMainForm::ReportOpened, [&](TMDIChild* window) {
    std::printf("trades                 %d\n", window->report.full.TradeRows());
    Interact(window);
    exitCode = 0;
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
  });
  form.show();
  application.exec();
  return exitCode;
}
