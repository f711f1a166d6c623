#include "text/bounded_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quillfen {
namespace {

using namespace std::string_literals;

std::vector<std::string> ReadAll(const std::string& text, std::size_t limit) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  std::string line;
  while (ReadBoundedLine(in, limit, line)) lines.push_back(line);
  return lines;
}

TEST(BoundedLine, KeepsLineEndsAndCutsLongLines) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(ReadAll("", 4), Lines{});
  EXPECT_EQ(ReadAll("ab\r\ncd", 4), (Lines{"ab\r\n", "cd"}));
  EXPECT_EQ(ReadAll("\n\n", 4), (Lines{"\n", "\n"}));
  EXPECT_EQ(ReadAll("abcdefghij\n", 4), (Lines{"abcd", "efgh", "ij\n"}));
  EXPECT_EQ(ReadAll("abc\n", 3), (Lines{"abc", "\n"}));
  EXPECT_EQ(ReadAll("a\0b\rc\n"s, 8), (Lines{"a\0b\rc\n"s}));
}

TEST(BoundedLine, TakesNoMoreThanTheLimitFromAHugeLine) {
  std::istringstream in(std::string(10'000'000, 'x'));
  std::string line;
  ASSERT_TRUE(ReadBoundedLine(in, 1023, line));
  EXPECT_EQ(line, std::string(1023, 'x'));
  EXPECT_EQ(in.tellg(), 1023);
}

}  // namespace
}  // namespace quillfen
