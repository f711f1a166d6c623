// A timed tool run of converting and reading: opens the first file and adds
// the others, by the command line's road when it prints only the trade table,
// and prints the number of rows stored. It links the core library only, so
// process start is not counted as reading.
//   statement-open-timing FILE...
#include <cstdio>
#include <string>

#include "actions/opening_actions.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: statement-open-timing FILE...\n");
    return 2;
  }
  const std::string workingFile;          // none, as the command line keeps none
  auto* report = new quillfen::Report();  // left to the system at exit, like the command line
  quillfen::ProgramState state;
  quillfen::NoProgress progress;
  quillfen::MessageList messages;
  int status = 0;
  for (int i = 1; i < argc && status == 0; ++i) {
    const quillfen::OpenResult result =
        i == 1 ? quillfen::OpenStatement(
                     argv[i], workingFile, [report]() -> quillfen::Report& { return *report; },
                     state, progress, messages, {}, quillfen::OpenViews::tableOnly)
               : quillfen::AddStatement(*report, argv[i], workingFile, state, progress, messages);
    if (result.outcome != quillfen::OpenOutcome::opened) {
      std::fprintf(stderr, "not read: %s %s\n", argv[i], result.reason.c_str());
      status = 3;
    }
  }
  if (status == 0) std::printf("%d\n", report->full.TradeRows());
  return status;
}
