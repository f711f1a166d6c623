#pragma once

#include <array>
#include <string_view>

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

}  // namespace quillfen
