#include "actions/export_actions.h"

#include "actions/refresh.h"
#include "actions/report_guard.h"
#include "export/csv_export.h"
#include "report_parts.h"

namespace quillfen {

namespace {

ExportResult Written(bool written, std::string reason) {
  if (written) return {ExportOutcome::written, {}};
  return {ExportOutcome::failed, std::move(reason)};
}

}  // namespace

ExportResult ExportHtmlReport(Report& report, const ReportOptions& options,
                              const HtmlExportRequest& request, const ChartRenderer& renderer) {
  if (!TakeOptions(report, options)) return {};
  RecomputeFigures(report);
  std::string error;
  const bool written = WriteHtmlFiles(
      PageSourceOf(report), PageDeposit(report.stats, report.options), request, renderer, &error);
  return Written(written, std::move(error));
}

ExportResult ExportCsvReport(Report& report, const ProgramState& state,
                             const ReportOptions& options, const std::string& path) {
  if (!TakeOptions(report, options)) return {};
  RecomputeFigures(report);
  std::string error;
  const bool written = WriteCsvFile(report, CsvChoicesOf(report.options, state), path, &error);
  return Written(written, std::move(error));
}

}  // namespace quillfen
