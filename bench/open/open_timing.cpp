// A timed tool run of converting and reading: opens each file into one report,
// as the command line does, and prints the number of rows stored. It links the
// core library only, so process start is not counted as reading.
//   statement-open-timing FILE...
#include <cstdio>

#include "open_statement.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: statement-open-timing FILE...\n");
    return 2;
  }
  auto* report = new quillfen::Report();  // left to the system at exit, like the command line
  quillfen::NoProgress progress;
  quillfen::MessageList messages;
  for (int i = 1; i < argc; ++i) {
    if (!quillfen::OpenStatementFile(*report, argv[i], i > 1, progress, messages)) {
      std::fprintf(stderr, "not a statement: %s\n", argv[i]);
      return 3;
    }
  }
  std::printf("%d\n", report->full.TradeRows());
}
