// Writes the input as a statement file, converts and reads it as a first
// statement, opens it again converting and reading side by side, then adds the
// same text again: the converter, the reader, the ticket base and the ticket
// sort must cope with anything and keep the table's shape.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "import/statement_converter.h"
#include "import/statement_reader.h"
#include "import/statement_road.h"
#include "import/ticket_sort.h"
#include "messages.h"
#include "progress.h"
#include "report.h"

namespace {

using namespace quillfen;

std::string folder;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

void CheckTable(const Report& report) {
  const TradeTable& table = report.full;
  Require(table.RowCount() >= 2, "a table has its spare row");
  const int spare = table.RowCount() - 1;
  Require(table.Cell(col::symbol, spare).empty(), "the spare row holds no trade");
  for (int row = 0; row <= spare; ++row) {
    for (int column : {col::openDate, col::closeDate}) {
      Require(table.Cell(column, row).find_first_not_of("0123456789/ ") == std::string_view::npos,
              "dates are normalised");
    }
  }
}

bool SameTable(const TradeTable& a, const TradeTable& b) {
  if (a.RowCount() != b.RowCount()) return false;
  for (int row = 0; row < a.RowCount(); ++row)
    for (int column = 0; column < TradeTable::kColumns; ++column)
      if (a.Cell(column, row) != b.Cell(column, row)) return false;
  return true;
}

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool SameFile(const std::string& a, const std::string& b) {
  return Contents(a) == Contents(b);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/quillfen-fuzz-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  folder = pattern;
  std::atexit([] {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source = folder + "/statement.htm";
  const std::string text = folder + "/statement.tmp";
  std::FILE* file = std::fopen(source.c_str(), "wb");
  Require(file != nullptr, "the scratch file opens");
  if (size > 0) Require(std::fwrite(data, 1, size, file) == size, "the scratch file is written");
  std::fclose(file);

  NoProgress progress;
  MessageList messages;
  if (!StatementToText(source, text, progress)) return 0;
  Report report;
  ReadStatement(report.full, report.stats, text, false, progress, messages);
  CheckTable(report);
  // Opened as the window and the command line open it, converting and reading
  // side by side, the table is the same, and so is the working file.
  Report opened;
  const std::string working = folder + "/working.tmp";
  const StatementRead read = ConvertAndReadStatement(opened.full, opened.stats, source, working,
                                                     false, progress, messages);
  Require(read.outcome == ReadOutcome::read, "a converted file opens");
  Require(SameTable(opened.full, report.full), "opening reads what converting then reading reads");
  Require(SameFile(working, text), "the working file holds the converted text");
  const int first = report.full.TradeRows();
  ReadStatement(report.full, report.stats, text, true, progress, messages);
  SortByTicket(report.full);
  CheckTable(report);
  Require(report.full.TradeRows() >= first, "adding never loses rows");
  return 0;
}
