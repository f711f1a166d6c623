#include "import/statement_words.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quillfen {
namespace {

// Words as a plain reading gives them: split at blanks and tabs, each trimmed.
std::vector<std::string_view> PlainWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t start = line.find_first_not_of(" \t", i);
    if (start == std::string_view::npos) break;
    std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words.push_back(TrimmedView(line.substr(start, end - start)));
    i = end;
  }
  return words;
}

// Lines of every length around the 64-character steps, with words of the
// characters a word's ends lose, and more words than are kept.
TEST(StatementWords, AgreeWithAPlainSplitOnRandomLines) {
  const char* pieces[] = {" ", "  ", "\t", "_", "\r", "1", "buy", "2023.01.03", "x_y", "-0.70"};
  std::mt19937 random(17);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 90);
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    for (int k = length(random); k > 0; --k) line += pieces[pick(random)];
    const StatementWords words(line);
    const std::vector<std::string_view> plain = PlainWords(line);
    for (int i = 0; i < StatementWords::kKept; ++i) {
      const bool has = static_cast<std::size_t>(i) < plain.size();
      ASSERT_EQ(words.Has(i), has) << i << " [" << line << "]";
      if (has) {
        ASSERT_EQ(words[i], plain[static_cast<std::size_t>(i)]) << i << " [" << line << "]";
      }
    }
  }
}

// Every word as a plain reading gives it, untrimmed, one character at a time.
std::vector<LineWord> PlainLineWords(std::string_view line) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::vector<LineWord> words;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !blank(line[i])) ++i;
    if (i > start) words.push_back({line.substr(start, i - start), i});
  }
  return words;
}

// Around the 64-character steps, with words across them and blanks at both ends.
TEST(LineWords, AgreeWithAPlainSplitOnRandomLines) {
  const char* pieces[] = {" ", "  ", "\t", "_", "\r", "1", "buy", "2023.01.03", "x_y", "-0.70"};
  std::mt19937 random(23);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 120);
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    for (int k = length(random); k > 0; --k) line += pieces[pick(random)];
    const std::vector<LineWord> words = LineWords(line);
    const std::vector<LineWord> plain = PlainLineWords(line);
    ASSERT_EQ(words.size(), plain.size()) << "[" << line << "]";
    for (std::size_t i = 0; i < plain.size(); ++i) {
      ASSERT_EQ(words[i].text, plain[i].text) << i << " [" << line << "]";
      ASSERT_EQ(words[i].end, plain[i].end) << i << " [" << line << "]";
    }
  }
}

}  // namespace
}  // namespace quillfen
