// The opening road of the main window: Open report, Add report, Ctrl+O, Start
// Dorvane, recent files, start-up arguments, hand-overs and dropped files.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>

#include "app/gui_progress.h"
#include "app/main_form.h"
#include "app/report_page.h"
#include "import/statement_converter.h"
#include "views/mdi_child.h"

namespace quillfen {

namespace {

// The file is accepted when the conversion says statement and left its text.
bool ConvertStatement(const QString& statement, const QString& workingFile, Progress& progress) {
  return StatementToText(statement.toStdString(), workingFile.toStdString(), progress) &&
         QFile::exists(workingFile);
}

}  // namespace

void TMainForm::RunOnRoad(std::function<void()> work) {
  if (roadBusy_) {
    queuedRoad_.append(std::move(work));
    return;
  }
  roadBusy_ = true;
  work();
  while (!queuedRoad_.isEmpty()) queuedRoad_.takeFirst()();
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
      OpenNamedStatement(name);
    }
  });
}

void TMainForm::OpenNamedStatement(const QString& name) {
  state_.PageSource = name.toStdString();
  state_.ReportName = name.toStdString();
  OpenReportFile(name);
  AddRecentFile(name);
}

void TMainForm::OpenDownloadedUrl(const QString& url) {
  ShowLoadPanel(true);
  bool downloaded = DownloadReport(url, programDirectory_);
  HideLoadPanel();
  if (!downloaded) return;
  state_.PageSource = kDownloadedPageName;
  state_.ReportName = url.toStdString();
  OpenReportFile(kDownloadedPageName);
  AddRecentFile(url);
}

void TMainForm::MRUClick(int index) {
  const QString entry = MRU[index]->data().toString();
  OpenDialog->selectFile(entry);
  OpenChosenName(entry);
}

void TMainForm::FileOpen1Execute() {
  QString name;
  if (!ChooseReportFile(name)) return;
  RunOnRoad([this, name] {
    state_.PageSource = name.toStdString();
    state_.ReportName = name.toStdString();
    OpenReportFile(name);
  });
}

void TMainForm::StartDorvaneExecute() {
  RunOnRoad([this] { OpenReportFile("0"); });
}

void TMainForm::HandOver(const QString& path) {
  if (!StartUpFinished()) {
    queuedHandOvers_ << path;
    return;
  }
  RunOnRoad([this, path] {
    state_.PageSource = path.toStdString();
    state_.ReportName = path.toStdString();
    OpenReportFile(path);
    AddRecentFile(path);
  });
}

void TMainForm::OpenDroppedFiles(const QStringList& paths) {
  for (const QString& path : paths) OpenChosenName(path);
}

QString TMainForm::ResolveInProgramDirectory(const QString& path) const {
  return path == kDownloadedPageName ? DownloadedPagePath(programDirectory_) : path;
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

TMDIChild* TMainForm::OpenReportFile(const QString& path) {
  const bool simulationOnly = path == "0";
  ShowLoadPanel(true);
  GuiProgress progress(ProgressBar);
  const QString workingFile = WorkingFilePath(programDirectory_);
  if (!simulationOnly &&
      !ConvertStatement(ResolveInProgramDirectory(path), workingFile, progress)) {
    HideLoadPanel();
    return nullptr;
  }

  auto* window = new TMDIChild(state_, programDirectory_,
                               [this](const QString& text) { ShowMessageDialog(text); });
  window->fillInProgress = true;
  QMdiSubWindow* frame = MdiArea->addSubWindow(window);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &TMDIChild::Closed, this, &TMainForm::ReportWindowClosed);
  connect(frame, &QMdiSubWindow::windowStateChanged, this, &TMainForm::UpdateCaption);
  frame->setWindowTitle(simulationOnly ? QString("Dorvane")
                                       : QString::fromStdString(state_.ReportName));
  frame->resize(simulationOnly ? 885 : 1023, 400);
  frame->show();
  MdiArea->setActiveSubWindow(frame);
  window->PageControl2->setCurrentWidget(window->ReportTabSheet);
  ProcessPendingMessages();

  if (simulationOnly) {
    window->SetUpSimulationOnly();
  } else {
    const QString page =
        state_.PageSource == kDownloadedPageName ? DownloadedPagePath(programDirectory_) : path;
    window->NavigateReportPage(page);
    window->AddStatementEntry(path, false);
    window->ReadWorkingFile(workingFile, false, progress);
    QFile::remove(workingFile);
    window->FillLists();
    ProcessPendingMessages();
    ProcessPendingMessages();
    window->FullRefresh();
    state_.armedSortColumn = 9;
    EnableReportCommands(true);
  }
  window->fillInProgress = false;
  HideLoadPanel();
  UpdateCaption();
  emit ReportOpened(window);
  return window;
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
  GuiProgress progress(ProgressBar);
  const QString workingFile = WorkingFilePath(programDirectory_);
  TMDIChild* window = ActiveReportWindow();
  if (!window || !ConvertStatement(name, workingFile, progress)) {
    HideLoadPanel();
    return;
  }
  window->fillInProgress = true;
  window->NavigateReportPage(name);
  window->AddStatementEntry(name, true);
  window->ReadWorkingFile(workingFile, true, progress);
  window->SortByTicket();
  window->FillLists();
  ProcessPendingMessages();
  window->FullRefresh();
  state_.armedSortColumn = 9;
  window->SortTradeTable(9);
  window->fillInProgress = false;
  HideLoadPanel();
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
  for (TMDIChild* window : ReportWindows()) {
    if (window != closed && window->IsStatementWindow()) return;
  }
  EnableReportCommands(false);
}

void TMainForm::AddRecentFile(const QString& name) {
  if (quillfen::AddRecentFile(state_.recentFiles, name.toStdString())) {
    SaveRecentFiles(programDirectory_.toStdString(), state_.recentFiles);
    ShowRecentFiles();
  }
}

void TMainForm::ShowRecentFiles() {
  for (int k = 0; k < 4; ++k) {
    const std::string& entry = state_.recentFiles[k];
    const bool present = IsPresentRecentEntry(entry);
    if (present) {
      const QString text = QString::fromStdString(entry);
      MRU[k]->setText(text);
      MRU[k]->setData(text);
      MRU[k]->setStatusTip(text);
    }
    MRU[k]->setVisible(present);
  }
  N2->setVisible(MRU[0]->isVisible());
}

}  // namespace quillfen
