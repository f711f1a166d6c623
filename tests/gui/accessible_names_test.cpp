// Assistive technology and test drivers find each control by the text a user
// reads for it: a button by its caption, an edit or list by the label or radio
// button beside it, a control that fills a tab by the tab's caption.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QWebEngineView>
#include <QtTest>
#include <climits>

#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"
#include "gui/views/paint_box.h"
#include "gui/views/simulation_panel.h"
#include "gui/views/trade_grid_view.h"
#include "gui_test_support.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The parts of a view (its header, corner button) belong to the view's own
// name; the scroll arrows of a tab bar too narrow for its tabs are Qt's, named by Qt.
bool InsideAView(QWidget* widget) {
  for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
    if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTabBar*>(w)) return true;
  }
  return false;
}

bool IsControl(QWidget* w) {
  if (InsideAView(w)) return false;
  return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
         qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
         qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QProgressBar*>(w) ||
         qobject_cast<PaintBox*>(w) || qobject_cast<QWebEngineView*>(w);
}

QString Caption(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  return {};
}

// What a user reads as the control's caption: the nearest label or button to
// its left on its line, else the nearest label above it, within its own panel.
QString CaptionBeside(QWidget* control) {
  const QRect c = control->geometry();
  QWidget *left = nullptr, *above = nullptr;
  int leftGap = INT_MAX, aboveGap = INT_MAX;
  for (QWidget* w : control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w == control || !w->isVisible() || Caption(w).isEmpty()) continue;
    const QRect r = w->geometry();
    if (r.right() < c.left() && r.top() <= c.center().y() && c.center().y() <= r.bottom() &&
        c.left() - r.right() < leftGap) {
      left = w;
      leftGap = c.left() - r.right();
    } else if (qobject_cast<QLabel*>(w) && r.bottom() < c.top() && r.left() <= c.center().x() &&
               c.center().x() <= r.right() && c.top() - r.bottom() < aboveGap) {
      above = w;
      aboveGap = c.top() - r.bottom();
    }
  }
  return left ? Caption(left) : above ? Caption(above) : QString();
}

}  // namespace

class AccessibleNamesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void ReportWindowControlsAreNamedAsShown_data();
  void ReportWindowControlsAreNamedAsShown();
  void MainWindowControlsAreNamedAsShown();

 private:
  std::unique_ptr<ProgramUnderTest> program_;
  TMDIChild* window_ = nullptr;
};

// One window for every tab; a second statement brings the statement list.
void AccessibleNamesTest::initTestCase() {
  program_ = std::make_unique<ProgramUnderTest>();
  QVERIFY(program_->Start());
  program_->Form().OpenChosenName(Example("statement.htm"));
  program_->Form().AddChosenFile(Example("tester.htm"));
  window_ = program_->Form().ReportWindows().constLast();
}

void AccessibleNamesTest::cleanupTestCase() {
  program_.reset();
}

// Per tab, names a test driver looks for; the lists beside the tabs always show.
void AccessibleNamesTest::ReportWindowControlsAreNamedAsShown_data() {
  QTest::addColumn<QString>("tab");
  QTest::addColumn<QStringList>("found");
  QTest::newRow("Report") << "ReportTabSheet" << QStringList{"Report"};
  QTest::newRow("Summary") << "SummaryTabSheet" << QStringList{"Summary", "Drawdowns"};
  QTest::newRow("Balance") << "BalanceTabSheet" << QStringList{"Balance"};
  QTest::newRow("Trades 1") << "Trades1TabSheet" << QStringList{"Trades", "Sorting..."};
  QTest::newRow("Trades 2") << "Trades2TabSheet" << QStringList{"Trades", "Sorting..."};
  QTest::newRow("Times") << "TimesTabSheet" << QStringList{"Times", "Close times"};
  QTest::newRow("Months") << "MonthsTabSheet" << QStringList{"Months"};
  QTest::newRow("Options") << "OptionsTabSheet"
                           << QStringList{"Initial deposit",       "Fixed # of mini lots",
                                          "Fixed amount standard", "Max # of mini lots",
                                          "Time shift (hours)",    "Display open trades only"};
  QTest::newRow("Dorvane") << "DorvaneTabSheet"
                           << QStringList{"Initial deposit",
                                          "Fixed # of standard lots",
                                          "Avg profit",
                                          "Avg loss",
                                          "Wins %",
                                          "Auto import from report",
                                          "Max dd %",
                                          "Trades",
                                          "Days",
                                          "Simulation",
                                          "Start simulation",
                                          "Runs",
                                          "Perfect",
                                          "Error rate",
                                          "Risk of ruin",
                                          "Drawdown",
                                          "Deviation",
                                          "Profit/trade",
                                          "Balance",
                                          "Return"};
}

void AccessibleNamesTest::ReportWindowControlsAreNamedAsShown() {
  QFETCH(QString, tab);
  QFETCH(QStringList, found);
  TMDIChild* w = window_;
  QWidget* page = w->findChild<QWidget*>(tab);
  w->PageControl2->setCurrentWidget(page);
  // The sort panel shows only while a sort runs; show it to check its bar.
  QFrame* sortPanel = page == w->Trades1TabSheet ? w->SortPanel1 : w->SortPanel2;
  sortPanel->setVisible(page == w->Trades1TabSheet || page == w->Trades2TabSheet);
  const QHash<QWidget*, QWidget*> fillsTab = {
      {w->WebBrowser, w->ReportTabSheet},       {w->SummaryMemo, w->SummaryTabSheet},
      {w->BalancePaintBox, w->BalanceTabSheet}, {w->Grid1, w->Trades1TabSheet},
      {w->Grid2, w->Trades2TabSheet},           {w->TimesPaintBox, w->TimesTabSheet},
      {w->MonthsGrid, w->MonthsTabSheet},
  };
  // A control with no caption of its own inside a group is named by the group's heading.
  const QHash<QWidget*, QString> namedByGroup = {{w->simulation->ProgressBar, "Simulation"}};

  QList<QWidget*> controls = w->PageControl2->findChildren<QWidget*>();
  controls += w->ListboxPanel->findChildren<QWidget*>();
  QStringList names;
  for (QWidget* control : controls) {
    if (!control->isVisible() || !IsControl(control)) continue;
    QString expected;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      expected = button->text();
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      // Qt on Linux names a combo box by its current item, whatever its
      // accessible name; the statement list shows the statement's path.
      expected = combo->currentText();
    } else if (namedByGroup.contains(control)) {
      expected = namedByGroup[control];
    } else if (fillsTab.contains(control)) {
      expected = w->PageControl2->tabText(w->PageControl2->indexOf(fillsTab[control]));
    } else {
      expected = CaptionBeside(control);
    }
    const QString name = AccessibleName(control);
    QVERIFY2(!expected.isEmpty() && name == expected,
             qPrintable(QString("%1 is named \"%2\" but shows as \"%3\"")
                            .arg(control->objectName(), name, expected)));
    names << name;
  }
  sortPanel->hide();
  for (const QString& name : found + QStringList{"Symbols", "Magic"}) {
    QVERIFY2(names.contains(name), qPrintable(name));
  }
}

void AccessibleNamesTest::MainWindowControlsAreNamedAsShown() {
  TMainForm& form = program_->Form();
  for (QAbstractButton* button : form.ToolBar2->findChildren<QAbstractButton*>()) {
    if (!button->isVisible()) continue;
    QVERIFY(!button->text().isEmpty());
    QCOMPARE(AccessibleName(button), button->text());
  }
  // The load panel shows only while a statement is read.
  QCOMPARE(AccessibleName(form.ProgressBar), form.Label1->text());
}

}  // namespace quillfen

QTEST_MAIN(quillfen::AccessibleNamesTest)
#include "accessible_names_test.moc"
