#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QComboBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/trade_grid_view.h"
#include "gui_test_support.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

// Every cell of the trade table and of both grids.
QStringList Cells(const Report& report) {
  QStringList cells;
  auto add = [&](const auto& grid) {
    for (int row = 0; row < grid.RowCount(); ++row)
      for (int column = 0; column < grid.Columns(); ++column)
        cells << QString::fromStdString(std::string(grid.Cell(column, row)));
  };
  add(report.full);
  add(report.grid1);
  add(report.grid2);
  return cells;
}

// A character device that refuses every write with "No space left on device";
// empty where the system has none and none may be made.
QString FullDevice(const QTemporaryDir& dir) {
  if (QFile::exists("/dev/full")) return "/dev/full";
  const QString made = dir.filePath("full");
  if (::mknod(made.toLocal8Bit().constData(), S_IFCHR | 0666, ::makedev(1, 7)) == 0) return made;
  return {};
}

}  // namespace

class OpeningRoadTest : public QObject {
  Q_OBJECT

 private slots:
  void AFullDiskOpensNothingAndSaysSo();
  void SortsAndDeletionsWaitForAnAddToEnd();
};

void OpeningRoadTest::AFullDiskOpensNothingAndSaysSo() {
  QTemporaryDir devices;
  const QString full = FullDevice(devices);
  if (full.isEmpty()) QSKIP("no full device here");
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  const QString working = program.FilePath("Quillfen.tmp");
  QVERIFY(QFile::link(full, working));
  form.OpenChosenName(Example("statement.htm"));
  QVERIFY(form.ReportWindows().isEmpty());
  QCOMPARE(program.Messages().size(), 1);
  QVERIFY2(program.Messages().constFirst().contains("No space left on device"),
           qPrintable(program.Messages().constFirst()));
  QVERIFY(!form.RoadBusy());

  // With room again the next open goes through; then an add fails and leaves it be.
  QFile::remove(working);
  form.OpenChosenName(Example("statement.htm"));
  QCOMPARE(form.ReportWindows().size(), 1);
  TMDIChild* window = form.ReportWindows().constFirst();
  const QStringList before = Cells(window->report);
  QVERIFY(QFile::link(full, working));
  form.AddChosenFile(Example("tester.htm"));
  QCOMPARE(Cells(window->report), before);
  QCOMPARE(window->report.statements.size(), std::size_t{1});
  QCOMPARE(window->StatementComboBox->count(), 1);
  QCOMPARE(program.Messages().size(), 2);
}

void OpeningRoadTest::SortsAndDeletionsWaitForAnAddToEnd() {
  QTemporaryDir folder;
  const QString large = folder.filePath("large.htm");
  QCOMPARE(QProcess::execute(QUILLFEN_MAKE_STATEMENT,
                             {"-n", "30000", "--magic", "--seed", "5", "-o", large}),
           0);
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.OpenChosenName(Example("statement.htm"));
  TMDIChild* window = form.ReportWindows().constFirst();
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);

  // While the add runs, the user double-clicks a header and presses Delete, again and again.
  int triedWhileFilling = 0;
  QTimer interfere;
  interfere.setInterval(0);
  connect(&interfere, &QTimer::timeout, window, [window, &triedWhileFilling] {
    if (window->report.busy != BusyWith::filling) return;
    ++triedWhileFilling;
    QWidget* header = window->Grid1->horizontalHeader()->viewport();
    const QPoint pips(window->Grid1->columnViewportPosition(11) + 5, 5);
    QTest::mousePress(header, Qt::LeftButton, {}, pips);
    QTest::mouseDClick(header, Qt::LeftButton, {}, pips);
    window->Grid1->SelectRows(0, 2);
    QTest::keyClick(window->Grid1, Qt::Key_Delete);
  });
  interfere.start();
  form.AddChosenFile(large);
  interfere.stop();
  QVERIFY(triedWhileFilling > 0);

  // The same add without interference gives the same table and grids.
  form.OpenChosenName(Example("statement.htm"));
  TMDIChild* quiet = form.ReportWindows().constLast();
  QVERIFY(quiet != window);
  form.AddChosenFile(large);
  QCOMPARE(quiet->report.statements.size(), std::size_t{2});
  QVERIFY(Cells(window->report) == Cells(quiet->report));
}

}  // namespace quillfen

QTEST_MAIN(quillfen::OpeningRoadTest)
#include "opening_road_test.moc"
