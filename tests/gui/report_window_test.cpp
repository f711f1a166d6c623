#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "analysis/trade_selection.h"
#include "gui/app/main_form.h"
#include "gui/views/breakdown_model.h"
#include "gui/views/mdi_child.h"
#include "gui/views/paint_box.h"
#include "gui/views/trade_grid_model.h"
#include "gui/views/trade_grid_view.h"
#include "gui_test_support.h"
#include "import/trade_table.h"

namespace quillfen {

using testing::Example;
using testing::Fixture;
using testing::ProgramUnderTest;

namespace {

QStringList HeaderTexts(const QAbstractItemModel& model) {
  QStringList texts;
  for (int c = 0; c < model.columnCount(); ++c) {
    texts << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
  }
  return texts;
}

QStringList Column(const QAbstractItemModel& model, int column) {
  QStringList texts;
  for (int r = 0; r < model.rowCount(); ++r) texts << model.index(r, column).data().toString();
  return texts;
}

QString SettingsLines(const QStringList& lines) {
  return lines.join("\r\n") + "\r\n";
}

}  // namespace

class ReportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void OpenedWindowShowsEveryTab();
  void GridModelsStayConsistentThroughTheRoad();
  void AddedStatementsAreInCloseDateOrder();
  void SymbolClickNarrowsTheGridsAndRecomputes();
  void SummaryShowsTheTerminalsFiguresAndSortableBreakdowns();
  void DisplayFilterRefillsSymbolsButNotTheSummary();
  void OptionsTakeEffectWhenTheTabIsLeft();
  void TabExitCopiesBetweenOptionsAndSimulationTabs();
  void TradesTabsKeepTheSameTopRow();
  void GridsAreDrawnInTheirColours();
  void HeaderDoubleClickSortsAndToggles();
  void APressOnTheRowsDisarmsTheHeader();
  void DeleteKeyRemovesTheSelectedTrades();
  void DeleteAndUndoKeepToTheShownTradeOfASharedTicket();
  void ClickingOneGridSelectsTheSameRowsInTheOther();
  void ExportsWriteTheActiveWindow();
  void ChartsAreDrawn();
  void HistoryEditShowsWhetherItsFolderHoldsHistory();
  void NoSettingsFileGivesTheDefaults();
  void DepositDoubleClickSavesForTheNextWindow();
  void CsvButtonClickSavesAtOnce();
  void SettingsAreReadThroughSinglePrecision_data();
  void SettingsAreReadThroughSinglePrecision();

 private:
  TMDIChild* Open(const QString& path);
  std::unique_ptr<ProgramUnderTest> program_;
};

void ReportWindowTest::init() {
  program_ = std::make_unique<ProgramUnderTest>();
  QVERIFY(program_->Start());
  program_->Form().resize(1200, 700);  // room for a report window's own size
}

void ReportWindowTest::cleanup() {
  program_.reset();
}

TMDIChild* ReportWindowTest::Open(const QString& path) {
  program_->Form().OpenChosenName(path);
  return program_->Form().ReportWindows().constLast();
}

void ReportWindowTest::OpenedWindowShowsEveryTab() {
  TMDIChild* window = Open(Example("statement.htm"));
  QStringList captions;
  for (int i = 0; i < window->PageControl2->count(); ++i) {
    captions << window->PageControl2->tabText(i);
  }
  QCOMPARE(captions, (QStringList{"Report", "Summary", "Balance", "Trades", "Trades", "Times",
                                  "Months", "Options", "Dorvane"}));
  QCOMPARE(
      HeaderTexts(*window->Grid1Model),
      (QStringList{"Ticket", "Type", "Lots", "Symbol", "Open date", "Time", "Open", "Close date",
                   "Time", "Close", "Duration", "Pips", "Profit", "Balance", ""}));
  QCOMPARE(HeaderTexts(*window->Grid2Model),
           (QStringList{"Ticket", "Type", "Lots", "Symbol", "Open", "S/L", "T/P", "Close", "Comm",
                        "Swap", "Profit", "Comment", "Magic"}));
  const int trades = window->report.full.TradeRows();
  QVERIFY(trades > 20);
  QCOMPARE(window->Grid1Model->rowCount(), window->report.grid1.RowCount() - 1);
  QCOMPARE(window->Grid2Model->rowCount(), window->Grid1Model->rowCount());
  QCOMPARE(Column(*window->Grid1Model, 0), Column(*window->Grid2Model, 0));
  QVERIFY(!window->Grid1Model->index(0, g1::balance).data().toString().isEmpty());
  QVERIFY(window->PairsListBox->count() > 1);
  QCOMPARE(window->PairsListBox->selectedItems().size(), window->PairsListBox->count());
  QCOMPARE(window->MagicListBox->selectedItems().size(), window->MagicListBox->count());
  const QString summary = window->SummaryMemo->toPlainText();
  QCOMPARE(summary.split('\n').size(),
           static_cast<int>(window->report.summaryMemo.size() + window->report.terminalMemo.size() +
                            window->report.printedMemo.size()));
  QVERIFY(!summary.isEmpty());
  QVERIFY(window->CloseTimesRadioButton->isChecked());
  QVERIFY(!window->StatementComboBox->isVisible());
  QVERIFY(!window->ErrorLabel->isVisible());

  window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
  QCOMPARE(window->SummaryMemo->toPlainText(), summary);
  QVERIFY(!window->SortPanel1->isVisible());
  const QImage memo = window->SummaryMemo->viewport()->grab().toImage();
  QCOMPARE(memo.pixelColor(memo.width() - 3, memo.height() - 3), QColor(242, 242, 242));
  QCOMPARE(window->SummaryMemo->font().pixelSize(), 13);
  // The old families the form names are drawn in the fonts the project installs.
  QCOMPARE(QFontInfo(window->SummaryMemo->font()).family(), "Liberation Mono");
  QCOMPARE(QFontInfo(window->Grid2->font()).family(), "Liberation Mono");
  QCOMPARE(QFontInfo(window->font()).family(), "Liberation Sans");
}

void ReportWindowTest::GridModelsStayConsistentThroughTheRoad() {
  TMDIChild* window = Open(Example("statement.htm"));
  QAbstractItemModelTester grid1(window->Grid1Model,
                                 QAbstractItemModelTester::FailureReportingMode::QtTest);
  QAbstractItemModelTester grid2(window->Grid2Model,
                                 QAbstractItemModelTester::FailureReportingMode::QtTest);
  for (QWidget* tab : {window->Trades1TabSheet, window->OptionsTabSheet, window->Trades2TabSheet}) {
    window->PageControl2->setCurrentWidget(tab);
  }
  window->PairsListBox->item(0)->setSelected(false);
  window->OpenTradesRadioButton->click();
  window->AllTradesRadioButton->click();
  program_->Form().AddChosenFile(Example("tester.htm"));
  window->SortOnColumn(col::lots);
  QVERIFY(window->Grid1Model->rowCount() > 0);
}

void ReportWindowTest::AddedStatementsAreInCloseDateOrder() {
  TMDIChild* window = Open(Example("statement.htm"));
  program_->Form().AddChosenFile(Example("tester.htm"));
  const QStringList dates = Column(*window->Grid1Model, g1::closeDate);
  const QStringList times = Column(*window->Grid1Model, g1::closeTime);
  QString previous;
  bool openSeen = false;
  for (int r = 0; r < dates.size(); ++r) {
    if (dates[r].isEmpty()) {
      openSeen = true;
      continue;
    }
    QVERIFY2(!openSeen, "a closed trade after an open one");
    const QString moment = dates[r] + " " + times[r];
    QVERIFY2(previous <= moment, qPrintable(previous + " > " + moment));
    previous = moment;
  }
  QCOMPARE(program_->Form().State().armedSortColumn, 9);
  QCOMPARE(window->Grid1Model->rowCount(), window->report.full.TradeRows());
}

void ReportWindowTest::SymbolClickNarrowsTheGridsAndRecomputes() {
  TMDIChild* window = Open(Example("statement.htm"));
  const QString summary = window->SummaryMemo->toPlainText();
  const QString symbol = window->PairsListBox->item(0)->text();
  QListWidget* list = window->PairsListBox;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  QCOMPARE(list->selectedItems().size(), 1);
  const QStringList symbols = Column(*window->Grid1Model, 3);
  QVERIFY(!symbols.isEmpty());
  for (const QString& shown : symbols) QCOMPARE(shown.toLower(), symbol.toLower());
  QVERIFY(window->SummaryMemo->toPlainText() != summary);

  window->PairsListBox->clearSelection();
  QCOMPARE(window->PairsListBox->selectedItems().size(), window->PairsListBox->count());
  QCOMPARE(window->SummaryMemo->toPlainText(), summary);
}

void ReportWindowTest::SummaryShowsTheTerminalsFiguresAndSortableBreakdowns() {
  TMDIChild* window = Open(Example("statement.htm"));
  QVERIFY(window->SummaryMemo->toPlainText().contains("Maximum consecutive wins ($)"));
  QAbstractItemModel* symbols = window->SymbolBreakdownGrid->model();
  QAbstractItemModelTester tester(symbols, QAbstractItemModelTester::FailureReportingMode::QtTest);
  QCOMPARE(symbols->rowCount(), static_cast<int>(window->report.breakdown.symbols.size()));
  QVERIFY(symbols->rowCount() > 1);
  QCOMPARE(window->MagicBreakdownGrid->model()->rowCount(),
           static_cast<int>(window->report.breakdown.magics.size()));
  QCOMPARE(symbols->headerData(2, Qt::Horizontal).toString(), "Net profit");
  window->SymbolBreakdownGrid->sortByColumn(2, Qt::AscendingOrder);
  double previous = -1e300;
  for (int r = 0; r < symbols->rowCount(); ++r) {
    const double net = symbols->index(r, 2).data(BreakdownModel::kSortRole).toDouble();
    QVERIFY(net >= previous);
    previous = net;
  }
  QListWidget* list = window->PairsListBox;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  QCOMPARE(symbols->rowCount(), 1);
  QCOMPARE(symbols->index(0, 0).data().toString().toLower(), list->item(0)->text().toLower());
}

void ReportWindowTest::DisplayFilterRefillsSymbolsButNotTheSummary() {
  TMDIChild* window = Open(Example("statement.htm"));
  const QString summary = window->SummaryMemo->toPlainText();
  const int all = window->Grid1Model->rowCount();
  window->ClosedTradesRadioButton->click();
  QVERIFY(window->Grid1Model->rowCount() < all);
  for (const QString& date : Column(*window->Grid1Model, g1::closeDate)) QVERIFY(!date.isEmpty());
  QCOMPARE(window->SummaryMemo->toPlainText(), summary);
  window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
  QVERIFY(window->SummaryMemo->toPlainText() != summary);
}

void ReportWindowTest::OptionsTakeEffectWhenTheTabIsLeft() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->OptionsTabSheet);
  const QString balance = window->Grid1Model->index(0, g1::balance).data().toString();
  window->tradeSettings.depositRadioButton->setChecked(true);
  window->tradeSettings.depositEdit->setText("123456");
  QCOMPARE(window->Grid1Model->index(0, g1::balance).data().toString(), balance);
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  QVERIFY(window->Grid1Model->index(0, g1::balance).data().toString() != balance);
  QVERIFY(window->SummaryMemo->toPlainText().contains("123456"));
}

void ReportWindowTest::TabExitCopiesBetweenOptionsAndSimulationTabs() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->OptionsTabSheet);
  window->tradeSettings.depositRadioButton->setChecked(true);
  window->tradeSettings.depositEdit->setText("9000");
  window->positionSizing.fixedStandardAmountRadioButton->setChecked(true);
  window->positionSizing.standardAmountEdit->setText("20000");
  window->MinMiniLotsEdit->setText("0.1");
  window->PageControl2->setCurrentWidget(window->DorvaneTabSheet);
  QVERIFY(window->tradeSettings1.depositRadioButton->isChecked());
  QCOMPARE(window->tradeSettings1.depositEdit->text(), QString("9000"));
  QVERIFY(window->positionSizing1.fixedStandardAmountRadioButton->isChecked());
  QCOMPARE(window->positionSizing1.standardAmountEdit->text(), QString("20000"));

  window->tradeSettings1.orgDepositRadioButton->setChecked(true);
  window->positionSizing1.miniContractsEdit->setText("3");
  window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
  QVERIFY(window->tradeSettings.orgDepositRadioButton->isChecked());
  QCOMPARE(window->positionSizing.miniContractsEdit->text(), QString("3"));
  QCOMPARE(window->MinMiniLotsEdit->text(), QString("0.1"));
}

void ReportWindowTest::TradesTabsKeepTheSameTopRow() {
  TMDIChild* window = Open(Example("statement.htm"));
  program_->Form().AddChosenFile(Example("tester.htm"));
  QVERIFY(window->Grid1Model->rowCount() > 60);
  window->PageControl2->setCurrentWidget(window->Trades2TabSheet);
  window->Grid2->ScrollToTopRow(40);
  QCOMPARE(window->Grid2->TopRow(), 40);
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  QCOMPARE(window->Grid1->TopRow(), 40);
  window->Grid1->ScrollToTopRow(12);
  window->PageControl2->setCurrentWidget(window->Trades2TabSheet);
  QCOMPARE(window->Grid2->TopRow(), 12);
}

void ReportWindowTest::GridsAreDrawnInTheirColours() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  window->Grid1->selectRow(1);
  const QImage image = window->Grid1->grab().toImage();
  const QHeaderView* header = window->Grid1->horizontalHeader();
  // Inside the 3-pixel inset right of the text, left of the grid line.
  auto headerColour = [&](int column) {
    return image.pixelColor(
        header->sectionViewportPosition(column) + header->sectionSize(column) - 2, 4);
  };
  QCOMPARE(headerColour(7), QColor(192, 192, 192));
  QCOMPARE(headerColour(8), QColor(192, 192, 192));
  QCOMPARE(headerColour(0), window->Grid1->palette().color(QPalette::Button));
  const int rowY = header->height() + window->Grid1->rowViewportPosition(0) + 2;
  QCOMPARE(image.pixelColor(window->Grid1->columnViewportPosition(0) + 2, rowY),
           QColor(225, 245, 255));
  for (int column : {g1::openTime, g1::closeTime}) {
    const QString time = window->Grid1Model->index(0, column).data().toString();
    QVERIFY(window->Grid1->columnWidth(column) >=
            window->Grid1->fontMetrics().horizontalAdvance(time) + 3);
  }
  const int selectedY = header->height() + window->Grid1->rowViewportPosition(1) + 2;
  QCOMPARE(image.pixelColor(window->Grid1->columnViewportPosition(0) + 2, selectedY),
           window->Grid1->palette().color(QPalette::Highlight));
  QCOMPARE(window->Grid1->rowHeight(0), 14);
  QCOMPARE(window->Grid1->columnWidth(0), 66);
  QVERIFY(IsArmedHeader(TradeGrid::grid1, 4, 5));
  QVERIFY(!IsArmedHeader(TradeGrid::grid2, 9, 7));
  QVERIFY(IsArmedHeader(TradeGrid::grid2, 0, 0));
}

namespace {

QPoint HeaderPoint(TradeGridView* grid, int column) {
  QHeaderView* header = grid->horizontalHeader();
  return {header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5};
}

QList<double> Numbers(const QStringList& texts) {
  QList<double> numbers;
  for (const QString& text : texts) numbers << text.trimmed().toDouble();
  return numbers;
}

}  // namespace

void ReportWindowTest::HeaderDoubleClickSortsAndToggles() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  QWidget* header = window->Grid1->horizontalHeader()->viewport();
  const QPoint lots = HeaderPoint(window->Grid1, g1::lots);
  QList<double> previous;
  for (bool descending : {true, false, true}) {
    QTest::mousePress(header, Qt::LeftButton, {}, lots);
    QCOMPARE(program_->Form().State().armedSortColumn, col::lots);
    QTest::mouseDClick(header, Qt::LeftButton, {}, lots);
    const QList<double> sizes = Numbers(Column(*window->Grid1Model, g1::lots));
    QList<double> sorted = sizes;
    std::sort(sorted.begin(), sorted.end());
    if (descending) std::reverse(sorted.begin(), sorted.end());
    QCOMPARE(sizes, sorted);
    QVERIFY(sizes != previous);
    previous = sizes;
  }
}

void ReportWindowTest::APressOnTheRowsDisarmsTheHeader() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  const QStringList tickets = Column(*window->Grid1Model, 0);
  QTest::mousePress(window->Grid1->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    HeaderPoint(window->Grid1, g1::pips));
  QCOMPARE(program_->Form().State().armedSortColumn, col::pips);
  const QPoint row = window->Grid1->visualRect(window->Grid1Model->index(2, 0)).center();
  QTest::mouseDClick(window->Grid1->viewport(), Qt::LeftButton, {}, row);
  QCOMPARE(program_->Form().State().armedSortColumn, -1);
  QCOMPARE(Column(*window->Grid1Model, 0), tickets);
}

void ReportWindowTest::DeleteKeyRemovesTheSelectedTrades() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->Trades2TabSheet);
  const int trades = window->report.full.TradeRows();
  const QString first = window->Grid2Model->index(0, 0).data().toString();
  const QString second = window->Grid2Model->index(1, 0).data().toString();
  window->Grid2->SelectRows(0, 2);
  QTest::keyClick(window->Grid2, Qt::Key_Delete);
  QCOMPARE(window->report.full.TradeRows(), trades - 2);
  const QStringList tickets = Column(*window->Grid1Model, 0);
  QVERIFY(!tickets.contains(first) && !tickets.contains(second));

  const QString symbol = window->PairsListBox->item(window->PairsListBox->count() - 1)->text();
  QList<int> rows;
  const QStringList symbols = Column(*window->Grid2Model, 3);
  for (int r = 0; r < symbols.size(); ++r) {
    if (symbols[r].compare(symbol, Qt::CaseInsensitive) == 0) {
      window->Grid2->selectionModel()->select(
          window->Grid2Model->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
  QTest::keyClick(window->Grid2, Qt::Key_Delete);
  QVERIFY(window->PairsListBox->findItems(symbol, Qt::MatchFixedString).isEmpty());
}

// A statement added to its twin under another symbol: tickets repeat, and
// with one symbol shown the Delete key takes only the trade on the screen.
void ReportWindowTest::DeleteAndUndoKeepToTheShownTradeOfASharedTicket() {
  QFile fixture(Fixture("statement_magic_comments.htm"));
  QVERIFY(fixture.open(QIODevice::ReadOnly));
  program_->WriteFile("gbpusd.htm", fixture.readAll().replace("eurusd", "gbpusd"));
  TMDIChild* window = Open(Fixture("statement_magic_comments.htm"));
  program_->Form().AddChosenFile(program_->FilePath("gbpusd.htm"));
  const QList<QListWidgetItem*> eurusd =
      window->PairsListBox->findItems("eurusd", Qt::MatchFixedString);
  QCOMPARE(eurusd.size(), 1);
  eurusd.constFirst()->setSelected(false);
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  const QStringList tickets = Column(*window->Grid1Model, 0);
  const int row = static_cast<int>(tickets.indexOf("202"));
  QVERIFY(row >= 0);
  auto symbolsOf202 = [&] {
    QStringList symbols;
    for (int r = 0; r < window->report.full.TradeRows(); ++r)
      if (window->report.full.Cell(col::ticket, r) == "202")
        symbols << QString::fromStdString(std::string(window->report.full.Cell(col::symbol, r)));
    symbols.sort();
    return symbols;
  };
  QCOMPARE(symbolsOf202(), (QStringList{"eurusd", "gbpusd"}));

  window->Grid1->SelectRows(row, 1);
  QTest::keyClick(window->Grid1, Qt::Key_Delete);
  QCOMPARE(symbolsOf202(), QStringList{"eurusd"});
  QVERIFY(!Column(*window->Grid1Model, 0).contains("202"));
  QTest::keyClick(window->Grid1, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(symbolsOf202(), (QStringList{"eurusd", "gbpusd"}));
  QCOMPARE(Column(*window->Grid1Model, 0), tickets);
}

void ReportWindowTest::ClickingOneGridSelectsTheSameRowsInTheOther() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->Trades1TabSheet);
  const QPoint row = window->Grid1->visualRect(window->Grid1Model->index(5, 1)).center();
  QTest::mouseClick(window->Grid1->viewport(), Qt::LeftButton, {}, row);
  QCOMPARE(window->Grid2->SelectedRows(), std::vector<int>{5});
  QCOMPARE(window->Grid2->TopRow(), window->Grid1->TopRow());
}

void ReportWindowTest::ExportsWriteTheActiveWindow() {
  TMDIChild* window = Open(Example("statement.htm"));
  TMainForm& form = program_->Form();
  QVERIFY(form.ExportHtmlTo(program_->FilePath("plain.htm"), false));
  QVERIFY(program_->ReadFile("plain.htm").startsWith("<!DOCTYPE HTML PUBLIC"));
  QVERIFY(!QFile::exists(program_->FilePath("plain.jpg")));
  QVERIFY(form.ExportHtmlTo(program_->FilePath("detailed.htm"), true));
  QVERIFY(QFile::exists(program_->FilePath("detailed.jpg")));

  QVERIFY(form.ExportCsvTo(program_->FilePath("trades.csv")));
  QVERIFY(program_->ReadFile("trades.csv").startsWith("Ticket;Open date;Open time;"));
  window->FieldTabRadioButton->click();
  QVERIFY(form.ExportCsvTo(program_->FilePath("tabs.csv")));
  QVERIFY(program_->ReadFile("tabs.csv").startsWith("Ticket\tOpen date\t"));

  QTest::mousePress(form.ExportCsvButton, Qt::LeftButton, Qt::ControlModifier);
  QVERIFY(form.State().CompactCsvRequested);
  QVERIFY(form.ExportCsvTo(program_->FilePath("compact.csv")));
  QVERIFY(!program_->ReadFile("compact.csv").startsWith("Ticket"));
  QTest::mousePress(form.ExportCsvButton, Qt::LeftButton);
  QVERIFY(!form.State().CompactCsvRequested);
}

void ReportWindowTest::ChartsAreDrawn() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->PageControl2->setCurrentWidget(window->BalanceTabSheet);
  QImage balance = window->BalancePaintBox->grab().toImage();
  QCOMPARE(balance.pixelColor(balance.width() / 2, 5), QColor(255, 255, 213));
  int red = 0;
  int black = 0;
  for (int y = 0; y < balance.height(); ++y) {
    for (int x = 0; x < balance.width(); ++x) {
      const QColor c = balance.pixelColor(x, y);
      red += c == QColor(224, 0, 0);
      black += c == QColor(0, 0, 0);
    }
  }
  QVERIFY(red > 0);
  QVERIFY(black > 0);

  window->PageControl2->setCurrentWidget(window->TimesTabSheet);
  auto greenBars = [&] {
    const QImage times = window->TimesPaintBox->grab().toImage();
    QList<int> columns;
    for (int x = 0; x < times.width(); ++x) {
      for (int y = 0; y < times.height(); ++y) {
        if (times.pixelColor(x, y) == QColor(0, 192, 0)) {
          columns << x;
          break;
        }
      }
    }
    return columns;
  };
  const QList<int> byClose = greenBars();
  QVERIFY(!byClose.isEmpty());
  window->OpenTimesRadioButton->click();
  QVERIFY(greenBars() != byClose);
}

void ReportWindowTest::HistoryEditShowsWhetherItsFolderHoldsHistory() {
  TMDIChild* window = Open(Example("statement.htm"));
  QVERIFY(!window->HistoryEdit->isVisible());
  window->HistoryEdit->setText(program_->Directory() + "/");
  QCOMPARE(window->HistoryEdit->palette().color(QPalette::Text), QColor(Qt::red));
  program_->WriteFile("EURUSD60.hst", "");
  window->HistoryEdit->setText(program_->Directory());
  QCOMPARE(window->HistoryEdit->palette().color(QPalette::Text), QColor(Qt::black));
}

void ReportWindowTest::NoSettingsFileGivesTheDefaults() {
  TMDIChild* window = Open(Example("statement.htm"));
  QCOMPARE(window->tradeSettings.depositEdit->text(), QString("5000"));
  QCOMPARE(window->tradeSettings1.depositEdit->text(), QString("5000"));
  QVERIFY(window->DecimalCommaRadioButton->isChecked());
  QVERIFY(window->FieldSemicolonRadioButton->isChecked());
  QVERIFY(window->tradeSettings.orgDepositRadioButton->isChecked());
  QVERIFY(window->positionSizing.originalPositionRadioButton->isChecked());
  QVERIFY(window->AllTradesRadioButton->isChecked());
  QCOMPARE(window->MaxStandardLotsEdit->text(), QString("100"));
  QVERIFY(!QFile::exists(program_->FilePath("Quillfen.set")));
}

void ReportWindowTest::DepositDoubleClickSavesForTheNextWindow() {
  TMDIChild* first = Open(Example("statement.htm"));
  first->tradeSettings.depositEdit->setText("7500");
  QTest::mouseDClick(first->tradeSettings.depositEdit, Qt::LeftButton);
  QCOMPARE(program_->ReadFile("Quillfen.set"), SettingsLines({"7500", "1", "0", "1", "0"}));
  TMDIChild* second = Open(Example("tester.htm"));
  QCOMPARE(second->tradeSettings.depositEdit->text(), QString("7500"));
  QCOMPARE(second->tradeSettings1.depositEdit->text(), QString("7500"));

  second->tradeSettings1.depositEdit->setText("8100");
  QTest::mouseDClick(second->tradeSettings1.depositEdit, Qt::LeftButton);
  QCOMPARE(program_->ReadFile("Quillfen.set"), SettingsLines({"8100", "1", "0", "1", "0"}));
  QCOMPARE(first->tradeSettings.depositEdit->text(), QString("7500"));
}

void ReportWindowTest::CsvButtonClickSavesAtOnce() {
  TMDIChild* window = Open(Example("statement.htm"));
  window->FieldTabRadioButton->click();
  QCOMPARE(program_->ReadFile("Quillfen.set"), SettingsLines({"5000", "1", "0", "0", "1"}));
  window->DecimalPeriodRadioButton->click();
  QCOMPARE(program_->ReadFile("Quillfen.set"), SettingsLines({"5000", "0", "1", "0", "1"}));
  TMDIChild* next = Open(Example("statement.htm"));
  QVERIFY(next->DecimalPeriodRadioButton->isChecked());
  QVERIFY(next->FieldTabRadioButton->isChecked());
  QVERIFY(!next->FieldSemicolonRadioButton->isChecked());
}

void ReportWindowTest::SettingsAreReadThroughSinglePrecision_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("deposit");
  QTest::addColumn<bool>("comma");
  QTest::newRow("fraction") << QByteArray("1000.1\r\n1\r\n0\r\n1\r\n0\r\n") << "1000.09997558594"
                            << true;
  QTest::newRow("no number") << QByteArray("abc\r\n0\r\n1\r\n1\r\n0\r\n") << "5000" << false;
  QTest::newRow("first line only") << QByteArray("2500\r\n") << "2500" << true;
}

void ReportWindowTest::SettingsAreReadThroughSinglePrecision() {
  QFETCH(QByteArray, file);
  QFETCH(QString, deposit);
  QFETCH(bool, comma);
  program_->WriteFile("Quillfen.set", file);
  TMDIChild* window = Open(Example("statement.htm"));
  QCOMPARE(window->tradeSettings.depositEdit->text(), deposit);
  QCOMPARE(window->tradeSettings1.depositEdit->text(), deposit);
  QCOMPARE(window->DecimalCommaRadioButton->isChecked(), comma);
  QCOMPARE(window->DecimalPeriodRadioButton->isChecked(), !comma);
}

}  // namespace quillfen

QTEST_MAIN(quillfen::ReportWindowTest)
#include "report_window_test.moc"
