#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "text/text_conversions.h"

namespace quillfen {

// The first words of a converted statement line, taken once; the reader never
// looks past word 15, so a line of any length costs the same.
class StatementWords {
 public:
  static constexpr int kKept = 16;

  explicit StatementWords(std::string_view line);

  bool Has(int n) const { return n < count_; }
  // Empty when the line has no word n.
  std::string_view operator[](int n) const { return Has(n) ? words_[n] : std::string_view(); }
  bool Contains(int n, std::string_view text) const { return quillfen::Contains((*this)[n], text); }

 private:
  void Keep(const char* first, const char* last);

  std::array<std::string_view, kKept> words_{};
  int count_ = 0;
};

// A word of a line, and where it ends in the line.
struct LineWord {
  std::string_view text;
  std::size_t end = 0;
};

// Every word of a line, split at blanks and tabs and not trimmed, as an
// MT5 row's cells are read.
std::vector<LineWord> LineWords(std::string_view line);
// The same into words, whose room is kept from line to line.
void LineWords(std::string_view line, std::vector<LineWord>& words);

}  // namespace quillfen
