#include "import/statement_words.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "text/byte_search.h"

namespace quillfen {

namespace {

// What TrimmedView takes off a word's ends; a word holds no blank.
bool TrimmedEnd(char c) {
  return c == '_' || (c >= '\t' && c <= '\r');
}

// Bit k set when text[k] is a blank, or lies past the end of the text.
std::uint64_t BlankMask(const char* text, std::size_t size) {
  using Blanks = Stops<' ', '\t'>;
  if (size >= 64) return Blanks::Mask(text);
  alignas(16) char padded[64] = {};
  std::memcpy(padded, text, size);
  return Blanks::Mask(padded) | (~std::uint64_t{0} << size);
}

}  // namespace

// Words start and end where a blank follows a non-blank or the other way
// round; 64 characters are classified at once and the edges taken from the
// bits. Past the end all is blank, so a last word ends there.
StatementWords::StatementWords(std::string_view line) {
  const char* const text = line.data();
  std::size_t first = 0;
  std::uint64_t blankBefore = 1;  // the line starts as after a blank
  for (std::size_t block = 0; block < line.size(); block += 64) {
    const std::size_t size = std::min<std::size_t>(64, line.size() - block);
    const std::uint64_t blank = BlankMask(text + block, size);
    const std::uint64_t previous = (blank << 1) | blankBefore;
    blankBefore = blank >> 63;
    for (std::uint64_t edges = (blank ^ previous); edges != 0; edges &= edges - 1) {
      const auto bit = static_cast<std::size_t>(__builtin_ctzll(edges));
      if (!((blank >> bit) & 1)) {
        first = block + bit;
        continue;
      }
      Keep(text + first, text + block + bit);
      if (count_ == kKept) return;
    }
  }
  if (!blankBefore && count_ < kKept) Keep(text + first, text + line.size());
}

// Words start and end where a blank follows a non-blank or the other way
// round: 64 characters are classified at once and the edges taken from the
// bits.
void LineWords(std::string_view line, std::vector<LineWord>& words) {
  words.clear();
  std::size_t first = 0;
  std::uint64_t blankBefore = 1;  // the line starts as after a blank
  for (std::size_t block = 0; block < line.size(); block += 64) {
    const std::uint64_t blank =
        BlankMask(line.data() + block, std::min<std::size_t>(64, line.size() - block));
    const std::uint64_t previous = (blank << 1) | blankBefore;
    blankBefore = blank >> 63;
    for (std::uint64_t edges = blank ^ previous; edges != 0; edges &= edges - 1) {
      const auto bit = static_cast<std::size_t>(__builtin_ctzll(edges));
      if ((blank >> bit) & 1)
        words.push_back({line.substr(first, block + bit - first), block + bit});
      else
        first = block + bit;
    }
  }
  if (!blankBefore) words.push_back({line.substr(first), line.size()});
}

// A deal row has 13 to 15 cells; room for them is made once.
std::vector<LineWord> LineWords(std::string_view line) {
  constexpr std::size_t kRowWords = 16;
  std::vector<LineWord> words;
  words.reserve(kRowWords);
  LineWords(line, words);
  return words;
}

void StatementWords::Keep(const char* first, const char* last) {
  while (last > first && TrimmedEnd(last[-1])) --last;
  while (first < last && TrimmedEnd(*first)) ++first;
  words_[static_cast<std::size_t>(count_++)] =
      std::string_view(first, static_cast<std::size_t>(last - first));
}

}  // namespace quillfen
