#include "export_stage.h"

#include <iostream>

#include "actions/export_actions.h"
#include "program_info.h"

#if QUILLFEN_HAVE_RENDERER
#include <QGuiApplication>

#include "display_list_painter.h"
#endif

namespace quillfen::cli {

namespace {

ExportResult WriteHtml(Report& report, const HtmlExportRequest& request) {
  const ReportOptions options = report.options;
#if QUILLFEN_HAVE_RENDERER
  if (request.detailed) {
    // Qt draws text only under a QGuiApplication; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    char name[] = "quillfen-report";
    char* argv[] = {name, nullptr};
    int argc = 1;
    QGuiApplication application(argc, argv);
    return ExportHtmlReport(report, options, request, RenderRgbImage);
  }
#endif
  return ExportHtmlReport(report, options, request, nullptr);
}

// An empty name would write nothing and still succeed.
const CLI::Validator kFileName(
    [](std::string& name) -> std::string { return name.empty() ? "needs a file name" : ""; },
    "FILE");

int Unwritable(const std::string& path, const std::string& reason) {
  std::cerr << path << ": cannot be written: " << reason << '\n';
  return kUnwritable;
}

}  // namespace

void AddExportOptions(CLI::App& app, CliOptions& options) {
  CliOptions::Exports& e = options.exports;
  app.add_option("--csv", e.csvPath, "export the visible trades as a CSV file")->check(kFileName);
  app.add_option("--csv-decimal", e.csvDecimal, "decimal separator of the CSV file (default comma)")
      ->check(CLI::IsMember({"comma", "period"}));
  app.add_option("--csv-field", e.csvField, "field separator of the CSV file (default semicolon)")
      ->check(CLI::IsMember({"semicolon", "tab"}));
  app.add_flag("--csv-compact", e.csvCompact, "the compact CSV format (closed trades only)");
  CLI::Option* html =
      app.add_option("--html", e.htmlPath, "export the report as an HTML page")->check(kFileName);
#if QUILLFEN_HAVE_RENDERER
  app.add_flag("--graph", e.graph,
               "the detailed page, with the balance chart as a JPEG picture beside it")
      ->needs(html);
#else
  static_cast<void>(html);
#endif
}

int ExportStage(CliRun& run) {
  const CliOptions::Exports& e = run.options.exports;
  Report& report = run.report;
  if (!e.csvPath.empty()) {
    ReportOptions options = report.options;
    options.csvDecimalComma = e.csvDecimal == "comma";
    options.csvFieldSemicolon = e.csvField == "semicolon";
    run.state.CompactCsvRequested = e.csvCompact;
    const ExportResult csv = ExportCsvReport(report, run.state, options, e.csvPath);
    if (csv.outcome != ExportOutcome::written) return Unwritable(e.csvPath, csv.reason);
  }
  if (!e.htmlPath.empty()) {
    const HtmlExportRequest request{e.htmlPath, kCaptionPrefix + run.options.files.front(),
                                    e.graph};
    const ExportResult html = WriteHtml(report, request);
    if (html.outcome != ExportOutcome::written) return Unwritable(e.htmlPath, html.reason);
  }
  return kOk;
}

}  // namespace quillfen::cli
