#include "import/statement_road.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "import/statement_converter.h"
#include "import/statement_reader.h"
#include "io/run_beside.h"
#include "io/text_pipe.h"

namespace quillfen {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string CannotWrite(const std::string& path, int error) {
  return "cannot write " + path + ": " + std::strerror(error);
}

// The converting thread counts the source bytes it has taken; the reading
// thread shows that count on the caller's progress whenever it lets events in.
// The count is published a megabyte at a time, so that the two threads do not
// pass its cache line back and forth on every line.
class ConvertedBytes final : public Progress {
 public:
  void SetRange(long long) override {}
  void SetPosition(long long) override {}
  void Advance(long long by) override {
    counted_ += by;
    if (counted_ - published_ < kStep) return;
    published_ = counted_;
    bytes_.store(counted_, std::memory_order_relaxed);
  }
  void Pump() override {}
  long long Bytes() const { return bytes_.load(std::memory_order_relaxed); }

 private:
  static constexpr long long kStep = 1 << 20;
  long long counted_ = 0;  // the converting thread's own
  long long published_ = 0;
  std::atomic<long long> bytes_{0};
};

class ReaderProgress final : public Progress {
 public:
  ReaderProgress(Progress& shown, const ConvertedBytes& converted)
      : shown_(shown), converted_(converted) {}
  void SetRange(long long) override {}
  void SetPosition(long long) override {}
  void Advance(long long) override {}
  // Every line offers to let events in; a few hundred lines take well under
  // the time between two looks at the events.
  void Pump() override {
    if (++lines_ % 256 != 0) return;
    shown_.SetPosition(converted_.Bytes());
    shown_.Pump();
  }

 private:
  Progress& shown_;
  const ConvertedBytes& converted_;
  unsigned lines_ = 0;
};

// Converts on a second thread while this one reads what is converted, so a
// large statement costs about the longer of the two, not their sum. Every
// block goes to the working file first, when there is one; a write the file
// refuses stops the conversion. Gives the reason of a failure, or nothing.
std::string ConvertAndRead(TradeTable& table, ReportStatistics& stats, const std::string& path,
                           const std::string& workingFile, bool adding, Progress& progress,
                           Messages& messages, Conversion& conversion) {
  File working;
  if (!workingFile.empty()) {
    working.reset(std::fopen(workingFile.c_str(), "wb"));
    if (!working) return CannotWrite(workingFile, errno);
  }
  std::error_code sizeError;
  const auto size = std::filesystem::file_size(path, sizeError);
  progress.SetRange(sizeError ? 0 : static_cast<long long>(size));
  progress.SetPosition(0);
  TextPipe pipe;
  ConvertedBytes converted;
  ReaderProgress readerProgress(progress, converted);
  std::string writeFailure;  // written by the converting thread, read after the join
  RunBeside(
      [&] {
        try {
          conversion = ConvertStatement(
              path,
              [&](std::string_view block) {
                if (working &&
                    std::fwrite(block.data(), 1, block.size(), working.get()) != block.size()) {
                  writeFailure = CannotWrite(workingFile, errno);
                  return false;
                }
                return pipe.Write(block);
              },
              converted);
        } catch (...) {
          pipe.CloseWriter();
          throw;
        }
        pipe.CloseWriter();
      },
      [&] {
        ReadStatement(table, stats, pipe, adding, readerProgress, messages);
        pipe.CloseReader();
      },
      [&] { pipe.CloseReader(); });
  if (!writeFailure.empty()) return writeFailure;
  if (working && std::fclose(working.release()) != 0) return CannotWrite(workingFile, errno);
  if (conversion == Conversion::sourceFailed) return "cannot read " + path;
  if (conversion == Conversion::oddUtf16) return kOddUtf16Reason;
  return {};
}

}  // namespace

StatementRead ConvertAndReadStatement(TradeTable& table, ReportStatistics& stats,
                                      const std::string& path, const std::string& workingFile,
                                      bool adding, Progress& progress, Messages& messages) {
  // What the reader may change: the rows from the spare one on, and the totals.
  const int rowsBefore = table.RowCount();
  const ReportStatistics statsBefore = stats;
  StatementRead result{ReadOutcome::read, {}, {}};
  Conversion conversion = Conversion::complete;
  try {
    result.reason =
        ConvertAndRead(table, stats, path, workingFile, adding, progress, messages, conversion);
    if (!result.reason.empty()) {
      result.outcome = ReadOutcome::failed;
    } else if (conversion == Conversion::notStatement) {
      result.outcome = ReadOutcome::notStatement;
    }
  } catch (const std::bad_alloc&) {
    result = {ReadOutcome::outOfMemory, "not enough memory to read " + path, {}};
  } catch (const std::exception& e) {
    result = {ReadOutcome::failed, e.what(), {}};
  }
  if (result.outcome == ReadOutcome::read) {
    if (conversion == Conversion::endsEarly) result.warning = kEndsEarlyWarning;
    return result;
  }
  const int spare = adding ? std::max(rowsBefore - 1, 0) : 0;
  table.SetRowCount(spare);
  table.SetRowCount(adding ? rowsBefore : 2);
  stats = statsBefore;
  return result;
}

}  // namespace quillfen
