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

// A private folder for the working text file, so that runs can go at once.
class WorkFolder {
 public:
  WorkFolder() {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "quillfen-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  bool Ok() const { return !path_.empty(); }
  std::string TextFile() const { return (path_ / "Quillfen.tmp").string(); }

 private:
  std::filesystem::path path_;
};

// Why the file cannot be read, or empty when it can.
std::string UnreadableReason(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::strerror(EISDIR);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::strerror(errno);
  std::fclose(file);
  return {};
}

}  // namespace

void AddOpenOptions(CLI::App& app, CliOptions& options) {
  app.add_option("FILE", options.files, "statement or report; further files are added to the first")
      ->required();
}

int OpenStage(CliRun& run) {
  WorkFolder folder;
  if (!folder.Ok()) {
    std::cerr << "quillfen-report: cannot create a temporary folder\n";
    return kUnwritable;
  }
  NoProgress progress;
  const auto& files = run.options.files;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (std::string reason = UnreadableReason(files[i]); !reason.empty()) {
      std::cerr << files[i] << ": " << reason << '\n';
      return kUnreadable;
    }
    if (!OpenStatementFile(run.report, files[i], folder.TextFile(), i > 0, progress,
                           run.messages)) {
      std::cerr << files[i] << ": not a MetaTrader statement or report\n";
      return kUnreadable;
    }
    ShowReadStatement(run.report, run.state, i > 0, progress);
  }
  return kOk;
}

}  // namespace quillfen::cli
