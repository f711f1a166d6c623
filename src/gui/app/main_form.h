#pragma once

#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>

#include "actions/opening_actions.h"
#include "program_state.h"
#include "settings/program_folders.h"
#include "settings/session_state.h"

class QAction;
class QFileDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace quillfen {

class TAboutBox;
class TMDIChild;
class TMessageForm;

// The multiple-document frame: menus, toolbar, loading panel, status bar, and
// the commands that create report windows.
class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // Files live in the folders given; arguments are opened on the first show.
  TMainForm(const ProgramFolders& folders, const QStringList& arguments);
  ~TMainForm() override;

  ProgramState& State() { return state_; }

  // The opening road.
  TMDIChild* OpenReportFile(const QString& path);
  void OpenChosenName(QString name);
  void AddChosenFile(const QString& name);
  void OpenDroppedFiles(const QStringList& paths);
  void HandOver(const QString& path);
  void MRUClick(int index);
  // The exports of the active report window once a file name is chosen.
  bool ExportHtmlTo(const QString& path, bool detailed);
  bool ExportCsvTo(const QString& path);

  void ShowMessageDialog(const QString& text);
  QList<TMDIChild*> ReportWindows() const;
  TMDIChild* ActiveReportWindow() const;
  bool RoadBusy() const { return roadBusy_; }
  // Tests stop downloads sooner than at the program's limit.
  void SetDownloadLimit(qint64 bytes) { downloadLimit_ = bytes; }
  void SetDownloadTimeout(int milliseconds) { downloadTimeout_ = milliseconds; }
  bool StartUpFinished() const { return !firstTickPending_; }

  QMdiArea* MdiArea;
  QAction* OpenReport;
  QAction* AddReport;
  QAction* Export;
  QAction* ExportGraph;
  QAction* ExportCsv;
  QAction* StartDorvane;
  QAction* FileOpen1;
  QAction* FileExit1;
  QAction* HelpAbout1;
  QAction* WindowCascade1;
  QAction* WindowTileHorizontal1;
  QAction* WindowMinimizeAll1;
  QAction* WindowClose1;
  QAction* NextTab1;
  QAction* PreviousTab1;
  QAction* Usersmanual1;
  QAction* Website1;
  std::array<QAction*, 4> MRU{};
  QAction* N2;
  QMenu* FileMenu;
  QMenu* WindowMenu;
  QMenu* HelpMenu;
  QToolBar* ToolBar2;
  QToolButton* ExportCsvButton;
  QWidget* LoadPanel;
  QAction* loadPanelAction;
  QLabel* Label1;
  QProgressBar* ProgressBar;
  QTimer* Timer1;
  QFileDialog* OpenDialog;
  TAboutBox* AboutBox;
  TMessageForm* MessageForm;

 public slots:
  void OpenReportExecute();
  void AddReportExecute();
  void FileOpen1Execute();
  void StartDorvaneExecute();
  void ExportExecute(bool detailed);
  void ExportCsvExecute();
  void HelpAbout1Execute();
  void Usersmanual1Click();
  void Website1Click();
  void Timer1Timer();

 signals:
  // For tests and scripted runs: a report window has been filled and drawn.
  void ReportOpened(TMDIChild* window);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void SetShortcuts();
  void CreateMenus();
  void CreateToolBar();
  void CreateLoadPanel();
  QAction* NewAction(const char* name, const QString& caption, int image, const QString& hint);
  void FormShow();
  void FirstTick();
  void UpdateCaption();
  void FillWindowMenu();
  void TileHorizontally();
  void MinimizeAll();
  void CascadeWindows();
  void ShowChosenWindow(QMdiSubWindow* window);
  // The active report window's next or previous tab.
  void StepTab(int step);

  // Where the main window starts: as the session state left it, or filling most
  // of the screen.
  void PlaceMainWindow();
  void SaveSession();
  // Report windows stay inside the area, their close button above all.
  void KeepInsideArea(QMdiSubWindow* window);

  // Runs work now, or after the running open when one is under way: only one
  // conversion and reading may use the working text file at a time.
  void RunOnRoad(std::function<void()> work);
  TMDIChild* NewReportWindow(bool simulationOnly);
  void DiscardReportWindow(TMDIChild* window);
  void ShowOutcome(const QString& name, const QString& readPath, const OpenResult& result);
  void RememberReportFolder(const QString& path);
  bool ShowPathTip(QObject* watched, QEvent* event);
  bool ChooseReportFile(QString& name);
  void OpenRequest(const ReportRequest& request);
  void OpenDownloadedUrl(const QString& url);
  void AddStatement(const QString& name);
  void ShowLoadPanel(bool reset);
  void HideLoadPanel();
  void EnableReportCommands(bool enabled);
  void ReportWindowClosed(TMDIChild* window);
  void ShowRecentFiles();
  QString TemporaryFolder() const { return QString::fromStdString(folders_.temporary); }
  QString ResolveInTemporaryFolder(const QString& path) const;

  ProgramFolders folders_;
  QStringList arguments_;
  ProgramState state_;
  SessionState session_;
  bool formShowScheduled_ = false;
  bool firstShowPending_ = true;
  bool firstTickPending_ = true;
  bool timerWorkUnderWay_ = false;
  bool roadBusy_ = false;
  bool closeRequested_ = false;
  bool closeAfterPasses_ = false;
  qint64 downloadLimit_;
  int downloadTimeout_;
  QList<std::function<void()>> queuedRoad_;
  QStringList queuedHandOvers_;
};

}  // namespace quillfen
