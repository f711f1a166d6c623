#include "import/statement_words.h"

#include "import/byte_search.h"

namespace quillfen {

namespace {

// What TrimmedView takes off a word's ends; a word holds no blank.
bool TrimmedEnd(char c) {
  return c == '_' || (c >= '\t' && c <= '\r');
}

}  // namespace

StatementWords::StatementWords(std::string_view line) {
  const char* p = line.data();
  const char* const end = p + line.size();
  while (count_ < kKept) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (p == end) break;
    const char* first = p;
    p = FindFirstOf<' ', '\t'>(p, end);
    const char* last = p;
    while (last > first && TrimmedEnd(last[-1])) --last;
    while (first < last && TrimmedEnd(*first)) ++first;
    words_[static_cast<std::size_t>(count_++)] =
        std::string_view(first, static_cast<std::size_t>(last - first));
  }
}

}  // namespace quillfen
