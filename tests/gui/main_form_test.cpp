#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QtTest>

#include "app/main_form.h"
#include "gui_test_support.h"
#include "views/mdi_child.h"

namespace quillfen {

using testing::ProgramUnderTest;

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void StartUpEnablesOpenCommandsOnTheFirstTick();
  void OpeningAStatementMakesAWindowAndEnablesAddAndExports();
};

void MainFormTest::StartUpEnablesOpenCommandsOnTheFirstTick() {
  ProgramUnderTest program;
  TMainForm& form = program.Form();
  QVERIFY(!form.OpenReport->isEnabled());
  QVERIFY(program.Start());
  QVERIFY(form.OpenReport->isEnabled());
  QVERIFY(form.StartDorvane->isEnabled());
  QVERIFY(!form.AddReport->isEnabled());
  QVERIFY(form.windowTitle().startsWith("Quillfen 4.0 - "));
  QCOMPARE(form.width(), 1050);
  QVERIFY(!form.N2->isVisible());
  QVERIFY(program.Messages().isEmpty());
}

void MainFormTest::OpeningAStatementMakesAWindowAndEnablesAddAndExports() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  const QString path = testing::Example("statement.htm");
  form.OpenChosenName(path);
  QCOMPARE(form.ReportWindows().size(), 1);
  TMDIChild* window = form.ReportWindows().constFirst();
  QCOMPARE(form.MdiArea->subWindowList().constFirst()->windowTitle(), path);
  QVERIFY(form.AddReport->isEnabled());
  QVERIFY(form.ExportCsv->isEnabled());
  QVERIFY(!QFile::exists(program.FilePath("Quillfen.tmp")));
  QCOMPARE(window->ReportPageLocation(), QUrl::fromLocalFile(path));
  QCOMPARE(window->PageControl2->currentWidget(), window->ReportTabSheet);
  QVERIFY(window->report.full.RowCount() > 2);
}

}  // namespace quillfen

QTEST_MAIN(quillfen::MainFormTest)
#include "main_form_test.moc"
