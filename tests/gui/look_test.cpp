// Opens a real statement and saves a picture of the program per tab, for a
// person to look at; the checks are what a glance would catch.
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

#include "gui/app/about_box.h"
#include "gui/app/main_form.h"
#include "gui/app/message_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/trade_grid_model.h"
#include "gui_test_support.h"

namespace quillfen {

class LookTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryTabOfARealStatement();
  void Dialogs();

 private:
  void Save(QWidget* widget, const QString& name);
};

void LookTest::Save(QWidget* widget, const QString& name) {
  QDir().mkpath(QUILLFEN_LOOK_OUTPUT);
  QVERIFY(widget->grab().save(QDir(QUILLFEN_LOOK_OUTPUT).filePath(name + ".png")));
}

void LookTest::EveryTabOfARealStatement() {
  const QString statement =
      QDir(testing::StatementsFolder()).filePath("013-rsi-ichimoku-detailed-commission.htm");
  if (!QFile::exists(statement)) QSKIP("the real statements are not here");
  testing::ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.resize(1280, 720);
  form.OpenChosenName(statement);
  form.OpenChosenName(statement);
  form.StartDorvane->trigger();
  QTest::qWait(1500);
  Save(&form, "windows");
  TMDIChild* window = form.ReportWindows().constFirst();
  form.MdiArea->setActiveSubWindow(form.MdiArea->subWindowList().constFirst());
  form.MdiArea->subWindowList().constFirst()->showMaximized();
  QVERIFY(window->Grid1Model->rowCount() > 10);
  QVERIFY(!window->SummaryMemo->toPlainText().isEmpty());
  // The page loads in its own process; give it a moment to paint.
  QTest::qWait(1500);
  for (int i = 0; i < window->PageControl2->count(); ++i) {
    window->PageControl2->setCurrentIndex(i);
    QTest::qWait(100);
    Save(&form, QString("tab%1-%2").arg(i).arg(window->PageControl2->widget(i)->objectName()));
  }
}

void LookTest::Dialogs() {
  testing::ProgramUnderTest program;
  QVERIFY(program.Start());
  TAboutBox* box = program.Form().AboutBox;
  QTimer::singleShot(100, box, [&] {
    Save(box, "about");
    box->accept();
  });
  box->exec();
  TMessageForm message(&program.Form());
  QTimer::singleShot(100, &message, [&] {
    Save(&message, "message");
    message.accept();
  });
  message.ShowMessageDialog("Please use ascending ticket numbers");
}

}  // namespace quillfen

QTEST_MAIN(quillfen::LookTest)
#include "look_test.moc"
