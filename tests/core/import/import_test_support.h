#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "actions/opening_actions.h"
#include "import/statement_road.h"
#include "import/ticket_sort.h"
#include "messages.h"
#include "progress.h"
#include "report.h"

namespace quillfen {

inline std::string FixturePath(const std::string& name) {
  return std::string(QUILLFEN_FIXTURES) + "/" + name;
}

// A private folder for working files, removed with the object.
class TempDir {
 public:
  TempDir() {
    auto base = std::filesystem::temp_directory_path();
    for (int n = 0;; ++n) {
      path_ = base / ("quillfen-test-" + std::to_string(::getpid()) + "-" + std::to_string(n));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const std::string& content) const {
    std::ofstream(File(name), std::ios::binary) << content;
    return File(name);
  }

 private:
  std::filesystem::path path_;
};

// Remembers what a routine reported about its progress.
class RecordingProgress final : public Progress {
 public:
  void SetRange(long long maximum) override { ranges.push_back(maximum); }
  void SetPosition(long long position) override { this->position = position; }
  void Advance(long long by) override { position += by; }
  void Pump() override { ++pumps; }
  std::vector<long long> ranges;
  long long position = 0;
  int pumps = 0;
};

// Reads the first file and adds the others to the trade table, ordered by
// ticket after each add, as the reading road leaves them before any view is built.
inline bool OpenFiles(Report& report, const std::vector<std::string>& paths,
                      MessageList* messages = nullptr) {
  TempDir dir;
  NoProgress progress;
  MessageList ignored;
  bool all = true;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const bool adding = i > 0;
    const StatementRead read =
        ConvertAndReadStatement(report.full, report.stats, paths[i], dir.File("Quillfen.tmp"),
                                adding, progress, messages ? *messages : ignored);
    all &= read.outcome == ReadOutcome::read;
    if (read.outcome != ReadOutcome::read) continue;
    report.statements.push_back(paths[i]);
    if (adding) SortByTicket(report.full);
  }
  return all;
}

// Opens the file as Open report does, into this report, views and all.
inline bool OpenReport(Report& report, const std::string& path, MessageList* messages = nullptr) {
  TempDir dir;
  ProgramState state;
  NoProgress progress;
  MessageList ignored;
  const OpenResult result = OpenStatement(
      path, dir.File("Quillfen.tmp"), [&]() -> Report& { return report; }, state, progress,
      messages ? *messages : ignored);
  return result.outcome == OpenOutcome::opened;
}

inline Report OpenFixtures(const std::vector<std::string>& names, MessageList* messages = nullptr) {
  Report report;
  std::vector<std::string> paths;
  for (const auto& name : names) paths.push_back(FixturePath(name));
  EXPECT_TRUE(OpenFiles(report, paths, messages));
  return report;
}

// The cells of one row joined with "|", columns first to last, for compact expectations.
inline std::string Cells(const Report& report, int row, std::initializer_list<int> columns) {
  std::string text;
  for (int column : columns) {
    text += report.full.Cell(column, row);
    text += '|';
  }
  text.pop_back();
  return text;
}

}  // namespace quillfen
