#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
  CLI::App app{"quillfen-report: analyse MetaTrader 4 statements and Strategy Tester reports"};
  std::vector<std::string> files;
  app.add_option("FILE", files, "statement or report; further files are added to the first")
      ->required();
  CLI11_PARSE(app, argc, argv);
  return 0;
}
