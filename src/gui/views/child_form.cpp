#include "gui/views/child_form.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "gui/views/breakdown_model.h"
#include "gui/views/drawdown_model.h"
#include "gui/views/months_model.h"
#include "gui/views/page_notice.h"
#include "gui/views/paint_box.h"
#include "gui/views/path_combo_box.h"
#include "gui/views/simulation_panel.h"
#include "gui/views/trade_grid_view.h"
#include "platform_fonts.h"
#include "report.h"
#include "text/number_format.h"
#include "views/return_shade.h"

namespace quillfen {

namespace {

const QColor kPaleYellow(255, 255, 213);
const QColor kMoneyGreen(192, 220, 192);
const std::vector<int> kGrid1Widths{65, 33, 41, 66, 69, 40, 46, 67, 39, 46, 48, 31, 71, 87, 17};
const std::vector<int> kGrid2Widths{65, 33, 41, 66, 42, 42, 43, 43, 42, 43, 71, 186, 51};

QFont PixelFont(const QString& family, int pixels) {
  QFont font = PlatformFont(family);
  font.setPixelSize(pixels);
  return font;
}

void SetBackground(QWidget* widget, const QColor& colour) {
  widget->setAutoFillBackground(true);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Button, colour);
  widget->setPalette(palette);
}

QVBoxLayout* FillingLayout(QWidget* tab) {
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

QListWidget* NewListBox(const char* name, int width, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setFixedWidth(width);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setFont(PixelFont("Courier New", 11));
  list->setUniformItemSizes(true);
  SetBackground(list, Qt::white);
  return list;
}

// A control that fills a tab has no label of its own: the tab's caption names it.
void NameAfterTab(QWidget* control, const QTabWidget* tabs, QWidget* tab) {
  control->setAccessibleName(tabs->tabText(tabs->indexOf(tab)));
}

QLineEdit* AddLabelledEdit(QGridLayout* grid, int row, const QString& label, const char* name,
                           const QString& text, QWidget* parent) {
  auto* caption = new QLabel(label, parent);
  grid->addWidget(caption, row, 0);
  QLineEdit* edit = NewOptionEdit(name, text, parent);
  LabelFor(caption, edit);
  grid->addWidget(edit, row, 1);
  return edit;
}

}  // namespace

TChildForm::TChildForm(const ProgramState& state, QWidget* parent) : QWidget(parent) {
  setObjectName("ChildForm");
  setFont(PixelFont("MS Sans Serif", 11));
  resize(1069, 406);
  SetBackground(this, palette().color(QPalette::Button));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 2, 0, 0);  // the 2-pixel splitter along the top edge
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setHandleWidth(4);
  Splitter1->setChildrenCollapsible(false);
  layout->addWidget(Splitter1);

  PageControl2 = new QTabWidget(Splitter1);
  PageControl2->setObjectName("PageControl2");
  PageControl2->setDocumentMode(true);
  PageControl2->tabBar()->setExpanding(false);
  Splitter1->addWidget(PageControl2);
  BuildListboxPanel();

  BuildReportTab();
  BuildSummaryTab();
  BalanceTabSheet = NewTab("BalanceTabSheet", "Balance");
  BalancePaintBox = new PaintBox(BalanceTabSheet);
  BalancePaintBox->setObjectName("BalancePaintBox");
  NameAfterTab(BalancePaintBox, PageControl2, BalanceTabSheet);
  FillingLayout(BalanceTabSheet)->addWidget(BalancePaintBox);
  BuildTradesTabs(state);
  BuildTimesTab();
  BuildMonthsTab();
  BuildOptionsTab();
  BuildDorvaneTab();

  StatementComboBox = new PathComboBox(PageControl2);
  StatementComboBox->setObjectName("StatementComboBox");
  StatementComboBox->setAccessibleName("Statements");
  StatementComboBox->setGeometry(536, 2, 237, 20);
  StatementComboBox->hide();
}

void TChildForm::BuildListboxPanel() {
  ListboxPanel = new QWidget(Splitter1);
  ListboxPanel->setObjectName("ListboxPanel");
  ListboxPanel->setFixedWidth(185);
  auto* row = new QHBoxLayout(ListboxPanel);
  row->setContentsMargins(0, 0, 2, 2);
  row->setSpacing(3);
  Splitter3 = new QFrame(ListboxPanel);
  Splitter3->setObjectName("Splitter3");
  Splitter3->setFrameShape(QFrame::VLine);
  Splitter3->setFixedWidth(1);
  row->addWidget(Splitter3);
  PairsListBox = NewListBox("PairsListBox", 87, ListboxPanel);
  MagicListBox = NewListBox("MagicListBox", 91, ListboxPanel);
  for (auto [caption, list] : {std::pair{"Symbols", PairsListBox}, {"Magic", MagicListBox}}) {
    auto* column = new QVBoxLayout;
    auto* label = new QLabel(caption, ListboxPanel);
    LabelFor(label, list);
    column->addWidget(label);
    column->addWidget(list, 1);
    row->addLayout(column);
  }
  Splitter1->addWidget(ListboxPanel);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
}

QWidget* TChildForm::NewTab(const char* name, const QString& caption) {
  auto* tab = new QWidget(PageControl2);
  tab->setObjectName(name);
  PageControl2->addTab(tab, caption);
  return tab;
}

void TChildForm::BuildReportTab() {
  ReportTabSheet = NewTab("ReportTabSheet", "Report");
  auto* panel = new QFrame(ReportTabSheet);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FillingLayout(ReportTabSheet)->addWidget(panel);
  WebBrowser = new QWebEngineView(panel);
  WebBrowser->setObjectName("WebBrowser");
  NameAfterTab(WebBrowser, PageControl2, ReportTabSheet);
  QVBoxLayout* page = FillingLayout(panel);
  page->addWidget(WebBrowser);
  ReportPageNotice = new PageNotice(panel);
  page->addWidget(ReportPageNotice);
  ErrorLabel = new QLabel("Error writing file", ReportTabSheet);
  ErrorLabel->setObjectName("ErrorLabel");
  QPalette red = ErrorLabel->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  ErrorLabel->setPalette(red);
  ErrorLabel->hide();
}

void TChildForm::BuildSummaryTab() {
  SummaryTabSheet = NewTab("SummaryTabSheet", "Summary");
  SummaryMemo = new QPlainTextEdit(SummaryTabSheet);
  SummaryMemo->setObjectName("SummaryMemo");
  NameAfterTab(SummaryMemo, PageControl2, SummaryTabSheet);
  SummaryMemo->setReadOnly(true);
  SummaryMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  SummaryMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SummaryMemo->setFont(PixelFont("Courier New", 13));
  SetBackground(SummaryMemo, QColor(242, 242, 242));
  // The breakdown per symbol and magic number under the text, the split movable.
  auto* split = new QSplitter(Qt::Vertical, SummaryTabSheet);
  split->setObjectName("SummarySplitter");
  split->setChildrenCollapsible(false);
  split->addWidget(SummaryMemo);
  auto* breakdown = new QWidget(split);
  breakdown->setObjectName("BreakdownPanel");
  auto* columns = new QHBoxLayout(breakdown);
  columns->setContentsMargins(4, 4, 4, 4);
  SymbolBreakdownModel = new BreakdownModel("Symbol", this);
  MagicBreakdownModel = new BreakdownModel("Magic", this);
  SymbolBreakdownGrid =
      NewBreakdownGrid("SymbolBreakdownGrid", "By symbol", SymbolBreakdownModel, columns);
  MagicBreakdownGrid =
      NewBreakdownGrid("MagicBreakdownGrid", "By magic number", MagicBreakdownModel, columns);
  split->addWidget(breakdown);
  BuildDrawdownTable(split);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setStretchFactor(2, 2);
  FillingLayout(SummaryTabSheet)->addWidget(split);
}

QTableView* TChildForm::NewBreakdownGrid(const char* name, const QString& caption,
                                         BreakdownModel* model, QHBoxLayout* columns) {
  auto* column = new QVBoxLayout;
  auto* label = new QLabel(caption, SummaryTabSheet);
  label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);  // stays on its table
  column->addWidget(label);
  auto* grid = new QTableView(SummaryTabSheet);
  grid->setObjectName(name);
  auto* sorted = new QSortFilterProxyModel(grid);
  sorted->setSourceModel(model);
  sorted->setSortRole(BreakdownModel::kSortRole);
  grid->setModel(sorted);
  grid->setSortingEnabled(true);
  grid->sortByColumn(-1, Qt::AscendingOrder);  // the lists' order until a header is clicked
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // Its content never asks for width: the tab's size stays the one of the other tabs.
  grid->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
  grid->setMinimumHeight(grid->verticalHeader()->defaultSectionSize() * 5);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LabelFor(label, grid);
  column->addWidget(grid);
  columns->addLayout(column);
  return grid;
}

// Under the breakdown tables: the deepest drawdown episodes, named by its caption.
void TChildForm::BuildDrawdownTable(QSplitter* split) {
  auto* panel = new QWidget(split);
  panel->setObjectName("DrawdownPanel");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(4, 4, 4, 4);
  auto* label = new QLabel("Drawdowns", panel);
  label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  column->addWidget(label);
  DrawdownsModel = new DrawdownModel(this);
  DrawdownGrid = new QTableView(panel);
  DrawdownGrid->setObjectName("DrawdownGrid");
  auto* sorted = new QSortFilterProxyModel(DrawdownGrid);
  sorted->setSourceModel(DrawdownsModel);
  sorted->setSortRole(DrawdownModel::kSortRole);
  DrawdownGrid->setModel(sorted);
  DrawdownGrid->setSortingEnabled(true);
  DrawdownGrid->sortByColumn(-1, Qt::AscendingOrder);  // deepest first until a header is clicked
  DrawdownGrid->verticalHeader()->hide();
  DrawdownGrid->verticalHeader()->setDefaultSectionSize(DrawdownGrid->fontMetrics().height() + 4);
  DrawdownGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  DrawdownGrid->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
  DrawdownGrid->setMinimumHeight(DrawdownGrid->verticalHeader()->defaultSectionSize() * 4);
  DrawdownGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  DrawdownGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  DrawdownGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LabelFor(label, DrawdownGrid);
  column->addWidget(DrawdownGrid);
  split->addWidget(panel);
}

QFrame* TChildForm::NewSortPanel(QWidget* tab, QProgressBar** bar, const char* name,
                                 const char* barName) {
  auto* panel = new QFrame(tab);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setAutoFillBackground(true);
  panel->setGeometry(298, 120, 257, 49);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(8, 4, 8, 4);
  auto* label = new QLabel("Sorting...", panel);
  label->setAlignment(Qt::AlignCenter);
  layout->addWidget(label);
  *bar = new QProgressBar(panel);
  (*bar)->setObjectName(barName);
  (*bar)->setRange(0, 100);
  (*bar)->setFixedWidth(241);
  (*bar)->setTextVisible(false);
  LabelFor(label, *bar);
  layout->addWidget(*bar);
  panel->hide();
  return panel;
}

void TChildForm::BuildTradesTabs(const ProgramState& state) {
  Trades1TabSheet = NewTab("Trades1TabSheet", "Trades");
  Grid1 = new TradeGridView(TradeGrid::grid1, kGrid1Widths, "Courier New", state, Trades1TabSheet);
  Grid1->setObjectName("Grid1");
  NameAfterTab(Grid1, PageControl2, Trades1TabSheet);
  FillingLayout(Trades1TabSheet)->addWidget(Grid1);
  SortPanel1 = NewSortPanel(Trades1TabSheet, &SortBar1, "SortPanel1", "SortBar1");

  Trades2TabSheet = NewTab("Trades2TabSheet", "Trades");
  Grid2 = new TradeGridView(TradeGrid::grid2, kGrid2Widths, "Terminal", state, Trades2TabSheet);
  Grid2->setObjectName("Grid2");
  NameAfterTab(Grid2, PageControl2, Trades2TabSheet);
  FillingLayout(Trades2TabSheet)->addWidget(Grid2);
  SortPanel2 = NewSortPanel(Trades2TabSheet, &SortBar2, "SortPanel2", "SortBar2");
}

void TChildForm::BuildTimesTab() {
  TimesTabSheet = NewTab("TimesTabSheet", "Times");
  TimesPaintBox = new PaintBox(TimesTabSheet);
  TimesPaintBox->setObjectName("TimesPaintBox");
  NameAfterTab(TimesPaintBox, PageControl2, TimesTabSheet);
  FillingLayout(TimesTabSheet)->addWidget(TimesPaintBox);
  // These sit on the chart at its bottom left, on its background.
  TimesText = new QLabel("Average pip results based on", TimesPaintBox);
  TimesText->setObjectName("TimesText");
  auto* group = new QButtonGroup(this);
  OpenTimesRadioButton = NewRadio("OpenTimesRadioButton", "Open times", TimesPaintBox, group);
  CloseTimesRadioButton = NewRadio("CloseTimesRadioButton", "Close times", TimesPaintBox, group);
  CloseTimesRadioButton->setChecked(true);
  for (QWidget* w : {static_cast<QWidget*>(TimesText), static_cast<QWidget*>(OpenTimesRadioButton),
                     static_cast<QWidget*>(CloseTimesRadioButton)}) {
    SetBackground(w, kPaleYellow);
    w->adjustSize();
  }
  TimesPaintBox->installEventFilter(this);
}

// Years down, months across, each cell its return; the legend under it.
void TChildForm::BuildMonthsTab() {
  MonthsTabSheet = NewTab("MonthsTabSheet", "Months");
  QVBoxLayout* layout = FillingLayout(MonthsTabSheet);
  MonthsGridModel = new MonthsModel(this);
  MonthsGrid = new QTableView(MonthsTabSheet);
  MonthsGrid->setObjectName("MonthsGrid");
  NameAfterTab(MonthsGrid, PageControl2, MonthsTabSheet);
  MonthsGrid->setModel(MonthsGridModel);
  MonthsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MonthsGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  // Every return reads whole; a narrow window scrolls rather than cut them.
  MonthsGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  MonthsGrid->horizontalHeader()->setMinimumSectionSize(
      MonthsGrid->fontMetrics().horizontalAdvance("-100.0%") + 12);
  MonthsGrid->verticalHeader()->setDefaultSectionSize(MonthsGrid->fontMetrics().height() + 8);
  layout->addWidget(MonthsGrid, 1);
  auto* legend = new QWidget(MonthsTabSheet);
  legend->setObjectName("MonthsLegend");
  auto* row = new QHBoxLayout(legend);
  row->setContentsMargins(6, 4, 6, 4);
  row->addWidget(new QLabel("Monthly return:", legend));
  for (double percent : kShadeLegend) {
    const QString text = (percent > 0 ? "+" : "") +
                         QString::fromStdString(FormatFixed(percent, 0, 0)) + '%' +
                         (percent == kShadeLegend.front()  ? " or less"
                          : percent == kShadeLegend.back() ? " or more"
                                                           : "");
    auto* swatch = new QLabel(text, legend);
    swatch->setAlignment(Qt::AlignCenter);
    swatch->setMinimumWidth(swatch->fontMetrics().horizontalAdvance(text) + 12);
    const Rgb shade = ReturnShade(percent);
    SetBackground(swatch, QColor(shade.r, shade.g, shade.b));
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::WindowText, LightTextOn(percent) ? Qt::white : Qt::black);
    swatch->setPalette(palette);
    row->addWidget(swatch);
  }
  row->addStretch(1);
  layout->addWidget(legend);
}

bool TChildForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TimesPaintBox && event->type() == QEvent::Resize) PlaceTimesControls();
  return QWidget::eventFilter(watched, event);
}

// Along the chart's bottom edge at their left positions, moved right only where
// the installed font makes the text before them wider.
void TChildForm::PlaceTimesControls() {
  const int top = TimesPaintBox->height() - 22;
  TimesText->move(16, top + 1);
  OpenTimesRadioButton->move(std::max(160, TimesText->geometry().right() + 6), top);
  CloseTimesRadioButton->move(std::max(240, OpenTimesRadioButton->geometry().right() + 6), top);
}

void TChildForm::BuildOptionsTab() {
  OptionsTabSheet = NewTab("OptionsTabSheet", "Options");
  auto* panel = new QWidget(OptionsTabSheet);
  SetBackground(panel, kMoneyGreen);
  FillingLayout(OptionsTabSheet)->addWidget(panel);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(12, 8, 12, 8);
  grid->setHorizontalSpacing(16);
  grid->setVerticalSpacing(8);
  QWidget* group;

  QVBoxLayout* rows = NewOptionGroup("Trade settings", "TradeGroup", panel, &group);
  tradeSettings = BuildTradeSettings(rows, group, "");
  grid->addWidget(group, 0, 0, Qt::AlignTop);
  rows = NewOptionGroup("Position sizing", "PositionGroup", panel, &group);
  positionSizing = BuildPositionSizing(rows, group, "");
  grid->addWidget(group, 1, 0, Qt::AlignTop);

  auto* settings = new QGridLayout;
  NewOptionGroup("Settings", "SettingsGroup", panel, &group)->addLayout(settings);
  MinMiniLotsEdit =
      AddLabelledEdit(settings, 0, "Min # of mini lots", "MinMiniLotsEdit", "0.01", group);
  MaxMiniLotsEdit =
      AddLabelledEdit(settings, 1, "Max # of mini lots", "MaxMiniLotsEdit", "50", group);
  MinStandardLotsEdit =
      AddLabelledEdit(settings, 2, "Min # of standard lots", "MinStandardLotsEdit", "0.01", group);
  MaxStandardLotsEdit =
      AddLabelledEdit(settings, 3, "Max # of standard lots", "MaxStandardLotsEdit", "100", group);
  TimeShiftEdit = AddLabelledEdit(settings, 4, "Time shift (hours)", "TimeShiftEdit", "0", group);
  TimeShiftEdit->setToolTip(
      "Moves the statement's times to your clock for the Times chart, "
      "the months and the drawdowns");
  grid->addWidget(group, 0, 1, Qt::AlignTop);

  auto* history = new QWidget(panel);
  auto* historyRow = new QHBoxLayout(history);
  HistoryLabel = new QLabel("MT4 history directory", history);
  HistoryEdit = new QLineEdit("/opt/metatrader4/history/", history);
  HistoryEdit->setObjectName("HistoryEdit");
  LabelFor(HistoryLabel, HistoryEdit);
  Button1 = new QPushButton("...", history);
  Button1->setObjectName("Button1");
  historyRow->addWidget(HistoryLabel);
  historyRow->addWidget(HistoryEdit);
  historyRow->addWidget(Button1);
  history->hide();
  grid->addWidget(history, 1, 1, Qt::AlignTop);

  auto* display = new QButtonGroup(panel);
  rows = NewOptionGroup("Display", "DisplayGroup", panel, &group);
  AllTradesRadioButton = NewRadio("AllTradesRadioButton", "Display all trades", group, display);
  ClosedTradesRadioButton =
      NewRadio("ClosedTradesRadioButton", "Display closed trades only", group, display);
  OpenTradesRadioButton =
      NewRadio("OpenTradesRadioButton", "Display open trades only", group, display);
  AllTradesRadioButton->setChecked(true);
  for (QRadioButton* r : {AllTradesRadioButton, ClosedTradesRadioButton, OpenTradesRadioButton}) {
    rows->addWidget(r);
  }
  grid->addWidget(group, 0, 2, Qt::AlignTop);

  auto* decimal = new QButtonGroup(panel);
  auto* field = new QButtonGroup(panel);
  rows = NewOptionGroup("CSV Export settings", "CsvGroup", panel, &group);
  DecimalCommaRadioButton =
      NewRadio("DecimalCommaRadioButton", "Decimal separator is comma", group, decimal);
  DecimalPeriodRadioButton =
      NewRadio("DecimalPeriodRadioButton", "Decimal separator is period", group, decimal);
  FieldSemicolonRadioButton =
      NewRadio("FieldSemicolonRadioButton", "Field separator is semicolon", group, field);
  FieldTabRadioButton = NewRadio("FieldTabRadioButton", "Field separator is tab", group, field);
  DecimalCommaRadioButton->setChecked(true);
  FieldSemicolonRadioButton->setChecked(true);
  for (QRadioButton* r : {DecimalCommaRadioButton, DecimalPeriodRadioButton,
                          FieldSemicolonRadioButton, FieldTabRadioButton}) {
    rows->addWidget(r);
  }
  grid->addWidget(group, 1, 2, Qt::AlignTop);

  grid->setColumnStretch(3, 1);
  grid->setRowStretch(2, 1);
}

void TChildForm::BuildDorvaneTab() {
  DorvaneTabSheet = NewTab("DorvaneTabSheet", "Dorvane");
  auto* grid = new QGridLayout(DorvaneTabSheet);
  grid->setContentsMargins(12, 8, 12, 8);
  QWidget* group;
  QVBoxLayout* rows = NewOptionGroup("Trade settings", "TradeGroup1", DorvaneTabSheet, &group);
  tradeSettings1 = BuildTradeSettings(rows, group, "1");
  grid->addWidget(group, 0, 0, Qt::AlignTop);
  rows = NewOptionGroup("Position sizing", "PositionGroup1", DorvaneTabSheet, &group);
  positionSizing1 = BuildPositionSizing(rows, group, "1");
  grid->addWidget(group, 1, 0, Qt::AlignTop);
  simulation = new SimulationPanel(grid, DorvaneTabSheet, group);
}

}  // namespace quillfen
