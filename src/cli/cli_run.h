#pragma once

#include <CLI/CLI.hpp>
#include <functional>
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

// Everything the options ask for. Each stage adds its own fields here.
struct CliOptions {
  std::vector<std::string> files;
  bool table = false;
  bool json = false;

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
};

// One run: the options, the report the stages work on, and the JSON object the
// stages fill for --json.
struct CliRun {
  CliOptions options;
  Report report;
  ProgramState state;
  MessageList messages;
  nlohmann::json json = nlohmann::json::object();
};

// A step of the run; a non-zero result ends the run with that exit code.
using Stage = std::function<int(CliRun&)>;

// Adds a stage's options to the parser.
using OptionHook = std::function<void(CLI::App&, CliOptions&)>;

// Cell and file texts are single-byte; JSON wants UTF-8. Text that is not valid
// UTF-8 is read as Latin-1, so no byte is lost.
nlohmann::json JsonText(std::string_view text);

}  // namespace quillfen::cli
