#include "export_stage.h"

#include <iostream>

#include "export/csv_export.h"
#include "export/html_export.h"
#include "program_info.h"

#if QUILLFEN_HAVE_RENDERER
#include <QGuiApplication>

#include "display_list_painter.h"
#endif

namespace quillfen::cli {

namespace {

bool WriteHtml(Report& report, const HtmlExportRequest& request, std::string* error) {
#if QUILLFEN_HAVE_RENDERER
  if (request.detailed) {
    // Qt draws text only under a QGuiApplication; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    char name[] = "quillfen-report";
    char* argv[] = {name, nullptr};
    int argc = 1;
    QGuiApplication application(argc, argv);
    return ExportHtml(report, request, RenderRgbImage, error);
  }
#endif
  return ExportHtml(report, request, nullptr, error);
}

int Unwritable(const std::string& path, const std::string& reason) {
  std::cerr << path << ": cannot be written: " << reason << '\n';
  return kUnwritable;
}

}  // namespace

void AddExportOptions(CLI::App& app, CliOptions& options) {
  CliOptions::Exports& e = options.exports;
  app.add_option("--csv", e.csvPath, "export the visible trades as a CSV file");
  app.add_option("--csv-decimal", e.csvDecimal, "decimal separator of the CSV file (default comma)")
      ->check(CLI::IsMember({"comma", "period"}));
  app.add_option("--csv-field", e.csvField, "field separator of the CSV file (default semicolon)")
      ->check(CLI::IsMember({"semicolon", "tab"}));
  app.add_flag("--csv-compact", e.csvCompact, "the compact CSV format (closed trades only)");
  CLI::Option* html = app.add_option("--html", e.htmlPath, "export the report as an HTML page");
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
  std::string error;
  if (!e.csvPath.empty()) {
    report.options.csvDecimalComma = e.csvDecimal == "comma";
    report.options.csvFieldSemicolon = e.csvField == "semicolon";
    run.state.CompactCsvRequested = e.csvCompact;
    if (!ExportCsv(report, run.state, e.csvPath, &error)) return Unwritable(e.csvPath, error);
  }
  if (!e.htmlPath.empty()) {
    const HtmlExportRequest request{e.htmlPath, kCaptionPrefix + run.options.files.front(),
                                    e.graph};
    if (!WriteHtml(report, request, &error)) return Unwritable(e.htmlPath, error);
  }
  return kOk;
}

}  // namespace quillfen::cli
