#pragma once

#include <QWidget>

#include "gui/views/option_groups.h"

class QComboBox;
class QHBoxLayout;
class QTableView;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QWebEngineView;

namespace quillfen {

class BreakdownModel;
class DrawdownModel;
class MonthsModel;
class PageNotice;
class PaintBox;
class SimulationPanel;
class TradeGridView;
struct ProgramState;

// The report window's form: its tabs, lists and option controls with their
// captions, defaults, colours and fonts. TMDIChild gives it its behaviour.
class TChildForm : public QWidget {
  Q_OBJECT
 public:
  TChildForm(const ProgramState& state, QWidget* parent);

  QTabWidget* PageControl2;
  QWidget* ReportTabSheet;
  QWidget* SummaryTabSheet;
  QWidget* BalanceTabSheet;
  QWidget* Trades1TabSheet;
  QWidget* Trades2TabSheet;
  QWidget* TimesTabSheet;
  QWidget* MonthsTabSheet;
  QWidget* OptionsTabSheet;
  QWidget* DorvaneTabSheet;
  QSplitter* Splitter1;
  QWidget* ListboxPanel;
  QFrame* Splitter3;
  QListWidget* PairsListBox;
  QListWidget* MagicListBox;
  QComboBox* StatementComboBox;

  QWebEngineView* WebBrowser;
  PageNotice* ReportPageNotice;  // in the web view's place when the page is not shown
  QLabel* ErrorLabel;
  QPlainTextEdit* SummaryMemo;
  QTableView* SymbolBreakdownGrid;
  QTableView* MagicBreakdownGrid;
  BreakdownModel* SymbolBreakdownModel;
  BreakdownModel* MagicBreakdownModel;
  QTableView* DrawdownGrid;
  DrawdownModel* DrawdownsModel;
  PaintBox* BalancePaintBox;
  TradeGridView* Grid1;
  QFrame* SortPanel1;
  QProgressBar* SortBar1;
  TradeGridView* Grid2;
  QFrame* SortPanel2;
  QProgressBar* SortBar2;
  PaintBox* TimesPaintBox;
  QLabel* TimesText;
  QRadioButton* OpenTimesRadioButton;
  QRadioButton* CloseTimesRadioButton;
  QTableView* MonthsGrid;
  MonthsModel* MonthsGridModel;

  TradeSettingsControls tradeSettings;
  PositionSizingControls positionSizing;
  QLineEdit* MinMiniLotsEdit;
  QLineEdit* MaxMiniLotsEdit;
  QLineEdit* MinStandardLotsEdit;
  QLineEdit* MaxStandardLotsEdit;
  QLineEdit* TimeShiftEdit;
  QLabel* HistoryLabel;
  QLineEdit* HistoryEdit;
  QPushButton* Button1;
  QRadioButton* AllTradesRadioButton;
  QRadioButton* ClosedTradesRadioButton;
  QRadioButton* OpenTradesRadioButton;
  QRadioButton* DecimalCommaRadioButton;
  QRadioButton* DecimalPeriodRadioButton;
  QRadioButton* FieldSemicolonRadioButton;
  QRadioButton* FieldTabRadioButton;

  TradeSettingsControls tradeSettings1;
  PositionSizingControls positionSizing1;
  SimulationPanel* simulation;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildListboxPanel();
  void BuildReportTab();
  void BuildSummaryTab();
  QTableView* NewBreakdownGrid(const char* name, const QString& caption, BreakdownModel* model,
                               QHBoxLayout* columns);
  void BuildTradesTabs(const ProgramState& state);
  void BuildTimesTab();
  void BuildMonthsTab();
  void BuildDrawdownTable(QSplitter* split);
  void PlaceTimesControls();
  void BuildOptionsTab();
  void BuildDorvaneTab();
  QWidget* NewTab(const char* name, const QString& caption);
  QFrame* NewSortPanel(QWidget* tab, QProgressBar** bar, const char* name, const char* barName);
};

}  // namespace quillfen
