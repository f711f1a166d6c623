#include "text/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../support/plain_lines.h"

namespace quillfen {
namespace {

using namespace std::string_literals;

constexpr std::size_t kBuffer = 1 << 16;  // what the reader takes from the file at once

struct Lines {
  std::vector<std::string> read;     // by ReadLine
  std::vector<std::string> scanned;  // by ScanLine, the pieces joined
  long long consumed = 0;
};

Lines ReadAll(std::string text, bool breakTags) {
  Lines lines;
  for (bool scan : {false, true}) {
    std::FILE* file = fmemopen(text.data(), text.size(), "rb");
    EXPECT_NE(file, nullptr);
    LineReader reader(file, breakTags, static_cast<long long>(text.size()));
    std::string line;
    while (scan ? reader.ScanLine([&](std::string_view piece) { line.append(piece); })
                : reader.ReadLine(line)) {
      (scan ? lines.scanned : lines.read).push_back(line);
      line.clear();
    }
    lines.consumed = reader.Consumed();
    std::fclose(file);
  }
  return lines;
}

TEST(LineReader, EndsLinesAtCrLfAndBreakTags) {
  const std::string text = "a\r\nb\rc\n\rd<br>e<BR><Br>f<bR>g\0h<b\0r>\r\n\n"s;
  Lines withTags = ReadAll(text, true);
  EXPECT_EQ(withTags.read, (std::vector<std::string>{"a", "b", "c", "", "d<br>", "e<BR>", "<Br>",
                                                     "f<bR>g h<b r>", ""}));
  EXPECT_EQ(withTags.scanned, withTags.read);
  EXPECT_EQ(withTags.consumed, static_cast<long long>(text.size()));
  EXPECT_EQ(ReadAll(text, false).read,
            (std::vector<std::string>{"a", "b", "c", "", "d<br>e<BR><Br>f<bR>g h<b r>", ""}));
  EXPECT_EQ(ReadAll("last", true).read, std::vector<std::string>{"last"});
  EXPECT_EQ(ReadAll("last\r", true).read, std::vector<std::string>{"last"});
}

// A line end or break tag cut by the end of the buffer, after short lines or
// inside a line longer than the buffer, ends the line as it does elsewhere.
TEST(LineReader, BufferEndsCutNoLineEndNorBreakTag) {
  const std::string joints[] = {"\r\n", "\n\r",  "\r\r\n",  "<br>",     "<BR>",     "<Br>",
                                "<bR>", "<<br>", "<b\0r>"s, "x\0\r\n"s, "<br><br>", "<b\r\nr>"};
  const std::string fillers[] = {"<tr><td>1 2</td><td>buy</td></tr>\r\n", "x"};
  for (const std::string& joint : joints) {
    for (const std::string& filler : fillers) {
      for (std::size_t before = 0; before <= joint.size() + 1; ++before) {
        std::string text;
        while (text.size() < kBuffer - before) text += filler;
        text.resize(kBuffer - before);
        text += joint + "after";
        for (bool breakTags : {false, true}) {
          const Lines lines = ReadAll(text, breakTags);
          const auto expected = PlainLines(text, breakTags);
          ASSERT_EQ(lines.read, expected) << joint << " " << before << " " << filler.size();
          ASSERT_EQ(lines.scanned, expected) << joint << " " << before << " " << filler.size();
          ASSERT_EQ(lines.consumed, static_cast<long long>(text.size()));
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillfen
