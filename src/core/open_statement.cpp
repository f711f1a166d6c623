#include "open_statement.h"

#include "import/statement_converter.h"
#include "import/statement_reader.h"
#include "import/text_pipe.h"
#include "import/ticket_sort.h"
#include "run_beside.h"

namespace quillfen {

namespace {

// Converts on a second thread while this one reads what is converted, so a
// large statement costs about the longer of the two, not their sum.
void ConvertAndRead(Report& report, const std::string& path, bool adding, Progress& progress,
                    Messages& messages) {
  TextPipe pipe;
  RunBeside(
      [&] {
        NoProgress none;  // progress belongs to the calling thread
        try {
          ConvertStatement(
              path, [&](std::string_view block) { return pipe.Write(block); }, none);
        } catch (...) {
          pipe.CloseWriter();
          throw;
        }
        pipe.CloseWriter();
      },
      [&] {
        ReadStatement(report, pipe, adding, progress, messages);
        pipe.CloseReader();
      },
      [&] { pipe.CloseReader(); });
}

}  // namespace

bool OpenStatementFile(Report& report, const std::string& path, bool adding, Progress& progress,
                       Messages& messages) {
  if (!IsStatementFile(path)) return false;
  report.statements.push_back(path);
  ConvertAndRead(report, path, adding, progress, messages);
  if (adding) SortByTicket(report);
  return true;
}

}  // namespace quillfen
