// The converter's quick roads against their plain twins: the stripper's road
// for rows of whole tags against its stop-by-stop reading, and the quick look
// for overlong numbers against counting every byte, on hand-made lines, random
// lines, the fixtures, generated pages of every kind and the real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../support/plain_lines.h"
#include "../support/temp_dir.h"
#include "import/converted_line.h"
#include "import/plain_row.h"
#include "import/statement_converter.h"
#include "text/utf16.h"
#include "twins/overlong_number.h"

namespace quillfen {
namespace {

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The display lines of a page as the converter reads them, a UTF-16 page decoded.
std::vector<std::string> DisplayLines(const std::filesystem::path& path) {
  std::string bytes = FileBytes(path);
  if (const Utf16Order order = DetectUtf16(bytes); order != Utf16Order::none) {
    std::string text;
    Utf16Decoder decoder(order);
    EXPECT_TRUE(decoder.Decode(bytes, true, text)) << path;
    bytes.swap(text);
  }
  return PlainLines(bytes, true);
}

// The lines go through a quick and a plain stripper one after another, as the
// converter hands them over: both must take or leave each line alike and give
// the same text, dropped blanks and state for the next line. Adds how many
// lines the quick road took to quickLines.
void ExpectQuickStripperEqualsPlain(const std::vector<std::string>& lines, const std::string& name,
                                    int& quickLines) {
  TagStripper quick;
  TagStripper plain(false);
  std::vector<char> out;
  std::vector<std::size_t> dropped;
  for (const std::string& line : lines) {
    if (plain.State().markup == Markup::none) {
      out.resize(line.size() + kPlainRowSlack);
      std::size_t length = 0;
      quickLines += StripPlainRow(line, out.data(), length, dropped);
    }
    std::string quickText = line;
    std::string plainText = line;
    const bool quickTook = quick.StripIfPlain(quickText);
    ASSERT_EQ(quickTook, plain.StripIfPlain(plainText)) << name << ": " << line;
    if (!quickTook) {
      quick.Strip(quickText);
      plain.Strip(plainText);
    }
    ASSERT_EQ(quickText, plainText) << name << ": " << line;
    ASSERT_EQ(quick.DroppedBlanks(), plain.DroppedBlanks()) << name << ": " << line;
    ASSERT_EQ(quick.State(), plain.State()) << name << ": " << line;
  }
}

void ExpectOverlongNumbersAgree(const std::vector<std::string>& lines, const std::string& name) {
  TagStripper stripper;
  for (std::string line : lines) {
    const std::string_view text = ConvertDisplayLine(line, stripper);
    ASSERT_EQ(HasOverlongNumber(text), testing::HasOverlongNumberByteByByte(text))
        << name << ": " << text;
  }
}

TEST(ConverterQuickRoads, AgreeOnHandMadeLines) {
  const std::vector<std::string> lines = {
      "",
      "   <tr bgcolor=\"#F7F7F7\" align=right><td>2049.02.01 01:25:43</td><td>180944</td>"
      "<td>XAUUSD</td><td>sell</td><td>out</td><td>0.01</td><td>2610.04</td><td>178340</td>"
      "<td>-0.03</td><td>-0.33</td><td>0.88</td><td>-124 591.89</td><td></td></tr>",
      "<td>1 2 3</td><td>4 5:6</td><td>7 8 9:0</td><td>1 000 000.00</td>",
      "12 34 5",
      "1 2",
      "<td title=\"a>b\">x</td>",
      "<td title=\"a<b\">x</td>",
      "<td title='it''s'>x</td>",
      "<td title=\"it's\">x</td>",
      "it's <td>x</td> \"quoted\" text",
      "<td title=\"#1 one\" class=\"a\">5</td>",
      "<td title=\"open",
      "still open\">5</td>",
      "<td",
      " nowrap>5</td>",
      "a > b",
      "a < b",
      "<1",
      "x<",
      "<td>a-b</td><td>-1</td><td>--</td>",
      "<td class=a--b>-</td>-",
      "<td>&nbsp;</td>",
      "<b>bold</b>",
      "<td><b>x</b></td>",
      "<Br>",
      "<!-- c -->",
      "<?x?>",
      "<td>buy stop</td><td>sell limit</td><i>close</i>by",
      "<td>1</td>" + std::string(200, ' ') + "<td>2 3</td>",
      std::string(63, 'x') + "<td>1 2</td>",
      std::string(64, '1') + " 2",
      std::string(62, ' ') + "1 2:3",
      std::string(63, '<') + "td>",
      std::string(60, 'a') + "<td title=\"" + std::string(70, 'q') + "\">" + std::string(70, '7'),
      "\t<td>\t1\t</td>\x01\xff",
  };
  int quickLines = 0;
  ExpectQuickStripperEqualsPlain(lines, "hand-made", quickLines);
  ExpectOverlongNumbersAgree(lines, "hand-made");
  // Each line on its own after every shift across the 64-byte steps.
  for (const std::string& line : lines)
    for (std::size_t shift = 0; shift < 70; ++shift)
      ExpectQuickStripperEqualsPlain({std::string(shift, shift % 3 ? ' ' : '1') + line}, "shifted",
                                     quickLines);
}

// Random rows of the pieces a row is made of, tricky ones among them, in
// lengths that cross the 64-byte steps many times.
TEST(ConverterQuickRoads, AgreeOnRandomRows) {
  const std::vector<std::string> pieces = {"<td>",
                                           "</td>",
                                           "<tr bgcolor=\"#F7F7F7\" align=right>",
                                           "<td class=msdate nowrap>",
                                           "<td title=\"#12 ea[sl]\">",
                                           "</tr>",
                                           "1",
                                           "2",
                                           "0",
                                           "9",
                                           ".",
                                           ":",
                                           " ",
                                           "  ",
                                           "-",
                                           "a",
                                           "buy",
                                           "stop",
                                           "sell",
                                           "limit",
                                           "close",
                                           "by",
                                           "e",
                                           "y",
                                           "l",
                                           "s",
                                           "\"",
                                           "'",
                                           ">",
                                           "<",
                                           "<b>",
                                           "&nbsp;",
                                           "&",
                                           "--",
                                           "<!--",
                                           "-->",
                                           "<br>",
                                           "x",
                                           "1234567890",
                                           "12345678"};
  std::mt19937 random(260301);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> percent(0, 99);
  int quickLines = 0;
  for (int page = 0; page < 2000; ++page) {
    // Most pages leave out the pieces that turn the quick road away.
    const bool plainPieces = percent(random) < 70;
    std::vector<std::string> lines;
    for (int n = std::uniform_int_distribution<int>(1, 6)(random); n > 0; --n) {
      std::string line;
      const int count = std::uniform_int_distribution<int>(0, 90)(random);
      for (int k = 0; k < count; ++k) {
        const std::string& piece = pieces[pick(random)];
        if (plainPieces && (piece.find_first_of("&'!") != std::string::npos || piece == "<" ||
                            piece == ">" || piece == "--" || piece == "<b>" || piece == "<br>"))
          continue;
        line += piece;
      }
      lines.push_back(line);
    }
    ExpectQuickStripperEqualsPlain(lines, "random page " + std::to_string(page), quickLines);
    if (HasFatalFailure()) return;
    ExpectOverlongNumbersAgree(lines, "random page " + std::to_string(page));
  }
  EXPECT_GT(quickLines, 1500);  // the quick road was taken often enough to count
}

// Every line of the fixtures, of a page of each kind the generator writes and
// of the real files beside the project; the quick road takes most rows.
TEST(ConverterQuickRoads, AgreeOnEveryPage) {
  std::vector<std::filesystem::path> pages;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLFEN_FIXTURES))
    pages.push_back(entry.path());
  testing::TempDir dir;
  const std::vector<std::string> kinds = {
      "--kind statement --magic-tooltips --commission --open 20 --pending 10 --working 5",
      "--kind statement --magic --no-seconds --whole-money --lf-rows --language ru",
      "--kind tester --swap-reopen 10 --modify 20 --close-at-stop 5 --pending 10",
      "--kind tester --language ja",
      "--kind mt5-tester --commission --pending 20",
      "--kind mt5-tester --language ja",
      "--kind mt5-history --deals-columns 15 --open 10 --working 5",
      "--kind mt5-history --deals-columns 14 --language ja"};
  std::vector<std::filesystem::path> generated;
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    const std::string path = dir / ("page" + std::to_string(k) + ".htm");
    const std::string command = std::string(QUILLFEN_MAKE_STATEMENT) + " -n 400 --seed " +
                                std::to_string(k + 1) + " " + kinds[k] + " -o " + path;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    generated.push_back(path);
  }
  const std::filesystem::path real(QUILLFEN_STATEMENTS);
  if (std::filesystem::exists(real))
    for (const auto& entry : std::filesystem::recursive_directory_iterator(real))
      if (entry.path().extension() == ".htm" || entry.path().extension() == ".html")
        pages.push_back(entry.path());
  for (const auto& page : pages) {
    const std::vector<std::string> lines = DisplayLines(page);
    int quickLines = 0;
    ExpectQuickStripperEqualsPlain(lines, page.string(), quickLines);
    ExpectOverlongNumbersAgree(lines, page.string());
  }
  for (std::size_t k = 0; k < generated.size(); ++k) {
    const std::vector<std::string> lines = DisplayLines(generated[k]);
    int quickLines = 0;
    ExpectQuickStripperEqualsPlain(lines, kinds[k], quickLines);
    ExpectOverlongNumbersAgree(lines, kinds[k]);
    EXPECT_GT(quickLines * 2, static_cast<int>(lines.size())) << kinds[k];
  }
}

// Lines with words of 15 and 16 digits, blanks and other bytes around them,
// wherever the 64-byte steps fall.
TEST(ConverterQuickRoads, OverlongNumbersAgreeOnRandomWords) {
  std::mt19937 random(16);
  const std::string bytes = "0123456789 .-x";
  std::uniform_int_distribution<std::size_t> pick(0, bytes.size() - 1);
  std::vector<std::string> lines;
  for (int n = 0; n < 20000; ++n) {
    std::string line(std::uniform_int_distribution<std::size_t>(0, 200)(random), ' ');
    for (char& c : line) c = bytes[pick(random)];
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, line.size())(random);
    line.insert(at, std::string(std::uniform_int_distribution<std::size_t>(14, 17)(random), '7'));
    lines.push_back(line);
  }
  for (const std::string& line : lines)
    ASSERT_EQ(HasOverlongNumber(line), testing::HasOverlongNumberByteByByte(line)) << line;
}

}  // namespace
}  // namespace quillfen
