// The opening road of the main window: Open report, Add report, Ctrl+O, Start
// Dorvane, recent files, start-up arguments, hand-overs and dropped files.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include <exception>

#include "actions/opening_actions.h"
#include "gui/app/gui_progress.h"
#include "gui/app/main_form.h"
#include "gui/app/report_page.h"
#include "gui/views/elided_path.h"
#include "gui/views/mdi_child.h"

namespace quillfen {

namespace {

// The reader's messages go to the message dialog at once, while loading.
class DialogMessages final : public Messages {
 public:
  explicit DialogMessages(TMainForm& form) : form_(form) {}
  void Show(std::string_view text) override {
    form_.ShowMessageDialog(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }

 private:
  TMainForm& form_;
};

}  // namespace

void TMainForm::RunOnRoad(std::function<void()> work) {
  if (roadBusy_) {
    queuedRoad_.append(std::move(work));
    return;
  }
  roadBusy_ = true;
  queuedRoad_.prepend(std::move(work));
  while (!queuedRoad_.isEmpty()) {
    // One open that fails in an unforeseen way is told and leaves the road to the next.
    try {
      queuedRoad_.takeFirst()();
    } catch (const std::exception& e) {
      HideLoadPanel();
      ShowMessageDialog(QString("The report could not be opened: %1").arg(e.what()));
    }
  }
  roadBusy_ = false;
  if (closeRequested_) close();
}

bool TMainForm::ChooseReportFile(QString& name) {
  if (OpenDialog->exec() != QDialog::Accepted) return false;
  // A typed URL is taken as typed: the dialog would make it a local path.
  auto* typed = OpenDialog->findChild<QLineEdit*>("fileNameEdit");
  if (typed && IsReportUrl(typed->text().trimmed())) {
    name = typed->text().trimmed();
  } else if (!OpenDialog->selectedFiles().isEmpty()) {
    name = OpenDialog->selectedFiles().constFirst();
  } else {
    return false;
  }
  return !name.isEmpty();
}

void TMainForm::OpenReportExecute() {
  QString name;
  if (ChooseReportFile(name)) OpenChosenName(name);
}

void TMainForm::OpenChosenName(QString name) {
  RunOnRoad([this, name] {
    if (IsReportUrl(name)) {
      OpenDownloadedUrl(name);
    } else {
      OpenRequest({name.toStdString(), name.toStdString()});
    }
  });
}

void TMainForm::OpenRequest(const ReportRequest& request) {
  const bool recentFilesChanged = OpenRequestedReport(
      request, state_, folders_.files,
      [this, &request] { OpenReportFile(QString::fromStdString(request.pageSource)); });
  if (recentFilesChanged) ShowRecentFiles();
}

void TMainForm::OpenDownloadedUrl(const QString& url) {
  ShowLoadPanel(true);
  const DownloadResult result =
      DownloadReport(url, TemporaryFolder(), downloadLimit_, downloadTimeout_);
  HideLoadPanel();
  if (result.outcome != DownloadOutcome::downloaded) {
    ShowMessageDialog(DownloadFailureMessage(url, result, downloadLimit_));
    return;
  }
  OpenRequest({kDownloadedPageName, url.toStdString()});
}

void TMainForm::MRUClick(int index) {
  const QString entry = MRU[index]->data().toString();
  OpenDialog->selectFile(entry);
  OpenChosenName(entry);
}

void TMainForm::FileOpen1Execute() {
  QString name;
  if (!ChooseReportFile(name)) return;
  RunOnRoad([this, name] { OpenRequest({name.toStdString(), name.toStdString(), false}); });
}

void TMainForm::StartDorvaneExecute() {
  RunOnRoad([this] { OpenReportFile("0"); });
}

void TMainForm::HandOver(const QString& path) {
  if (!StartUpFinished()) {
    queuedHandOvers_ << path;
    return;
  }
  RunOnRoad([this, path] { OpenRequest({path.toStdString(), path.toStdString()}); });
}

void TMainForm::OpenDroppedFiles(const QStringList& paths) {
  for (const QString& path : paths) OpenChosenName(path);
}

QString TMainForm::ResolveInTemporaryFolder(const QString& path) const {
  return path == kDownloadedPageName ? DownloadedPagePath(TemporaryFolder()) : path;
}

void TMainForm::ShowLoadPanel(bool reset) {
  if (reset) Label1->setText("Loading");
  ProgressBar->setValue(0);
  loadPanelAction->setVisible(true);
  ProcessPendingMessages();
}

void TMainForm::HideLoadPanel() {
  loadPanelAction->setVisible(false);
}

TMDIChild* TMainForm::NewReportWindow(bool simulationOnly) {
  auto* window =
      new TMDIChild(state_, folders_, [this](const QString& text) { ShowMessageDialog(text); });
  QMdiSubWindow* frame = MdiArea->addSubWindow(window);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &TMDIChild::Closed, this, &TMainForm::ReportWindowClosed);
  connect(frame, &QMdiSubWindow::windowStateChanged, this, &TMainForm::UpdateCaption);
  frame->setWindowTitle(simulationOnly ? QString("Dorvane")
                                       : QString::fromStdString(state_.ReportName));
  frame->resize(simulationOnly ? 885 : 1023, 400);
  frame->show();
  KeepInsideArea(frame);
  MdiArea->setActiveSubWindow(frame);
  window->PageControl2->setCurrentWidget(window->ReportTabSheet);
  window->SetTimeShift(session_.timeShiftMinutes);
  connect(window, &TMDIChild::TimeShiftChanged, this, [this](int minutes) {
    session_.timeShiftMinutes = minutes;
    SaveSessionState(folders_.files, session_);
  });
  window->report.options = window->OptionsFromControls();
  return window;
}

TMDIChild* TMainForm::OpenReportFile(const QString& path) {
  const bool simulationOnly = path == "0";
  ShowLoadPanel(true);
  TMDIChild* window = nullptr;
  if (simulationOnly) {
    window = NewReportWindow(true);
    window->SetUpSimulationOnly();
  } else {
    GuiProgress progress(ProgressBar);
    DialogMessages messages(*this);
    OpenResult result;
    try {
      result = quillfen::OpenStatement(
          {ResolveInTemporaryFolder(path).toStdString(), path.toStdString()},
          WorkingFilePath(TemporaryFolder()).toStdString(),
          [this, &window, &path]() -> Report& {
            window = NewReportWindow(false);
            const QString page = state_.PageSource == kDownloadedPageName
                                     ? DownloadedPagePath(TemporaryFolder())
                                     : path;
            window->NavigateReportPage(page);
            return window->report;
          },
          state_, progress, messages, [&window](Report&) { window->RepaintCharts(); },
          OpenViews::all,
          [this, &window, &path](Report&, const OpenResult& opened) {
            window->ShowReadReport();
            EnableReportCommands(true);
            if (state_.PageSource != kDownloadedPageName) RememberReportFolder(path);
            ShowOutcome(QString::fromStdString(state_.ReportName), path, opened);
          });
    } catch (...) {
      // No window is left half-filled; the road tells the user.
      if (window) DiscardReportWindow(window);
      throw;
    }
    if (result.outcome != OpenOutcome::opened) {
      HideLoadPanel();
      if (window) DiscardReportWindow(window);
      ShowOutcome(QString::fromStdString(state_.ReportName), ResolveInTemporaryFolder(path),
                  result);
      return nullptr;
    }
  }
  HideLoadPanel();
  UpdateCaption();
  emit ReportOpened(window);
  return window;
}

// A statement that could not be read is told in the message dialog; a file
// that is no statement, or a report with nothing in it, in the status bar.
void TMainForm::ShowOutcome(const QString& name, const QString& readPath,
                            const OpenResult& result) {
  switch (result.outcome) {
    case OpenOutcome::opened:
      if (result.foundNothing) {
        statusBar()->showMessage("No trades or balance operations found: " + name);
      } else {
        statusBar()->clearMessage();
      }
      if (!result.warning.empty()) ShowMessageDialog(QString::fromStdString(result.warning));
      return;
    case OpenOutcome::notStatement:
      statusBar()->showMessage(QFileInfo::exists(readPath) ? "Not a MetaTrader report: " + name
                                                           : "File not found: " + name);
      return;
    case OpenOutcome::failed:
    case OpenOutcome::outOfMemory:
      ShowMessageDialog(QString::fromStdString(OpenFailureMessage(name.toStdString(), result)));
      return;
    case OpenOutcome::refused:
      return;
  }
}

void TMainForm::RememberReportFolder(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (RememberOpenFolder(session_, folder.toStdString()))
    SaveSessionState(folders_.files, session_);
  OpenDialog->setDirectory(folder);
}

void TMainForm::DiscardReportWindow(TMDIChild* window) {
  if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) frame->close();
}

void TMainForm::AddReportExecute() {
  if (ReportWindows().isEmpty()) {
    OpenReportExecute();
    return;
  }
  QString name;
  if (OpenDialog->exec() != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty()) return;
  AddChosenFile(OpenDialog->selectedFiles().constFirst());
}

void TMainForm::AddChosenFile(const QString& name) {
  RunOnRoad([this, name] { AddStatement(name); });
}

void TMainForm::AddStatement(const QString& name) {
  ShowLoadPanel(false);
  TMDIChild* window = ActiveReportWindow();
  if (!window) {
    HideLoadPanel();
    return;
  }
  GuiProgress progress(ProgressBar);
  DialogMessages messages(*this);
  const OpenResult result =
      window->AddStatement(name, WorkingFilePath(TemporaryFolder()), progress, messages);
  HideLoadPanel();
  if (result.outcome == OpenOutcome::opened) RememberReportFolder(name);
  ShowOutcome(name, name, result);
  if (result.outcome != OpenOutcome::opened) return;
  emit ReportOpened(window);
}

QList<TMDIChild*> TMainForm::ReportWindows() const {
  QList<TMDIChild*> windows;
  for (QMdiSubWindow* frame : MdiArea->subWindowList()) {
    if (auto* window = qobject_cast<TMDIChild*>(frame->widget())) windows << window;
  }
  return windows;
}

TMDIChild* TMainForm::ActiveReportWindow() const {
  QMdiSubWindow* frame = MdiArea->currentSubWindow();
  if (!frame) {
    QList<QMdiSubWindow*> frames = MdiArea->subWindowList(QMdiArea::StackingOrder);
    if (frames.isEmpty()) return nullptr;
    frame = frames.constLast();
  }
  return qobject_cast<TMDIChild*>(frame->widget());
}

void TMainForm::EnableReportCommands(bool enabled) {
  for (QAction* action : {AddReport, Export, ExportGraph, ExportCsv}) action->setEnabled(enabled);
}

void TMainForm::ReportWindowClosed(TMDIChild* closed) {
  if (closeAfterPasses_) QTimer::singleShot(0, this, &TMainForm::close);
  for (TMDIChild* window : ReportWindows()) {
    if (window != closed && window->IsStatementWindow()) return;
  }
  EnableReportCommands(false);
}

void TMainForm::ShowRecentFiles() {
  for (int k = 0; k < 4; ++k) {
    const std::string& entry = state_.recentFiles[k];
    const bool present = IsPresentRecentEntry(entry);
    if (present) {
      const QString text = QString::fromStdString(entry);
      MRU[k]->setText(MenuPathCaption(FileMenu, text));
      MRU[k]->setData(text);
      MRU[k]->setStatusTip(text);
      MRU[k]->setToolTip(text);
    }
    MRU[k]->setVisible(present);
  }
  N2->setVisible(MRU[0]->isVisible());
}

}  // namespace quillfen
