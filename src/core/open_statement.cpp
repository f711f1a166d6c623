#include "open_statement.h"

#include <filesystem>
#include <system_error>

#include "import/statement_converter.h"
#include "import/statement_reader.h"
#include "import/ticket_sort.h"

namespace quillfen {

bool OpenStatementFile(Report& report, const std::string& path, const std::string& textFilePath,
                       bool adding, Progress& progress, Messages& messages) {
  std::error_code error;
  if (!StatementToText(path, textFilePath, progress) ||
      !std::filesystem::exists(textFilePath, error))
    return false;
  report.statements.push_back(path);
  ReadStatement(report, textFilePath, adding, progress, messages);
  std::filesystem::remove(textFilePath, error);
  if (adding) SortByTicket(report);
  return true;
}

}  // namespace quillfen
