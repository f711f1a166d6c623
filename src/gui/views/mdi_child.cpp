#include "gui/views/mdi_child.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "actions/report_guard.h"
#include "actions/simulation_actions.h"
#include "analysis/time_shift.h"
#include "display_list_painter.h"
#include "gui/app/associations.h"
#include "gui/app/gui_progress.h"
#include "gui/app/report_page.h"
#include "gui/views/breakdown_model.h"
#include "gui/views/drawdown_model.h"
#include "gui/views/months_model.h"
#include "gui/views/page_notice.h"
#include "gui/views/paint_box.h"
#include "gui/views/simulation_panel.h"
#include "gui/views/trade_grid_model.h"
#include "gui/views/trade_grid_view.h"
#include "import/page_cost.h"
#include "messages.h"
#include "program_state.h"
#include "settings/history_folder.h"
#include "settings/settings_file.h"
#include "text/charset.h"
#include "views/balance_chart.h"
#include "views/times_chart.h"

namespace quillfen {

namespace {

std::string Text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

SizingChoice Sizing(const PositionSizingControls& c) {
  if (c.fixedMiniLotsRadioButton->isChecked()) return SizingChoice::miniLots;
  if (c.fixedStandardLotsRadioButton->isChecked()) return SizingChoice::standardLots;
  if (c.fixedMiniAmountRadioButton->isChecked()) return SizingChoice::miniAmount;
  if (c.fixedStandardAmountRadioButton->isChecked()) return SizingChoice::standardAmount;
  return SizingChoice::original;
}

// Sets a pair of radio buttons as read, where both may end unchecked.
void SetPair(QRadioButton* first, bool firstChecked, QRadioButton* second, bool secondChecked) {
  QButtonGroup* group = first->group();
  group->setExclusive(false);
  first->setChecked(firstChecked);
  second->setChecked(secondChecked);
  group->setExclusive(true);
}

void ShowSelectionList(const SelectionList& list, QListWidget* box) {
  QSignalBlocker quiet(box);
  box->clear();
  for (int i = 0; i < list.Size(); ++i) {
    auto* item = new QListWidgetItem(CellText(list.Item(i)), box);
    item->setSizeHint(QSize(0, 14));
    item->setSelected(list.IsSelected(i));
  }
}

std::vector<bool> ShownSelection(const QListWidget* box) {
  std::vector<bool> selected(static_cast<std::size_t>(box->count()));
  for (int i = 0; i < box->count(); ++i)
    selected[static_cast<std::size_t>(i)] = box->item(i)->isSelected();
  return selected;
}

}  // namespace

TMDIChild::TMDIChild(ProgramState& state, const ProgramFolders& folders,
                     std::function<void(const QString&)> showMessage)
    : TChildForm(state, nullptr),
      state_(state),
      folders_(folders),
      showMessage_(std::move(showMessage)) {
  setObjectName("MDIChild");
  setAttribute(Qt::WA_DeleteOnClose);
  Grid1Model = new TradeGridModel(report.grid1, 15, this);
  Grid2Model = new TradeGridModel(report.grid2, kGrid2Columns, this);
  Grid1->setModel(Grid1Model);
  Grid2->setModel(Grid2Model);
  Grid1->ShowSortedOrder(&report.sortedBy);
  Grid2->ShowSortedOrder(&report.sortedBy);
  BalancePaintBox->SetPainter([this](QPainter& painter, QSize size) {
    PaintDisplayList(painter, PaintBalanceChart(report, report.stats.initialDeposit, size.width(),
                                                size.height(), ChartSurface::balanceTab));
    // The episode chosen in the Drawdowns table, over the chart's own marking.
    if (!markedDrawdown_) return;
    const ChartSpan span = BalanceChartSpan(size.width(), markedDrawdown_->first,
                                            markedDrawdown_->second, report.grid1.RowCount() - 1);
    painter.fillRect(QRect(QPoint(span.left, 5), QPoint(span.right, size.height() - 6)),
                     QColor(0, 90, 255, 48));
  });
  TimesPaintBox->SetPainter([this](QPainter& painter, QSize size) {
    const TimesBasis basis =
        CloseTimesRadioButton->isChecked() ? TimesBasis::closeTimes : TimesBasis::openTimes;
    PaintDisplayList(painter, PaintTimesChart(report.grid1, size.width(), size.height(), basis,
                                              report.options.timeShiftMinutes));
  });
  currentPage_ = PageControl2->currentWidget();
  ConnectHandlers();
}

TMDIChild::~TMDIChild() = default;

void TMDIChild::ConnectHandlers() {
  connect(PageControl2, &QTabWidget::currentChanged, this, &TMDIChild::PageControl2Change);
  connect(StatementComboBox, &QComboBox::activated, this, &TMDIChild::StatementComboBoxChange);
  connect(PairsListBox, &QListWidget::itemSelectionChanged, this, &TMDIChild::ListBoxClick);
  connect(MagicListBox, &QListWidget::itemSelectionChanged, this, &TMDIChild::ListBoxClick);
  for (QRadioButton* radio :
       {AllTradesRadioButton, ClosedTradesRadioButton, OpenTradesRadioButton}) {
    connect(radio, &QRadioButton::clicked, this, &TMDIChild::DisplayRadioClick);
  }
  for (QRadioButton* radio : {DecimalCommaRadioButton, DecimalPeriodRadioButton,
                              FieldSemicolonRadioButton, FieldTabRadioButton}) {
    connect(radio, &QRadioButton::clicked, this,
            [this] { SaveSettings(tradeSettings.depositEdit->text()); });
  }
  for (QRadioButton* radio : {OpenTimesRadioButton, CloseTimesRadioButton}) {
    connect(radio, &QRadioButton::clicked, TimesPaintBox, qOverload<>(&QWidget::update));
  }
  connect(HistoryEdit, &QLineEdit::textChanged, this, &TMDIChild::HistoryEditChange);
  connect(TimeShiftEdit, &QLineEdit::editingFinished, this, &TMDIChild::TakeTimeShift);
  connect(DrawdownGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TMDIChild::MarkChosenDrawdown);
  // Other episodes leave no row chosen.
  connect(DrawdownsModel, &QAbstractItemModel::modelReset, this, &TMDIChild::MarkChosenDrawdown);
  for (TradeGridView* grid : {Grid1, Grid2}) {
    const TradeGrid kind = grid == Grid1 ? TradeGrid::grid1 : TradeGrid::grid2;
    connect(grid, &TradeGridView::Pressed, this, [this, kind](int column) {
      ArmHeader(state_, kind == TradeGrid::grid1 ? 1 : 2, column);
      ShowGrids();
    });
    connect(grid, &TradeGridView::DoubleClicked, this, [this] {
      if (state_.armedSortColumn != -1) SortOnColumn(state_.armedSortColumn);
    });
    connect(grid, &TradeGridView::DeletePressed, this,
            [this, grid] { DeleteSelectedTrades(grid); });
    connect(grid, &TradeGridView::UndoPressed, this, &TMDIChild::UndoDeletion);
    connect(grid, &TradeGridView::Clicked, this, [this, grid] { KeepGridsTogether(grid); });
  }
  for (QWidget* edit : {tradeSettings.depositEdit, tradeSettings1.depositEdit, HistoryEdit}) {
    edit->installEventFilter(this);
  }
  ConnectSimulationHandlers();
  ConnectChartHovers();
  ConnectPageNotice();
}

bool TMDIChild::eventFilter(QObject* watched, QEvent* event) {
  SimulationKeyEvent(watched, event);
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == tradeSettings.depositEdit || watched == tradeSettings1.depositEdit) {
      SaveSettings(static_cast<QLineEdit*>(watched)->text());
    } else if (watched == HistoryEdit) {
      HistoryEditDblClick();
    }
  }
  return TChildForm::eventFilter(watched, event);
}

void TMDIChild::showEvent(QShowEvent* event) {
  TChildForm::showEvent(event);
  if (!formShown_) FormShow();
}

void TMDIChild::FormShow() {
  formShown_ = true;
  PrepareReport(report);
  Grid1Model->Reset();
  Grid2Model->Reset();
  LoadSettings();
}

void TMDIChild::LoadSettings() {
  std::optional<StoredSettings> stored = ReadSettingsFile(folders_.files);
  if (!stored) return;
  if (stored->depositText) {
    const QString deposit = QString::fromStdString(*stored->depositText);
    tradeSettings.depositEdit->setText(deposit);
    tradeSettings1.depositEdit->setText(deposit);
  }
  CsvButtons csv{DecimalCommaRadioButton->isChecked(), DecimalPeriodRadioButton->isChecked(),
                 FieldSemicolonRadioButton->isChecked(), FieldTabRadioButton->isChecked()};
  ApplyStoredChecks(*stored, csv);
  SetPair(DecimalCommaRadioButton, csv.decimalComma, DecimalPeriodRadioButton, csv.decimalPeriod);
  SetPair(FieldSemicolonRadioButton, csv.fieldSemicolon, FieldTabRadioButton, csv.fieldTab);
}

void TMDIChild::SaveSettings(const QString& depositText) {
  CsvButtons csv{DecimalCommaRadioButton->isChecked(), DecimalPeriodRadioButton->isChecked(),
                 FieldSemicolonRadioButton->isChecked(), FieldTabRadioButton->isChecked()};
  WriteSettingsFile(folders_.files, depositText.toStdString(), csv);
}

void TMDIChild::closeEvent(QCloseEvent* event) {
  if (ReportIsBusy(report)) {
    event->ignore();
    return;
  }
  // The pass reads this window's report until it returns: stop it, close after.
  if (simulation->Running()) {
    StopSimulation(state_);
    closeAfterPass_ = true;
    event->ignore();
    return;
  }
  emit Closed(this);
  event->accept();
}

bool TMDIChild::IsStatementWindow() const {
  return PageControl2->isTabVisible(PageControl2->indexOf(ReportTabSheet));
}

bool TMDIChild::SortInProgress() const {
  return report.busy == BusyWith::sorting;
}

void TMDIChild::NavigateReportPage(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  pageLocation_ = QUrl::fromLocalFile(absolute);
  pageCharset_ = QString::fromStdString(DetectFileCharset(absolute.toStdString()));
  QWebEngineSettings* settings = WebBrowser->page()->settings();
  if (browserEncoding_.isEmpty()) browserEncoding_ = settings->defaultTextEncoding();
  settings->setDefaultTextEncoding(pageCharset_.isEmpty() ? browserEncoding_ : pageCharset_);
  // Judged by what the renderer will spend on the page's rows and cells, not by its bytes.
  const std::optional<PageShape> shape = ReadPageShape(absolute.toStdString());
  if (!shape || ShowsPageByItself(*shape)) return LoadReportPage();
  // An earlier page of a combined report is let go; a view never loaded starts no renderer.
  if (!WebBrowser->url().isEmpty()) WebBrowser->setUrl(QUrl("about:blank"));
  WebBrowser->hide();
  ReportPageNotice->ShowCostlyPage(*shape);
}

void TMDIChild::LoadReportPage() {
  ReportPageNotice->hide();
  WebBrowser->show();
  WebBrowser->load(pageLocation_);
}

void TMDIChild::OpenPageInBrowser() {
  if (!OpenWithAssociatedProgram(".htm", pageLocation_.toLocalFile()))
    ReportPageNotice->ShowNoBrowser();
}

// A renderer that ends leaves a line and a way to reload, not a grey page.
void TMDIChild::ConnectPageNotice() {
  connect(ReportPageNotice->ShowAnywayButton, &QPushButton::clicked, this,
          &TMDIChild::LoadReportPage);
  connect(ReportPageNotice->ReloadButton, &QPushButton::clicked, this, &TMDIChild::LoadReportPage);
  connect(ReportPageNotice->OpenInBrowserButton, &QPushButton::clicked, this,
          &TMDIChild::OpenPageInBrowser);
  connect(WebBrowser->page(), &QWebEnginePage::renderProcessTerminated, this,
          [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            if (status == QWebEnginePage::NormalTerminationStatus) return;
            WebBrowser->hide();
            ReportPageNotice->ShowStoppedRenderer(
                status == QWebEnginePage::KilledTerminationStatus ? "it was killed"
                : status == QWebEnginePage::CrashedTerminationStatus
                    ? "it crashed, perhaps out of memory"
                    : "it ended abnormally");
          });
}

QUrl TMDIChild::ReportPageLocation() const {
  return pageLocation_;
}

void TMDIChild::AddStatementEntry(const QString& name, bool select) {
  StatementComboBox->addItem(name);
  if (select) StatementComboBox->setCurrentIndex(StatementComboBox->count() - 1);
  if (PageControl2->currentWidget() == ReportTabSheet && StatementComboBox->count() > 1) {
    StatementComboBox->show();
    StatementComboBox->raise();
  }
}

void TMDIChild::StatementComboBoxChange(int index) {
  const std::optional<std::string> entry = SwitchStatement(report, index);
  if (!entry) return;
  const QString name = QString::fromStdString(*entry);
  NavigateReportPage(name == kDownloadedPageName
                         ? DownloadedPagePath(QString::fromStdString(folders_.temporary))
                         : name);
}

void TMDIChild::ShowReadReport() {
  AddStatementEntry(QString::fromStdString(report.statements.back()), false);
  ShowViews();
}

OpenResult TMDIChild::AddStatement(const QString& name, const QString& workingFile,
                                   Progress& progress, Messages& messages) {
  const OpenResult result =
      quillfen::AddStatement(report, name.toStdString(), workingFile.toStdString(), state_,
                             progress, messages, ChartRepaint());
  if (result.outcome == OpenOutcome::opened) {
    NavigateReportPage(name);
    AddStatementEntry(name, true);
    ShowViews();
  }
  return result;
}

void TMDIChild::ShowListBoxes() {
  ShowSelectionList(report.pairsListBox, PairsListBox);
  ShowSelectionList(report.magicListBox, MagicListBox);
}

ListSelections TMDIChild::ShownSelections() const {
  return {ShownSelection(PairsListBox), ShownSelection(MagicListBox)};
}

ReportOptions TMDIChild::OptionsFromControls() const {
  return OptionsFrom(tradeSettings, positionSizing);
}

ReportOptions TMDIChild::SimulationTabOptions() const {
  return OptionsFrom(tradeSettings1, positionSizing1);
}

ReportOptions TMDIChild::OptionsFrom(const TradeSettingsControls& trade,
                                     const PositionSizingControls& sizing) const {
  ReportOptions o = report.options;
  o.deposit =
      trade.depositRadioButton->isChecked() ? DepositChoice::custom : DepositChoice::statement;
  o.depositText = Text(trade.depositEdit);
  o.sizing = Sizing(sizing);
  o.miniContractsText = Text(sizing.miniContractsEdit);
  o.standardContractsText = Text(sizing.standardContractsEdit);
  o.miniAmountText = Text(sizing.miniAmountEdit);
  o.standardAmountText = Text(sizing.standardAmountEdit);
  o.minMiniLotsText = Text(MinMiniLotsEdit);
  o.maxMiniLotsText = Text(MaxMiniLotsEdit);
  o.minStandardLotsText = Text(MinStandardLotsEdit);
  o.maxStandardLotsText = Text(MaxStandardLotsEdit);
  o.display = ClosedTradesRadioButton->isChecked() ? DisplayFilter::closed
              : OpenTradesRadioButton->isChecked() ? DisplayFilter::open
                                                   : DisplayFilter::all;
  o.timeShiftMinutes = timeShiftMinutes_;
  o.csvDecimalComma = DecimalCommaRadioButton->isChecked();
  o.csvFieldSemicolon = FieldSemicolonRadioButton->isChecked();
  o.simulation = simulation->Options(o.simulation);
  return o;
}

ChartPainter TMDIChild::ChartRepaint() {
  return [this](Report&) { RepaintCharts(); };
}

void TMDIChild::RepaintCharts() {
  for (PaintBox* chart : {BalancePaintBox, TimesPaintBox}) {
    chart->ClearHover();
    chart->update();
  }
}

void TMDIChild::RecomputeAndSummarise() {
  ApplyOptions(report, OptionsFromControls());
  ShowGrids();
  ShowSummary();
}

// Brings the lists, grids and memo in line with what the core left in the report.
void TMDIChild::ShowViews() {
  ShowListBoxes();
  ShowGrids();
  ShowSummary();
}

void TMDIChild::ShowGrids() {
  Grid1Model->Refresh();
  Grid2Model->Refresh();
  Grid1->FitColumns(Grid1Model->LongestTexts());
  Grid2->FitColumns(Grid2Model->LongestTexts());
  Grid1->horizontalHeader()->viewport()->update();
  Grid2->horizontalHeader()->viewport()->update();
}

void TMDIChild::ShowSummary() {
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(report.summaryMemo.size()));
  for (const std::string& line : report.summaryMemo) lines << QString::fromStdString(line);
  for (const std::string& line : report.terminalMemo) lines << QString::fromStdString(line);
  for (const std::string& line : report.printedMemo) lines << QString::fromStdString(line);
  const QString text = lines.join('\n');
  if (SummaryMemo->toPlainText() != text) SummaryMemo->setPlainText(text);
  SymbolBreakdownModel->Show(report.breakdown.symbols);
  MagicBreakdownModel->Show(report.breakdown.magics);
  MonthsGridModel->Show(report.timeFigures.returns);
  DrawdownsModel->Show(report.timeFigures.drawdowns);
  const std::string leftOut = UnreadableClosesMessage(report.timeFigures);
  if (leftOut != shownLeftOut_) {
    shownLeftOut_ = leftOut;
    if (!leftOut.empty()) showMessage_(QString::fromStdString(leftOut));
  }
  // The summary's figures are the ones offered to the simulation tab.
  simulation->ShowImported(report.options.simulation);
}

bool TMDIChild::SortOnColumn(int column) {
  // The sort panel is for a sort that runs; the action refuses the others.
  if (ReportIsBusy(report)) return false;
  GuiProgress progress(PageControl2->currentWidget() == Trades2TabSheet ? SortBar2 : SortBar1);
  SortPanel1->setVisible(PageControl2->currentWidget() == Trades1TabSheet);
  SortPanel2->setVisible(PageControl2->currentWidget() == Trades2TabSheet);
  const bool sorted =
      SortColumn(report, state_, OptionsFromControls(), column, progress, ChartRepaint());
  SortPanel1->hide();
  SortPanel2->hide();
  ShowViews();
  return sorted;
}

void TMDIChild::ListBoxClick() {
  SelectTrades(report, OptionsFromControls(), ShownSelections(), ChartRepaint());
  ShowViews();
}

void TMDIChild::DeleteSelectedTrades(const TradeGridView* grid) {
  std::vector<int> gridRows = grid->SelectedRows();
  if (gridRows.empty()) return;
  for (int& row : gridRows) ++row;
  if (DeleteGridRows(report, OptionsFromControls(), gridRows, ChartRepaint()) >= 0) ShowViews();
}

void TMDIChild::UndoDeletion() {
  if (UndoGridDeletion(report, OptionsFromControls(), ChartRepaint()) > 0) ShowViews();
}

// The other grid shows the same rows from the same top row, with the same trades selected.
void TMDIChild::KeepGridsTogether(const TradeGridView* clicked) {
  ProcessPendingMessages();
  TradeGridView* other = clicked == Grid1 ? Grid2 : Grid1;
  const std::vector<int> rows = clicked->SelectedRows();
  if (rows.empty()) return;
  other->ScrollToTopRow(clicked->TopRow());
  other->SelectRows(rows.front(), static_cast<int>(rows.size()));
}

void TMDIChild::DisplayRadioClick() {
  FilterDisplay(report, OptionsFromControls());
  ShowListBoxes();
  ShowGrids();
}

void TMDIChild::StepTab(int step) {
  const int count = PageControl2->count();
  for (int k = 1; k < count; ++k) {
    const int index = ((PageControl2->currentIndex() + k * step) % count + count) % count;
    if (PageControl2->isTabVisible(index)) {
      PageControl2->setCurrentIndex(index);
      return;
    }
  }
}

void TMDIChild::PageControl2Change(int index) {
  LeaveTab(currentPage_);
  currentPage_ = PageControl2->widget(index);
  StatementComboBox->setVisible(currentPage_ == ReportTabSheet && StatementComboBox->count() > 1);
  if (StatementComboBox->isVisible()) StatementComboBox->raise();
  SortPanel1->setVisible(currentPage_ == Trades1TabSheet && SortInProgress());
  SortPanel2->setVisible(currentPage_ == Trades2TabSheet && SortInProgress());
  RecomputeAndSummarise();
}

void TMDIChild::LeaveTab(QWidget* page) {
  if (page == Trades1TabSheet) {
    Grid2->ScrollToTopRow(Grid1->TopRow());
  } else if (page == Trades2TabSheet) {
    Grid1->ScrollToTopRow(Grid2->TopRow());
  } else if (page == OptionsTabSheet) {
    TakeTimeShift();
    CopyTradeSettings(tradeSettings, tradeSettings1);
    CopyPositionSizing(positionSizing, positionSizing1);
  } else if (page == DorvaneTabSheet) {
    CopySimulationTabToOptions();
  }
}

void TMDIChild::SetTimeShift(int minutes) {
  timeShiftMinutes_ = minutes;
  TimeShiftEdit->setText(QString::fromStdString(TimeShiftText(minutes)));
}

// A text that is no shift turns back to the last one, with the reason.
void TMDIChild::TakeTimeShift() {
  const std::optional<int> minutes = TimeShiftMinutes(Text(TimeShiftEdit));
  if (!minutes) {
    TimeShiftEdit->setText(QString::fromStdString(TimeShiftText(timeShiftMinutes_)));
    showMessage_(kTimeShiftMessage);
    return;
  }
  if (*minutes == timeShiftMinutes_) return;
  timeShiftMinutes_ = *minutes;
  emit TimeShiftChanged(*minutes);
}

// The episode of the chosen row is marked on the Balance chart; none without a choice.
void TMDIChild::MarkChosenDrawdown() {
  markedDrawdown_.reset();
  const QModelIndexList rows = DrawdownGrid->selectionModel()->selectedRows();
  if (!rows.isEmpty()) {
    const auto* sorted = static_cast<const QSortFilterProxyModel*>(DrawdownGrid->model());
    const DrawdownEpisode& episode = DrawdownsModel->Episode(sorted->mapToSource(rows[0]).row());
    markedDrawdown_ = std::pair{episode.firstGridRow, episode.lastGridRow};
  }
  BalancePaintBox->update();
}

void TMDIChild::HistoryEditChange() {
  QPalette palette = HistoryEdit->palette();
  const bool found = HistoryFolderHasFiles(HistoryEdit->text().toStdString());
  palette.setColor(QPalette::Text, found ? Qt::black : Qt::red);
  HistoryEdit->setPalette(palette);
}

void TMDIChild::HistoryEditDblClick() {
  const QString file = QFileDialog::getOpenFileName(
      this, "Select any file from MT4's history director...", HistoryEdit->text());
  if (file.isEmpty()) return;
  HistoryEdit->setText(QFileInfo(file).absolutePath() + QDir::separator());
}

void TMDIChild::SetUpSimulationOnly() {
  for (QWidget* tab : {ReportTabSheet, SummaryTabSheet, BalanceTabSheet, Trades1TabSheet,
                       Trades2TabSheet, TimesTabSheet, MonthsTabSheet, OptionsTabSheet}) {
    PageControl2->setTabVisible(PageControl2->indexOf(tab), false);
  }
  PageControl2->setCurrentWidget(DorvaneTabSheet);
  ListboxPanel->hide();
  Splitter3->hide();
  tradeSettings1.orgDepositRadioButton->setEnabled(false);
  tradeSettings1.depositRadioButton->setChecked(true);
  positionSizing1.originalPositionRadioButton->setEnabled(false);
  positionSizing1.fixedMiniLotsRadioButton->setChecked(true);
  simulation->DisableStatementChoices();
}

}  // namespace quillfen
