#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "messages.h"
#include "program_state.h"
#include "report.h"
#include "simulation_args.h"

namespace quillfen::cli {

// Exit codes of the command line.
constexpr int kOk = 0;
constexpr int kUsage = 2;
constexpr int kUnreadable = 3;
constexpr int kUnwritable = 4;
constexpr int kNoMemory = 5;

// Everything the options ask for. Each stage adds its own fields here.
struct CliOptions {
  std::vector<std::string> files;
  bool table = false;
  bool json = false;
  std::vector<std::string> charts;  // display lists to print: balance, open-times, close-times, fan
  int chartWidth = 700;
  int chartHeight = 241;
  SimulationArgs simulation;

  // The exports and the Options tab's CSV choices.
  struct Exports {
    std::string csvPath;
    std::string csvDecimal = "comma";
    std::string csvField = "semicolon";
    bool csvCompact = false;
    std::string htmlPath;
    bool graph = false;
  } exports;

  // A column sort (sortColumn >= 0) or the deletion of a ticket.
  struct TableEdit {
    int sortColumn = -1;
    std::string ticket;
  };
  bool summary = false;
  ReportOptions analysis;  // deposit, sizing, limits and display filter as given
  bool displayGiven = false;
  std::vector<std::string> symbols;  // empty: every item stays selected
  std::vector<std::string> magics;
  std::vector<TableEdit> tableEdits;  // in command-line order
};

// Rows of a grid for the JSON output, written one array of cell texts per row
// while printing instead of being copied into the JSON object.
struct JsonRows {
  std::function<std::string_view(int column, int row)> cell;
  int first = 0;
  int count = 0;
  int columns = 0;
};

// The cell reader of a grid or of the trade table, which outlives the printing.
template <class Grid>
std::function<std::string_view(int, int)> CellsOf(const Grid& grid) {
  return [&grid](int column, int row) { return grid.Cell(column, row); };
}

// One run: the options, the report the stages work on, and what the stages put
// into the JSON object for --json (small values in json, grids in jsonRows).
struct CliRun {
  CliOptions options;
  Report report;
  ProgramState state;
  MessageList messages;
  nlohmann::json json = nlohmann::json::object();
  std::map<std::string, JsonRows> jsonRows;
};

// A step of the run; a non-zero result ends the run with that exit code.
using Stage = std::function<int(CliRun&)>;

// Adds a stage's options to the parser.
using OptionHook = std::function<void(CLI::App&, CliOptions&)>;

}  // namespace quillfen::cli
