#include "open_stage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "open_statement.h"
#include "progress.h"

namespace quillfen::cli {

namespace {

// Why the file cannot be read, or empty when it can.
std::string UnreadableReason(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::strerror(EISDIR);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::strerror(errno);
  std::fclose(file);
  return {};
}

// When only the trade table is printed, the trade lists and figures of a
// single statement are never looked at.
bool TableIsAllThatIsAsked(const CliOptions& options) {
  return options.table && !options.json && !options.summary && options.simulation.mode.empty() &&
         options.exports.csvPath.empty() && options.exports.htmlPath.empty() &&
         options.tableEdits.empty();
}

}  // namespace

void AddOpenOptions(CLI::App& app, CliOptions& options) {
  app.add_option("FILE", options.files, "statement or report; further files are added to the first")
      ->required();
}

int OpenStage(CliRun& run) {
  NoProgress progress;
  const auto& files = run.options.files;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (std::string reason = UnreadableReason(files[i]); !reason.empty()) {
      std::cerr << files[i] << ": " << reason << '\n';
      return kUnreadable;
    }
    if (!OpenStatementFile(run.report, files[i], i > 0, progress, run.messages)) {
      std::cerr << files[i] << ": not a MetaTrader statement or report\n";
      return kUnreadable;
    }
    // Adding refreshes everything again, and sorts the table by close time.
    const bool last = i + 1 == files.size();
    if (i > 0 || (last && !TableIsAllThatIsAsked(run.options)))
      ShowReadStatement(run.report, run.state, i > 0, progress);
  }
  return kOk;
}

}  // namespace quillfen::cli
