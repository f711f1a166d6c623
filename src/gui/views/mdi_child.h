#pragma once

#include <QString>
#include <QUrl>
#include <functional>

#include "report.h"
#include "views/child_form.h"

namespace quillfen {

class Progress;
class TradeGridModel;
class TradeGridView;
struct ProgramState;

// One report window: owns its Report and moves values between the controls
// and the core in the order the opening road and the refresh need.
class TMDIChild : public TChildForm {
  Q_OBJECT
 public:
  TMDIChild(ProgramState& state, const QString& programDirectory,
            std::function<void(const QString&)> showMessage);
  ~TMDIChild() override;

  Report report;
  // Set while the opening road fills this window: it must not be destroyed then.
  bool fillInProgress = false;

  bool IsStatementWindow() const;
  bool SortInProgress() const;
  void NavigateReportPage(const QString& path);
  QUrl ReportPageLocation() const;
  void AddStatementEntry(const QString& name, bool select);
  void ReadWorkingFile(const QString& workingFile, bool adding, Progress& progress);
  void SortByTicket();
  void FillLists();
  // RebuildTradeGrids, RecomputeStatistics, BuildSummaryText and both charts.
  void FullRefresh();
  void SortTradeTable(int column);
  void SetUpSimulationOnly();
  // Copies the option controls into report.options before a core call.
  void CopyControlsToOptions();
  // Brings the lists, grids and memo in line with what the core left in the report.
  void ShowViews();

  TradeGridModel* Grid1Model;
  TradeGridModel* Grid2Model;

 signals:
  void Closed(TMDIChild* window);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void LoadSettings();
  void SaveSettings(const QString& depositText);
  void ConnectHandlers();
  void PageControl2Change(int index);
  void LeaveTab(QWidget* page);
  void StatementComboBoxChange(int index);
  void ListBoxClick();
  void DeleteSelectedTrades(const TradeGridView* grid);
  void KeepGridsTogether(const TradeGridView* clicked);
  void DisplayRadioClick();
  void HistoryEditChange();
  void HistoryEditDblClick();
  void ShowListBoxes();
  void ReadListSelections();
  void RecomputeAndSummarise();
  void ShowGrids();
  void ShowSummary();
  void RepaintCharts();

  ProgramState& state_;
  QString programDirectory_;
  std::function<void(const QString&)> showMessage_;
  QWidget* currentPage_ = nullptr;
  QUrl pageLocation_;
  bool formShown_ = false;
};

}  // namespace quillfen
