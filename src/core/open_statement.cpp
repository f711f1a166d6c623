#include "open_statement.h"

#include <exception>
#include <thread>

#include "import/statement_converter.h"
#include "import/statement_reader.h"
#include "import/text_pipe.h"
#include "import/ticket_sort.h"

namespace quillfen {

namespace {

// Converts on a second thread while this one reads what is converted, so a
// large statement costs about the longer of the two, not their sum.
void ConvertAndRead(Report& report, const std::string& path, bool adding, Progress& progress,
                    Messages& messages) {
  TextPipe pipe;
  std::exception_ptr failure;
  std::thread converter([&] {
    try {
      NoProgress none;  // progress belongs to the calling thread
      ConvertStatement(
          path, [&](std::string_view block) { return pipe.Write(block); }, none);
    } catch (...) {
      failure = std::current_exception();
    }
    pipe.CloseWriter();
  });
  try {
    ReadStatement(report, pipe.Reader(), adding, progress, messages);
  } catch (...) {
    pipe.CloseReader();
    converter.join();
    throw;
  }
  pipe.CloseReader();
  converter.join();
  if (failure) std::rethrow_exception(failure);
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
