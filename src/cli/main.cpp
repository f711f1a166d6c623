#include <exception>
#include <iostream>
#include <new>

#include "analysis_stage.h"
#include "cli_run.h"
#include "export_stage.h"
#include "open_stage.h"
#include "output_stage.h"
#include "simulate_stage.h"

using namespace quillfen::cli;

namespace {

int Run(int argc, char** argv) {
  CLI::App app{"quillfen-report: analyse MetaTrader 4 statements and Strategy Tester reports"};
  // Left to the system at exit: a large report's cells would otherwise be
  // freed one by one just before the process ends.
  static CliRun& run = *new CliRun;
  // Each part of the program adds its options here ...
  const OptionHook optionHooks[] = {AddOpenOptions, AddAnalysisOptions, AddExportOptions,
                                    AddOutputOptions, AddSimulationOptions};
  for (const auto& hook : optionHooks) hook(app, run.options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "quillfen-report: " << e.what() << "\nRun with --help for more information.\n";
    return kUsage;
  }
  // ... and its stage here, in the order the program's road runs them.
  const Stage stages[] = {PrepareStage,       OpenStage,          SelectionStage,
                          TableEditStage,     LeftOutClosesStage, ExportStage,
                          ImportJsonStage,    AnalysisJsonStage,  SimulationStage,
                          SummaryOutputStage, OutputStage};
  for (const auto& stage : stages)
    if (int code = stage(run); code != kOk) return code;
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // The parser and the run's objects need memory too: a shortage there is
  // told as one while reading is.
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "quillfen-report: not enough memory\n";
    return kNoMemory;
  } catch (const std::exception& e) {
    std::cerr << "quillfen-report: " << e.what() << '\n';
    return 1;
  }
}
