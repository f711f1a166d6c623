#include "import/statement_words.h"

namespace quillfen {

StatementWords::StatementWords(std::string_view line) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t i = 0;
  while (count_ < kKept) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i == line.size()) break;
    std::size_t start = i;
    while (i < line.size() && !blank(line[i])) ++i;
    words_[static_cast<std::size_t>(count_++)] = TrimmedView(line.substr(start, i - start));
  }
}

}  // namespace quillfen
