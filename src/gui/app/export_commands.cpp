// The main window's export commands on the active report window.
#include <QFileDialog>

#include "actions/export_actions.h"
#include "display_list_painter.h"
#include "gui/app/main_form.h"
#include "gui/views/mdi_child.h"

namespace quillfen {

namespace {

QString ChooseSaveFile(QWidget* parent, const QString& title, const QStringList& filters,
                       const QString& suffix) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(suffix);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

void TMainForm::ExportExecute(bool detailed) {
  TMDIChild* window = ActiveReportWindow();
  if (!window) return;
  const QString path =
      ChooseSaveFile(window, "Save report...", {"HTM files (*.htm)", "All files (*)"}, "htm");
  if (!path.isEmpty()) ExportHtmlTo(path, detailed);
}

void TMainForm::ExportCsvExecute() {
  TMDIChild* window = ActiveReportWindow();
  if (!window) return;
  const QString path = ChooseSaveFile(window, "Save report as csv...",
                                      {"CSV files (*.csv)", "All files (*)"}, "csv");
  if (!path.isEmpty()) ExportCsvTo(path);
}

bool TMainForm::ExportHtmlTo(const QString& path, bool detailed) {
  TMDIChild* window = ActiveReportWindow();
  if (!window) return false;
  HtmlExportRequest request{path.toStdString(), windowTitle().toStdString(), detailed};
  const ExportResult result =
      ExportHtmlReport(window->report, window->OptionsFromControls(), request, RenderRgbImage);
  window->ShowViews();
  return result.outcome == ExportOutcome::written;
}

bool TMainForm::ExportCsvTo(const QString& path) {
  TMDIChild* window = ActiveReportWindow();
  if (!window) return false;
  const ExportResult result =
      ExportCsvReport(window->report, state_, window->OptionsFromControls(), path.toStdString());
  window->ShowViews();
  return result.outcome == ExportOutcome::written;
}

}  // namespace quillfen
