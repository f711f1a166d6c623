#pragma once

#include <string>

#include "export/html_export.h"
#include "program_state.h"
#include "report.h"
#include "report_options.h"

namespace quillfen {

enum class ExportOutcome { written, failed, refused };

struct ExportResult {
  ExportOutcome outcome = ExportOutcome::refused;
  std::string reason;  // why the file could not be written
};

// Export report (with graph when the request is detailed): the figures
// recomputed under the options, then the page and its picture written.
// Refused while the report is being filled or sorted.
ExportResult ExportHtmlReport(Report& report, const ReportOptions& options,
                              const HtmlExportRequest& request, const ChartRenderer& renderer);

// Export as csv: the figures recomputed under the options, then the file
// written with the options' CSV choices and the program-wide compact request.
ExportResult ExportCsvReport(Report& report, const ProgramState& state,
                             const ReportOptions& options, const std::string& path);

}  // namespace quillfen
