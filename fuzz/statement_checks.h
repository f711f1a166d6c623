#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "import/statement_converter.h"
#include "import/statement_road.h"
#include "import/ticket_sort.h"
#include "messages.h"
#include "progress.h"
#include "report.h"

namespace quillfen::fuzz {

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

// The scratch folder of one fuzzing run, made on first use and removed at
// exit. Never destroyed, so that the exit handler still finds its name.
inline const std::string& ScratchFolder() {
  static const std::string* const folder = [] {
    char pattern[] = "/tmp/quillfen-fuzz-XXXXXX";
    Require(mkdtemp(pattern) != nullptr, "the scratch folder is made");
    std::atexit([] {
      std::error_code error;
      std::filesystem::remove_all(*folder, error);
    });
    return new std::string(pattern);
  }();
  return *folder;
}

inline void WriteFile(const std::string& path, std::string_view content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr, "the scratch file opens");
  if (!content.empty())
    Require(std::fwrite(content.data(), 1, content.size(), file) == content.size(),
            "the scratch file is written");
  std::fclose(file);
}

inline void CheckTable(const Report& report) {
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

inline std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Opens the page at source as the program opens it, converting and reading
// side by side with the converted text going to the working file text, then
// adds the same page again: the converter, the reader, the ticket base and the
// ticket sort must cope with anything and keep the table's shape. False when
// the page is no statement or cannot be converted whole.
inline bool CheckStatement(const std::string& source, const std::string& text) {
  NoProgress progress;
  MessageList messages;
  Report report;
  const StatementRead read =
      ConvertAndReadStatement(report.full, report.stats, source, text, false, progress, messages);
  std::string converted;
  const Conversion conversion = ConvertStatement(
      source,
      [&](std::string_view block) {
        converted.append(block);
        return true;
      },
      progress);
  const bool whole = conversion == Conversion::complete || conversion == Conversion::endsEarly;
  Require(whole == (read.outcome == ReadOutcome::read), "a page opens when it converts whole");
  if (!whole) return false;
  Require(Contents(text) == converted, "the working file holds the converted text");
  CheckTable(report);
  const int first = report.full.TradeRows();
  ConvertAndReadStatement(report.full, report.stats, source, "", true, progress, messages);
  SortByTicket(report.full);
  CheckTable(report);
  Require(report.full.TradeRows() >= first, "adding never loses rows");
  return true;
}

}  // namespace quillfen::fuzz
