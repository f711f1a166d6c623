// Writes the input as a statement file and puts it through the statement
// checks: opened converting and reading side by side, then added again.
#include <cstdint>
#include <string>
#include <string_view>

#include "statement_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillfen::fuzz;
  const std::string source = ScratchFolder() + "/statement.htm";
  WriteFile(source, std::string_view(reinterpret_cast<const char*>(data), size));
  CheckStatement(source, ScratchFolder() + "/statement.tmp");
  return 0;
}
