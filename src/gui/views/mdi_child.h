#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "actions/opening_actions.h"
#include "actions/view_actions.h"
#include "gui/views/child_form.h"
#include "report.h"
#include "settings/program_folders.h"

namespace quillfen {

class Messages;
class Progress;
class TradeGridModel;
class TradeGridView;
struct ProgramState;

// One report window: owns its Report. Each handler copies the controls into
// the options, calls one action of the core, and shows what it left.
class TMDIChild : public TChildForm {
  Q_OBJECT
 public:
  TMDIChild(ProgramState& state, const ProgramFolders& folders,
            std::function<void(const QString&)> showMessage);
  ~TMDIChild() override;

  Report report;

  bool IsStatementWindow() const;
  bool SortInProgress() const;
  // Asked to close while its pass ran: it closes once the pass has stopped.
  bool ClosesAfterPass() const { return closeAfterPass_; }
  // Shows the page in the Report tab, in the code page the reader finds in it
  // (the terminal declares none); a page above the size limit is not loaded,
  // the tab says so instead.
  void NavigateReportPage(const QString& path);
  QUrl ReportPageLocation() const;
  // The code page the shown page is read in; empty for the browser's default.
  QString ReportPageCharset() const { return pageCharset_; }
  // After the first statement was read: its list entry and the views.
  void ShowReadReport();
  // Add report into this window.
  OpenResult AddStatement(const QString& name, const QString& workingFile, Progress& progress,
                          Messages& messages);
  // A double click on an armed header; false when refused.
  bool SortOnColumn(int column);
  void SetUpSimulationOnly();
  // The report's options with the option controls' values.
  ReportOptions OptionsFromControls() const;
  // The same with the simulation tab's own deposit and sizing choices.
  ReportOptions SimulationTabOptions() const;
  // Brings the lists, grids and memo in line with what the core left in the report.
  void ShowViews();
  void RepaintCharts();
  // The time shift the window starts with, as remembered.
  void SetTimeShift(int minutes);
  // Ctrl+Tab and its kin: the next visible tab (step 1) or the previous one (-1), round the end.
  void StepTab(int step);

  TradeGridModel* Grid1Model;
  TradeGridModel* Grid2Model;

 signals:
  void Closed(TMDIChild* window);
  // The user set another time shift, to be remembered.
  void TimeShiftChanged(int minutes);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void LoadSettings();
  void SaveSettings(const QString& depositText);
  void ConnectHandlers();
  void ConnectChartHovers();
  void ConnectPageNotice();
  void LoadReportPage();
  void OpenPageInBrowser();
  void PageControl2Change(int index);
  void LeaveTab(QWidget* page);
  void StatementComboBoxChange(int index);
  void ListBoxClick();
  void DeleteSelectedTrades(const TradeGridView* grid);
  void UndoDeletion();
  void KeepGridsTogether(const TradeGridView* clicked);
  void DisplayRadioClick();
  void HistoryEditChange();
  void HistoryEditDblClick();
  void AddStatementEntry(const QString& name, bool select);
  void ShowListBoxes();
  ListSelections ShownSelections() const;
  // The charts' part of a core refresh.
  ChartPainter ChartRepaint();
  void RecomputeAndSummarise();
  void ShowGrids();
  void ShowSummary();
  ReportOptions OptionsFrom(const TradeSettingsControls& trade,
                            const PositionSizingControls& sizing) const;
  void TakeTimeShift();
  void MarkChosenDrawdown();
  void ConnectSimulationHandlers();
  void SimulationKeyEvent(QObject* watched, QEvent* event);
  void CopySimulationTabToOptions();
  void SimulationRadioClick(const QRadioButton* radio);
  void ImportCheckBoxClick();
  void FollowCounts();
  void StartButtonClick();
  void ShowSimulationNotices();

  ProgramState& state_;
  ProgramFolders folders_;
  std::function<void(const QString&)> showMessage_;
  QWidget* currentPage_ = nullptr;
  QUrl pageLocation_;
  QString pageCharset_;
  QString browserEncoding_;   // the browser's own default, for pages of plain ASCII
  int timeShiftMinutes_ = 0;  // the last valid text of TimeShiftEdit
  std::optional<std::pair<int, int>> markedDrawdown_;  // its first and last grid rows
  std::string shownLeftOut_;  // the message of unreadable closes last shown
  bool formShown_ = false;
  bool closeAfterPass_ = false;
};

}  // namespace quillfen
