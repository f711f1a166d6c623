#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest>

#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/paint_box.h"
#include "gui/views/trade_grid_model.h"
#include "gui/views/trade_grid_view.h"
#include "gui_test_support.h"
#include "views/chart_lookup.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

void MoveMouse(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &move);
}

int PixelsOf(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  return count;
}

QStringList Shown(const TMDIChild* window) {
  QStringList shown;
  for (int r = 0; r < window->Grid1Model->rowCount(); ++r)
    shown << window->Grid1Model->index(r, 0).data().toString();
  for (int i = 0; i < window->PairsListBox->count(); ++i)
    shown << window->PairsListBox->item(i)->text() +
                 (window->PairsListBox->item(i)->isSelected() ? "+" : "-");
  return shown;
}

}  // namespace

class ChartsAndKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    program_ = std::make_unique<ProgramUnderTest>();
    QVERIFY(program_->Start());
    program_->Form().OpenChosenName(Example("statement.htm"));
    window_ = program_->Form().ReportWindows().constLast();
  }
  void cleanup() { program_.reset(); }
  void BalanceChartNamesTheTradeAndCrossesIt();
  void TimesChartNamesTheSlot();
  void KeysShowInTheirMenusAndAct();
  void UndoPutsTheDeletedTradesBack();

 private:
  std::unique_ptr<ProgramUnderTest> program_;
  TMDIChild* window_ = nullptr;
};

void ChartsAndKeysTest::BalanceChartNamesTheTradeAndCrossesIt() {
  window_->PageControl2->setCurrentWidget(window_->BalanceTabSheet);
  PaintBox* chart = window_->BalancePaintBox;
  const QImage drawn = chart->grab().toImage();
  const QPoint at(chart->width() / 2, chart->height() / 2);
  const auto trade = BalanceTradeAt(window_->report, window_->report.stats.initialDeposit,
                                    chart->width(), chart->height(), at.x(), at.y());
  QVERIFY(trade);
  MoveMouse(chart, at);
  QTRY_VERIFY(QToolTip::isVisible());
  const QStringList lines = QToolTip::text().split('\n');
  QCOMPARE(lines.size(), 5);
  QCOMPARE(lines[0], QString("Trade %1").arg(trade->number));
  QCOMPARE(lines[1],
           "Ticket: " + window_->Grid1Model->index(trade->number - 1, 0).data().toString());
  QVERIFY(lines[2].startsWith("Closed: " + QString::fromStdString(trade->closeDate)));
  QCOMPARE(lines[4], "Balance: " + QString::fromStdString(trade->balance).trimmed());
  // A dotted line through the trade's point, over the whole height.
  const QImage column = chart->grab().toImage().copy(trade->point.x, 0, 1, chart->height());
  QVERIFY(PixelsOf(column, QColor(0, 0, 160)) > chart->height() / 3);

  // Leaving the chart gives back the picture as drawn.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(chart, &leave);
  QTRY_VERIFY(!QToolTip::isVisible());
  QCOMPARE(chart->grab().toImage(), drawn);
}

void ChartsAndKeysTest::TimesChartNamesTheSlot() {
  window_->PageControl2->setCurrentWidget(window_->TimesTabSheet);
  PaintBox* chart = window_->TimesPaintBox;
  const QImage drawn = chart->grab().toImage();
  int x = 0;  // the first column of pixels with a green bar
  while (x < drawn.width() && PixelsOf(drawn.copy(x, 0, 1, drawn.height()), QColor(0, 192, 0)) == 0)
    ++x;
  const QPoint at(x, chart->height() / 2 - 1);
  const auto slot = TimesSlotAt(window_->report.grid1, chart->width(), chart->height(),
                                TimesBasis::closeTimes, at.x(), at.y());
  QVERIFY(slot && slot->winPips > 0);
  MoveMouse(chart, at);
  QTRY_VERIFY(QToolTip::isVisible());
  QCOMPARE(QToolTip::text(), QString("%1 %2:00\nPips won: %3\nPips lost: %4")
                                 .arg(kDayNames[static_cast<std::size_t>(slot->weekday)])
                                 .arg(slot->hour, 2, 10, QChar('0'))
                                 .arg(slot->winPips)
                                 .arg(slot->lossPips));
  QCOMPARE(chart->grab().toImage(), drawn);
  MoveMouse(chart, QPoint(2, 2));  // on the frame, outside the week
  QTRY_VERIFY(!QToolTip::isVisible());
}

void ChartsAndKeysTest::KeysShowInTheirMenusAndAct() {
  TMainForm& form = program_->Form();
  emit form.WindowMenu->aboutToShow();
  const QList<std::tuple<QAction*, QMenu*, QString>> commands = {
      {form.AddReport, form.FileMenu, "Ctrl+Shift+O"},
      {form.Export, form.FileMenu, "Ctrl+S"},
      {form.ExportGraph, form.FileMenu, "Ctrl+Shift+S"},
      {form.ExportCsv, form.FileMenu, "Ctrl+E"},
      {form.WindowClose1, form.WindowMenu, "Ctrl+W"},
      {form.NextTab1, form.WindowMenu, "Ctrl+Tab"},
      {form.PreviousTab1, form.WindowMenu, "Ctrl+Shift+Tab"},
      {form.Usersmanual1, form.HelpMenu, "F1"}};
  QList<QKeySequence> taken{form.FileOpen1->shortcut()};
  for (const auto& [action, menu, key] : commands) {
    QVERIFY(menu->actions().contains(action));
    QCOMPARE(action->shortcut().toString(), key);  // the one the menu shows
    for (const QKeySequence& sequence : action->shortcuts()) {
      QVERIFY2(!taken.contains(sequence), qPrintable(sequence.toString()));
      taken << sequence;
    }
  }
  QVERIFY(form.NextTab1->shortcuts().contains(QKeySequence("Ctrl+PgDown")));
  QVERIFY(form.PreviousTab1->shortcuts().contains(QKeySequence("Ctrl+PgUp")));

  // The tab keys go round the visible tabs; a simulation-only window has one.
  QTabWidget* tabs = window_->PageControl2;
  form.NextTab1->trigger();
  QCOMPARE(tabs->currentWidget(), window_->SummaryTabSheet);
  form.PreviousTab1->trigger();
  form.PreviousTab1->trigger();
  QCOMPARE(tabs->currentWidget(), window_->DorvaneTabSheet);
  form.StartDorvane->trigger();
  form.NextTab1->trigger();
  QCOMPARE(form.ActiveReportWindow()->PageControl2->currentIndex(),
           tabs->indexOf(window_->DorvaneTabSheet));
  form.WindowClose1->trigger();
  QTRY_COMPARE(form.ReportWindows(), QList<TMDIChild*>{window_});
}

void ChartsAndKeysTest::UndoPutsTheDeletedTradesBack() {
  window_->PageControl2->setCurrentWidget(window_->Trades1TabSheet);
  const QStringList shown = Shown(window_);
  window_->Grid1->SelectRows(2, 3);
  QTest::keyClick(window_->Grid1, Qt::Key_Delete);
  window_->Grid1->SelectRows(0, 1);
  QTest::keyClick(window_->Grid1, Qt::Key_Delete);
  QVERIFY(Shown(window_).size() <= shown.size() - 4);
  for (int k = 0; k < 3; ++k) QTest::keyClick(window_->Grid1, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Shown(window_), shown);
}

}  // namespace quillfen

QTEST_MAIN(quillfen::ChartsAndKeysTest)
#include "charts_and_keys_test.moc"
