#include "open_stage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "actions/opening_actions.h"
#include "input_stream.h"
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

// The converted text goes straight to the reader: the command line keeps no
// working file, which only the window's file lifetime asks for.
const std::string kNoWorkingFile;

// Copies of standard input and pipes live in a private folder, made for the
// first of them and removed when the files are read, so that several runs can
// go at once.
class WorkingFolder {
 public:
  WorkingFolder() = default;
  ~WorkingFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;
  // The path of a file in the folder; empty (errno set) when no folder can be made.
  std::string File(const std::string& name) {
    if (path_.empty()) {
      std::string pattern =
          (std::filesystem::temp_directory_path() / "quillfen-report-XXXXXX").string();
      if (!::mkdtemp(pattern.data())) return {};
      path_ = pattern;
    }
    return path_ + "/" + name;
  }

 private:
  std::string path_;
};

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
  WorkingFolder folder;
  const auto& files = run.options.files;
  for (std::size_t i = 0; i < files.size(); ++i) {
    // Standard input and pipes are read whole first, as files are opened twice.
    std::string path = files[i];
    if (IsStream(path)) {
      path = folder.File("input" + std::to_string(i) + ".htm");
      if (path.empty()) {
        std::cerr << "quillfen-report: no temporary folder: " << std::strerror(errno) << '\n';
        return kUnwritable;
      }
      if (std::string reason = CopyStream(files[i], path); !reason.empty()) {
        std::cerr << files[i] << ": " << reason << '\n';
        return kUnreadable;
      }
    } else if (std::string reason = UnreadableReason(files[i]); !reason.empty()) {
      std::cerr << files[i] << ": " << reason << '\n';
      return kUnreadable;
    }
    // Adding refreshes everything again, so the first of several files needs no views.
    const bool viewsNeeded = files.size() == 1 && !TableIsAllThatIsAsked(run.options);
    const StatementFile file{path, files[i]};
    const std::size_t messagesBefore = run.messages.texts.size();
    const OpenResult result =
        i == 0
            ? OpenStatement(
                  file, kNoWorkingFile, [&run]() -> Report& { return run.report; }, run.state,
                  progress, run.messages, {}, viewsNeeded ? OpenViews::all : OpenViews::tableOnly)
            : AddStatement(run.report, file, kNoWorkingFile, run.state, progress, run.messages);
    if (result.outcome == OpenOutcome::outOfMemory) {
      std::cerr << "quillfen-report: not enough memory to read " << files[i] << '\n';
      return kNoMemory;
    }
    if (result.outcome == OpenOutcome::failed) {
      std::cerr << files[i] << ": " << result.reason << '\n';
      return kUnreadable;
    }
    if (result.outcome != OpenOutcome::opened) {
      std::cerr << files[i] << ": not a MetaTrader statement or report\n";
      return kUnreadable;
    }
    if (!result.warning.empty()) std::cerr << files[i] << ": " << result.warning << '\n';
    // What the reader told of this file, as the window shows it.
    for (std::size_t m = messagesBefore; m < run.messages.texts.size(); ++m)
      std::cerr << files[i] << ": " << run.messages.texts[m] << '\n';
  }
  return kOk;
}

}  // namespace quillfen::cli
