// Converting a large page alone, without the reader on the other end of the
// pipe: a 100,000-trade MetaTrader 5 tester report (UTF-16LE) and a
// 100,000-trade MetaTrader 4 statement with tooltips, written once by the
// built make-statement tool.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#include "import/statement_converter.h"

namespace quillfen {
namespace {

// Writes the page with make-statement's arguments into the temporary folder,
// once per run of the benchmark program.
std::string GeneratedPage(const std::string& name, const std::string& arguments) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("quillfen-convert-bench-" + std::to_string(::getpid()) + name))
                               .string();
  const std::string command =
      std::string(QUILLFEN_MAKE_STATEMENT) + " " + arguments + " -o '" + path + "'";
  if (std::system(command.c_str()) != 0) return {};
  return path;
}

void Convert(benchmark::State& state, const std::string& path) {
  if (path.empty()) {
    state.SkipWithError("make-statement failed");
    return;
  }
  std::size_t bytes = 0;
  const TextWriter write = [&](std::string_view block) {
    bytes += block.size();
    return true;
  };
  NoProgress progress;
  for (auto _ : state) {
    bytes = 0;
    if (ConvertStatement(path, write, progress) != Conversion::complete)
      state.SkipWithError("conversion did not complete");
  }
  state.counters["text_bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

struct Pages {
  std::string mt5Tester =
      GeneratedPage("-mt5.htm", "--kind mt5-tester -n 100000 --commission --pending 500 --seed 11");
  std::string mt4Statement = GeneratedPage(
      "-mt4.htm", "--kind statement -n 100000 --magic-tooltips --commission --seed 11");
  ~Pages() {
    std::error_code error;
    std::filesystem::remove(mt5Tester, error);
    std::filesystem::remove(mt4Statement, error);
  }
};

const Pages& GeneratedPages() {
  static const Pages pages;
  return pages;
}

void BM_ConvertMt5TesterReport(benchmark::State& state) {
  Convert(state, GeneratedPages().mt5Tester);
}
BENCHMARK(BM_ConvertMt5TesterReport)->Unit(benchmark::kMillisecond);

void BM_ConvertMt4Statement(benchmark::State& state) {
  Convert(state, GeneratedPages().mt4Statement);
}
BENCHMARK(BM_ConvertMt4Statement)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillfen

BENCHMARK_MAIN();
