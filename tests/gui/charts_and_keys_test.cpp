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

void LeaveWith(QWidget* widget) {
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(widget, &leave);
}

int PixelsOf(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  return count;
}

QStringList Tickets(const TMDIChild* window) {
  QStringList tickets;
  for (int r = 0; r < window->Grid1Model->rowCount(); ++r)
    tickets << window->Grid1Model->index(r, 0).data().toString();
  return tickets;
}

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i)
    items << list->item(i)->text() + (list->item(i)->isSelected() ? "+" : "-");
  return items;
}

}  // namespace

class ChartsAndKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void BalanceChartHoverNamesTheTradeAndCrossesIt();
  void TimesChartHoverNamesTheSlot();
  void CommandsHaveTheirKeysInTheirMenus();
  void TabKeysStepThroughTheVisibleTabs();
  void UndoPutsTheDeletedTradesBack();

 private:
  TMDIChild* Open(const QString& path);
  std::unique_ptr<ProgramUnderTest> program_;
};

void ChartsAndKeysTest::init() {
  program_ = std::make_unique<ProgramUnderTest>();
  QVERIFY(program_->Start());
}

void ChartsAndKeysTest::cleanup() {
  program_.reset();
}

TMDIChild* ChartsAndKeysTest::Open(const QString& path) {
  program_->Form().OpenChosenName(path);
  return program_->Form().ReportWindows().constLast();
}

void ChartsAndKeysTest::BalanceChartHoverNamesTheTradeAndCrossesIt() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->BalanceTabSheet);
  PaintBox* chart = window->BalancePaintBox;
  const QImage drawn = chart->grab().toImage();
  const QColor cross(0, 0, 160);
  QCOMPARE(PixelsOf(drawn, cross), 0);

  const QPoint at(chart->width() / 2, chart->height() / 2);
  const auto trade =
      BalanceTradeAt(window->report, chart->width(), chart->height(), at.x(), at.y());
  QVERIFY(trade);
  MoveMouse(chart, at);
  QTRY_VERIFY(QToolTip::isVisible());
  const QString row = QString::number(trade->number - 1);
  const QStringList lines = QToolTip::text().split('\n');
  QCOMPARE(lines.size(), 5);
  QCOMPARE(lines[0], "Trade " + QString::number(trade->number));
  QCOMPARE(lines[1],
           "Ticket: " + window->Grid1Model->index(trade->number - 1, 0).data().toString());
  QVERIFY(lines[2].startsWith("Closed: " + QString::fromStdString(trade->closeDate) + " "));
  QCOMPARE(lines[3], "Profit: " + QString::fromStdString(trade->profit).trimmed());
  QCOMPARE(lines[4], "Balance: " + QString::fromStdString(trade->balance).trimmed());

  const QImage crossed = chart->grab().toImage();
  QVERIFY(PixelsOf(crossed, cross) > chart->width() / 2);
  // Dotted through the trade's point, across the whole height.
  QVERIFY(PixelsOf(crossed.copy(trade->point.x, 0, 1, chart->height()), cross) >
          chart->height() / 3);

  // Off the curve's area the mark goes; leaving the chart gives back the picture as drawn.
  MoveMouse(chart, QPoint(10, chart->height() / 2));
  QTRY_VERIFY(!QToolTip::isVisible());
  MoveMouse(chart, at);
  QTRY_VERIFY(QToolTip::isVisible());
  LeaveWith(chart);
  QTRY_VERIFY(!QToolTip::isVisible());
  QCOMPARE(chart->grab().toImage(), drawn);
}

void ChartsAndKeysTest::TimesChartHoverNamesTheSlot() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->TimesTabSheet);
  PaintBox* chart = window->TimesPaintBox;
  const QImage drawn = chart->grab().toImage();
  // The first column of pixels with a green bar.
  int x = 0;
  while (x < drawn.width() && PixelsOf(drawn.copy(x, 0, 1, drawn.height()), QColor(0, 192, 0)) == 0)
    ++x;
  QVERIFY(x < drawn.width());
  const QPoint at(x, chart->height() / 2 - 1);
  const auto slot = TimesSlotAt(window->report, chart->width(), chart->height(),
                                TimesBasis::closeTimes, at.x(), at.y());
  QVERIFY(slot && slot->winPips > 0);
  MoveMouse(chart, at);
  QTRY_VERIFY(QToolTip::isVisible());
  const QString expected = QString("%1 %2:00\nPips won: %3\nPips lost: %4")
                               .arg(kDayNames[static_cast<std::size_t>(slot->weekday)])
                               .arg(slot->hour, 2, 10, QChar('0'))
                               .arg(slot->winPips)
                               .arg(slot->lossPips);
  QCOMPARE(QToolTip::text(), expected);
  QCOMPARE(chart->grab().toImage(), drawn);  // no crosshair on the week
  MoveMouse(chart, QPoint(2, 2));
  QTRY_VERIFY(!QToolTip::isVisible());
}

void ChartsAndKeysTest::CommandsHaveTheirKeysInTheirMenus() {
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
      {form.Usersmanual1, form.HelpMenu, "F1"},
  };
  QList<QKeySequence> taken{form.FileOpen1->shortcut()};
  for (const auto& [action, menu, key] : commands) {
    QVERIFY2(menu->actions().contains(action), qPrintable(action->objectName()));
    // The menu shows the first key.
    QCOMPARE(action->shortcut().toString(), key);
    for (const QKeySequence& sequence : action->shortcuts()) {
      QVERIFY2(!taken.contains(sequence), qPrintable(sequence.toString()));
      taken << sequence;
    }
  }
  QVERIFY(form.NextTab1->shortcuts().contains(QKeySequence("Ctrl+PgDown")));
  QVERIFY(form.PreviousTab1->shortcuts().contains(QKeySequence("Ctrl+PgUp")));
  QVERIFY(form.Export->shortcuts().contains(QKeySequence(QKeySequence::Save)));
  QVERIFY(form.Usersmanual1->shortcuts().contains(QKeySequence(QKeySequence::HelpContents)));

  Open(Example("statement.htm"));
  Open(Example("tester.htm"));
  form.WindowClose1->trigger();
  QTRY_COMPARE(form.MdiArea->subWindowList().size(), 1);
  QCOMPARE(form.MdiArea->subWindowList().constFirst()->windowTitle(), Example("statement.htm"));
}

void ChartsAndKeysTest::TabKeysStepThroughTheVisibleTabs() {
  TMainForm& form = program_->Form();
  TMDIChild* window = Open(Example("statement.htm"));
  QTabWidget* tabs = window->PageControl2;
  QCOMPARE(tabs->currentWidget(), window->ReportTabSheet);
  form.NextTab1->trigger();
  QCOMPARE(tabs->currentWidget(), window->SummaryTabSheet);
  form.PreviousTab1->trigger();
  form.PreviousTab1->trigger();
  QCOMPARE(tabs->currentWidget(), window->DorvaneTabSheet);
  form.NextTab1->trigger();
  QCOMPARE(tabs->currentWidget(), window->ReportTabSheet);

  // A simulation-only window has one tab to show.
  form.StartDorvane->trigger();
  TMDIChild* simulation = form.ReportWindows().constLast();
  QCOMPARE(form.ActiveReportWindow(), simulation);
  form.NextTab1->trigger();
  QCOMPARE(simulation->PageControl2->currentWidget(), simulation->DorvaneTabSheet);
}

void ChartsAndKeysTest::UndoPutsTheDeletedTradesBack() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  const QStringList tickets = Tickets(window);
  const QStringList symbols = Items(window->PairsListBox);
  const QString summary = QString::fromStdString(window->report.summaryMemo.back());
  const QString symbol = window->PairsListBox->item(0)->text();
  const QStringList columnSymbols = [&] {
    QStringList texts;
    for (int r = 0; r < window->Grid1Model->rowCount(); ++r)
      texts << window->Grid1Model->index(r, 3).data().toString();
    return texts;
  }();
  for (int r = 0; r < columnSymbols.size(); ++r) {
    if (columnSymbols[r].compare(symbol, Qt::CaseInsensitive) == 0)
      window->Grid1->selectionModel()->select(
          window->Grid1Model->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  QTest::keyClick(window->Grid1, Qt::Key_Delete);
  QVERIFY(Tickets(window).size() < tickets.size());
  QVERIFY(window->PairsListBox->findItems(symbol, Qt::MatchFixedString).isEmpty());
  window->Grid1->SelectRows(0, 1);
  QTest::keyClick(window->Grid1, Qt::Key_Delete);

  QTest::keyClick(window->Grid1, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window->Grid1, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Tickets(window), tickets);
  QCOMPARE(Items(window->PairsListBox), symbols);
  QCOMPARE(QString::fromStdString(window->report.summaryMemo.back()), summary);
  QTest::keyClick(window->Grid1, Qt::Key_Z, Qt::ControlModifier);  // nothing more to undo
  QCOMPARE(Tickets(window), tickets);
}

}  // namespace quillfen

QTEST_MAIN(quillfen::ChartsAndKeysTest)
#include "charts_and_keys_test.moc"
