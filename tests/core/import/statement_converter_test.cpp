#include "import/statement_converter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string_view>
#include <vector>

#include "../report_invariants.h"
#include "../support/road_read.h"
#include "../support/utf16_bytes.h"
#include "import/printed_figures.h"
#include "import_test_support.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

using namespace std::string_literals;

TEST(TagStripper, KeepsTheTextBetweenTags) {
  struct Case {
    const char* line;
    const char* text;
  };
  const Case cases[] = {
      {"<td>1</td><td>2</td>", " 1  2 "},
      {"<td>10 000.00</td>", " 10000.00 "},  // thousands blank
      {"<td>-1 084 600.50</td>", " -1084600.50 "},
      {"<td>2010.01.04 10:00</td>", " 2010.01.04 10:00 "},  // a time follows: kept
      {"<td>2024.11.27 14:14:01</td>", " 2024.11.27 14:14:01 "},
      {"<td title=\"a>b\">x</td>", " x "},  // ">" inside quotes closes nothing
      {"<td title='a>b'>x</td>", " x "},
      {"<td title=\"a<b #777\">x</td>", " x "},  // nor does "<" open anything
      {"<p title=\"1<2\" class='it'>x", " x"},
      {"a > b", "a   b"},                                    // a stray ">" still reads as a closing
      {"1 < 2, 3<4, a<-b, <<p>x", "1 < 2, 3<4, a<-b, < x"},  // "<" before no tag name is text
      {"<!DOCTYPE html>rest", " rest"},
      {"<?xml version=\"1.0\"?>rest", " rest"},
      {"<!-- a < b -->x<!-- c > d -->y", " x y"},
      {"<!-->x<!--->y<!---->z", " x y z"},  // comments that end where they start
      {"a--b---c", "ab-c"},                 // dashes in pairs go from shown text
      {"<td>buy stop</td><td>sell limit</td><td>sell limit</td>",
       " buy_stop  sell_limit  sell limit "},
      {"<td>close by</td>", " close_by "},
      {"<td>buy limit</td> sell stop", " buy_limit  sell_stop"},
      {"12 34", "1234"},
      {"4 10:00", "4 10:00"},
      {"1 2:3", "12:3"},  // the time test looks three places on, not at the colon
  };
  for (const Case& c : cases) {
    TagStripper stripper;
    std::string line = c.line;
    stripper.Strip(line);
    EXPECT_EQ(line, c.text) << c.line;
    EXPECT_EQ(stripper.State(), MarkupState{}) << c.line;
  }
}

// A tag, a quoted value or a comment left open at a line end goes on in the
// next line; a quoted value that a line end passed through ends at the tag's
// end at the latest, so one stray quote hides no more than that tag.
TEST(TagStripper, MarkupCarriesAcrossLines) {
  const std::vector<std::vector<std::string>> pages = {
      {"<td", " class=\"a\" nowrap>5</td><style>", "hidden", "</style>x"},
      {"", " 5  ", "hidden", " x"},
      {"<td title=\"#1", "two\">5</td>"},
      {"", " 5 "},
      {"<meta x=\"", "<title>Statement</title>", "<td title=\"#1\">5</td>"},
      {"", " Statement ", " 5 "},
      {"<meta name=x", "<title>Statement</title>"},
      {"", " Statement "},
      {"<style><!--", "td { font: 8pt; }", "//-->", "a<!-- x", "y -- z >", "-->b"},
      {" ", "", " ", "a", "", " b"},
  };
  for (std::size_t page = 0; page < pages.size(); page += 2) {
    TagStripper stripper;
    for (std::size_t i = 0; i < pages[page].size(); ++i) {
      std::string line = pages[page][i];
      stripper.Strip(line);
      EXPECT_EQ(line, pages[page + 1][i]) << pages[page][i];
    }
    EXPECT_EQ(stripper.State(), MarkupState{}) << page;
  }
}

// The stripping rules applied one character at a time, with no scan ahead and
// no step over a whole tag: what the stripper's quick scans must give.
class ReferenceStripper {
 public:
  std::string Strip(std::string_view line) {
    auto at = [&](std::size_t k) { return k < line.size() ? line[k] : '\0'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    char previous = '\0';
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      bool closing = false;
      switch (state_.markup) {
        case Markup::none:
          if (c == '<' && at(i + 1) == '!' && at(i + 2) == '-' && at(i + 3) == '-') {
            state_.markup = Markup::comment;
            ++i;
          } else if (c == '<' && (at(i + 1) == '!' || at(i + 1) == '?')) {
            state_.markup = Markup::declaration;
          } else if (c == '<' && (at(i + 1) == '/' || letter(at(i + 1)))) {
            state_.markup = Markup::tag;
          } else if (c == '>') {
            closing = true;
          } else if (c == '-' && at(i + 1) == '-') {
            ++i;
          } else if (!(c == ' ' && digit(previous) && digit(at(i + 1)) && at(i + 3) != ':')) {
            text += c;
          }
          break;
        case Markup::tag:
          if (c == '"' || c == '\'') {
            state_ = {Markup::quoted, c};
          } else if (c == '>') {
            state_.markup = Markup::none;
            closing = true;
          }
          break;
        case Markup::quoted:
          if (c == state_.quote) {
            state_ = {Markup::tag};
          } else if (c == '>' && state_.quoteCrossedLine) {
            state_ = {};
            closing = true;
          }
          break;
        case Markup::declaration:
          closing = c == '>';
          if (closing) state_.markup = Markup::none;
          break;
        case Markup::comment:
          closing = c == '-' && at(i + 1) == '-' && at(i + 2) == '>';
          if (closing) {
            state_.markup = Markup::none;
            i += 2;
          }
          break;
      }
      if (closing) text += ' ';
      previous = closing ? '>' : c;
    }
    if (state_.markup == Markup::quoted) state_.quoteCrossedLine = true;
    for (std::string_view type : {"buy stop", "buy limit", "sell stop", "sell limit", "close by"}) {
      const std::size_t found = text.find(type);
      if (found != std::string::npos) text[found + type.find(' ')] = '_';
    }
    return text;
  }
  const MarkupState& State() const { return state_; }

 private:
  MarkupState state_;
};

// Random lines of the characters the stripper stops at, in runs around and
// beyond its 64-byte steps, go through one stripper after another as the
// lines of a page do. Each line takes either road; where the plain road
// declines, the line and the state must be untouched and a replacement must
// indeed start in the line.
TEST(TagStripper, AgreesWithThePlainRulesOnRandomLines) {
  std::vector<std::string> pieces = {
      "&nbsp;", "&nbsp;",   "td",         "<td>",     "</td>", "y s",         "l b",
      "e l",    "buy stop", "sell limit", "close by", "<!--",  "-->",         "<?x",
      "< ",     "<1",       "a<b",        "=\"",      "='",    "<p title=\"", "<td title='"};
  for (char c : std::string_view("<<>>\"\"''!--BbrR&  \t123:/?")) pieces.emplace_back(1, c);
  std::mt19937 random(20240611);
  auto chance = [&](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
  };
  auto makeLine = [&](const std::vector<std::string>& alphabet) {
    const std::size_t lengths[] = {0, 8, 56, 120, 180, 250};
    const std::size_t from = lengths[std::uniform_int_distribution<int>(0, 5)(random)];
    const std::size_t length = std::uniform_int_distribution<std::size_t>(from, from + 16)(random);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string line;
    while (line.size() < length) line += alphabet[pick(random)];
    line.resize(length);  // may cut an "&nbsp;" or a tag
    return line;
  };
  int plain = 0;
  for (int page = 0; page < 3000; ++page) {
    // Each page leaves out some pieces, so that lines without "<!", "<b" or
    // "--" come often enough for the plain road.
    std::vector<std::string> alphabet = {"a", "x", " "};
    for (const std::string& piece : pieces)
      if (chance(60)) alphabet.push_back(piece);
    TagStripper stripper;
    ReferenceStripper reference;
    for (int n = std::uniform_int_distribution<int>(1, 8)(random); n > 0; --n) {
      const std::string line = makeLine(alphabet);
      std::string text = line;
      if (chance(50)) {
        const MarkupState state = stripper.State();
        if (stripper.StripIfPlain(text)) {
          ++plain;
          std::string blanks = line;
          ReplaceAll(blanks, "&nbsp;", " ");
          ASSERT_EQ(text, reference.Strip(blanks)) << page << ": " << line;
          ASSERT_EQ(stripper.State(), reference.State()) << page << ": " << line;
          continue;
        }
        ASSERT_EQ(text, line);
        ASSERT_EQ(stripper.State(), state) << page << ": " << line;
        ASSERT_TRUE(Contains(line, "<!") || Contains(line, "<B") || Contains(line, "<b") ||
                    Contains(line, "--"))
            << page << ": " << line;
      }
      stripper.Strip(text);
      ASSERT_EQ(text, reference.Strip(line)) << page << ": " << line;
      ASSERT_EQ(stripper.State(), reference.State()) << page << ": " << line;
    }
  }
  EXPECT_GT(plain, 1000);  // the plain road was taken often enough to count
}

// The two-word types are joined wherever they stand in a line of any length,
// the first occurrence of each; near misses are left alone.
TEST(ConvertDisplayLine, JoinsTwoWordTypesAnywhere) {
  const std::string types[] = {"buy stop", "buy limit", "sell stop", "sell limit", "close by"};
  const std::string misses[] = {"buys top", "buy  stop", "bu ystop", "sel l", "closeby"};
  for (std::size_t lead = 0; lead < 40; ++lead) {
    for (const std::string& type : types) {
      TagStripper stripper;
      std::string line = std::string(lead, 'x') + "a " + type + " 1 " + type;
      line = ConvertDisplayLine(line, stripper);
      std::string joined = type;
      joined[joined.find(' ')] = '_';
      EXPECT_EQ(line, std::string(lead, 'x') + "a " + joined + " 1 " + type) << lead;
    }
    for (const std::string& miss : misses) {
      TagStripper stripper;
      std::string line = std::string(lead, 'x') + "a " + miss + " 1";
      line = ConvertDisplayLine(line, stripper);
      EXPECT_EQ(line, std::string(lead, 'x') + "a " + miss + " 1") << lead;
    }
  }
}

TEST(ConvertDisplayLine, ReplacesThenStripsThenTrims) {
  struct Case {
    const char* line;
    const char* text;
  };
  const Case cases[] = {
      {"<td>1&nbsp;000.00</td>", "1000.00"},
      {"<td colspan=10>&nbsp;</td><td>777</td>", "777"},
      {"Statement: 1 - A<br>", "Statement: 1 - A"},
      {"<td>1.4325</td><!-- -  -7.00  -1.20  100.00--><td>10</td>",
       "1.4325   -7.00  -1.20  100.00  10"},
      {"<td>__x__</td>", "x"},
      {"    <!--", ""},
  };
  for (const Case& c : cases) {
    TagStripper stripper;
    std::string line = c.line;
    EXPECT_EQ(ConvertDisplayLine(line, stripper), c.text) << c.line;
  }
}

// The quick road (no replacement in sight) must give what the replacements
// followed by stripping give, on lines mixing every character that matters:
// short lines with any piece, and row-long lines of the pieces the quick road
// takes, so that its look-ahead crosses many 64-byte steps.
TEST(ConvertDisplayLine, QuickRoadAgreesWithTheReplacements) {
  const std::vector<std::string> quick = {"<",
                                          ">",
                                          "\"",
                                          " ",
                                          "-",
                                          "&nbsp;",
                                          "1",
                                          "a",
                                          ":",
                                          "<td>",
                                          "</td>",
                                          "!",
                                          "B",
                                          "\t",
                                          "2 3",
                                          "r>",
                                          "&",
                                          "&nbsp",
                                          "buy stop",
                                          "1&nbsp;2",
                                          "4 5",
                                          "6&nbsp;:",
                                          "<td style=\"x:0\\.00;\" align=right>"};
  std::vector<std::string> any = quick;
  any.insert(any.end(), {"--", "<!", "<br>", "<b", "<!-- -", "<--"});
  std::mt19937 random(7);
  auto makeLine = [&](const std::vector<std::string>& pieces, int most) {
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string line;
    for (int k = std::uniform_int_distribution<int>(1, most)(random); k > 0; --k)
      line += pieces[pick(random)];
    return line;
  };
  for (int n = 0; n < 20000; ++n) {
    const std::string line = n % 2 ? makeLine(any, 12) : makeLine(quick, 120);
    for (const char* start : {"", "<x", "<x y=\"", "<!--", "<!x"}) {
      TagStripper quickRoad, replaced;
      std::string opening = start;
      quickRoad.Strip(opening);
      opening = start;
      replaced.Strip(opening);
      std::string text = line;
      text = ConvertDisplayLine(text, quickRoad);
      std::string expected = line;
      for (const char* from : {"<!-- -", "<BR>", "<Br>", "<br>"}) ReplaceAll(expected, from, "");
      ReplaceAll(expected, "&nbsp;", " ");
      replaced.Strip(expected);
      TrimCell(expected);
      ASSERT_EQ(text, expected) << start << line;
      ASSERT_EQ(quickRoad.State(), replaced.State()) << start << line;
    }
  }
}

struct Converted {
  bool statement;
  std::string text;
};

// Whether the converter reads the page whole, as the reading road reads it.
bool ConvertsWhole(const std::string& source, Progress& progress) {
  Conversion conversion = Conversion::notStatement;
  testing::ConvertedText(source, progress, &conversion);
  return conversion == Conversion::complete || conversion == Conversion::endsEarly;
}

Converted Convert(const std::string& content) {
  TempDir dir;
  NoProgress progress;
  Conversion conversion = Conversion::notStatement;
  std::string text =
      testing::ConvertedText(dir.Write("source.htm", content), progress, &conversion);
  const bool statement = conversion == Conversion::complete || conversion == Conversion::endsEarly;
  return {statement, statement ? std::move(text) : std::string()};
}

TEST(ConvertStatement, LooksForAMarkInTheFirstFiveDisplayLines) {
  struct Case {
    std::string content;
    bool statement;
  };
  const Case cases[] = {
      {"Statement: 1", true},
      {"a\nb\nc\nd\n<b>Strategy Tester Report</b>\n", true},
      {"a\nb\nc\nd\ne\nStatement\n", false},
      {"a\nb\nc\nd\nQuillfen 4.0\n", true},
      {"Marbelline", true},
      {"STATEMENT", false},  // case-sensitive
      {"Account tatement", true},
      // One CR LF pair is one line end: the mark stands on display line 5.
      {"a\r\nb\r\nc\r\nd\r\nStatement\r\n", true},
      {"a\rb\rc\rd\rStatement", true},
      {"a\n\rb\nc\nd\nStatement\n", false},  // LF then CR: two ends, the mark is on line 6
      // "<BR>" ends a display line.
      {"a<br>b<BR>c<Br>d<br>Statement", true},
      {"a<br>b<br>c<br>d<br>e<br>Statement", false},
      {"a<bR>b<bR>c<bR>d<bR>e<bR>Statement", true},
      {"", false},
      {std::string("\0\0\0\0", 4), false},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.content).statement, c.statement) << c.content;
}

TEST(ConvertStatement, WritesTheNonEmptyConvertedLines) {
  Converted converted = Convert(
      "<html><title>Statement: 7</title>\r\n\r\n<table>\r\n"
      "<tr><td>1</td><td>2010.01.04 10:00</td><td>buy stop</td></tr>\r\n"
      "<tr><td>a\0b</td></tr>\r\n"
      "<tr><td>whole last row</td></tr>"s);
  EXPECT_TRUE(converted.statement);
  EXPECT_EQ(converted.text, "Statement: 7\n1  2010.01.04 10:00  buy_stop\na b\nwhole last row\n");
}

// A dropped thousands blank is named on a line of its own ahead of its line,
// so that the figures can be read as printed; the line itself stays as before
// and a line that lost no blank gets no such line.
TEST(ConvertStatement, NamesWhereAThousandsBlankWent) {
  Converted converted = Convert(
      "<html><title>Statement: 7</title>\r\n"
      "  <tr><td>Gross Profit:</td><td><b>1 328.15</b></td></tr>\r\n"
      "<tr><td>1 234 567.00 (18.13%)</td><td>2 000</td></tr>\r\n"
      "<tr><td>Bars:</td><td><b>6172</b></td><td>4 10:00</td></tr>\r\n"s);
  EXPECT_EQ(converted.text,
            "Statement: 7\n"
            "\x03"
            "17\n"
            "Gross Profit:   1328.15\n"
            "\x03"
            "1 4 22\n"
            "1234567.00 (18.13%)  2000\n"
            "Bars:   6172   4 10:00\n");
  EXPECT_EQ(PrintedLine("Gross Profit:   1328.15",
                        "\x03"
                        "17"),
            "Gross Profit:   1 328.15");
  EXPECT_EQ(PrintedLine("1234567.00 (18.13%)  2000",
                        "\x03"
                        "1 4 22"),
            "1 234 567.00 (18.13%)  2 000");
  EXPECT_EQ(PrintedLine("6172", ""), "6172");
  // Places that are no place in the line are passed over.
  EXPECT_EQ(PrintedLine("12",
                        "\x03"
                        "0 9 x"),
            "12");
}

// A file cut inside a row would make a trade up from the row's beginning.
TEST(ConvertStatement, DropsALastLineCutShort) {
  const std::string head = "<html>Statement\n<tr><td>1</td></tr>\n";
  for (const char* cut :
       {"<tr><td>2</td><td>buy", "<tr><td>2</td><td>buy</td>", "<tr><td>2</td></tr><tr><td>3</td>",
        "<tr align=right><td>2</td>", "<td>2</td><td>0.1", "<TR><TD>2</TD>"}) {
    EXPECT_EQ(Convert(head + cut).text, "Statement\n1\n") << cut;
  }
  for (const char* whole :
       {"<tr><td>2</td></tr>", "<TR><TD>2</TD></TR>  ", "<td>2</td>", "<tr><td>2</td></tr>\n"}) {
    EXPECT_EQ(Convert(head + whole).text, "Statement\n1\n2\n") << whole;
  }
}

TEST(ConvertStatement, KeepsLongLinesWhole) {
  std::string padding(5000, 'x');
  std::string row = "<tr title=\"" + padding + "\"><td>4711</td><td>" + padding + "</td></tr>";
  Converted converted = Convert("Statement\n" + row + "\n");
  EXPECT_EQ(converted.text, "Statement\n4711  " + padding + "\n");
  // Past 64 KB a line takes another road through the replacements.
  std::string longPadding(70000, 'y');
  std::string replaced = "<td>" + longPadding + "</td><td>10&nbsp;000.00</td><!-- -  -1.20-->";
  converted = Convert("Statement\n" + replaced + "\n" + replaced + "<br>" + longPadding + "</td>");
  const std::string text =
      "\x03"
      "70004\n" +
      longPadding + "  10000.00   -1.20";
  const std::string expected = "Statement\n" + text + "\n" + text + "\n" + longPadding + "\n";
  auto differ =
      std::mismatch(expected.begin(), expected.end(), converted.text.begin(), converted.text.end());
  EXPECT_TRUE(converted.text == expected)
      << "differs at " << differ.first - expected.begin() << ": "
      << std::string(differ.second, converted.text.end()).substr(0, 40);
}

TEST(ConvertStatement, ReportsProgressInBytesThenLines) {
  TempDir dir;
  const std::string content = "Statement\r\n<td>1</td>\n\n<td>2</td><br><td>3</td>";
  std::string source = dir.Write("source.htm", content);
  RecordingProgress progress;
  ASSERT_TRUE(ConvertsWhole(source, progress));
  ASSERT_EQ(progress.ranges.size(), 2u);
  EXPECT_EQ(progress.ranges[0], static_cast<long long>(content.size()));
  EXPECT_EQ(progress.ranges[1], 4);
  EXPECT_EQ(progress.position, 0);
  EXPECT_EQ(progress.pumps, 5);  // one per display line
}

// The bar counts the bytes on disk: a UTF-16 page, read as text half its
// size, still ends at the end of its range.
TEST(ConvertStatement, ProgressOfAUtf16PageEndsAtItsSize) {
  class EndOfBytes final : public Progress {
   public:
    void SetRange(long long maximum) override {
      if (ranges++ == 1) positionAtEnd = position;
      if (ranges == 1) range = maximum;
    }
    void SetPosition(long long at) override { position = at; }
    void Advance(long long by) override { position += by; }
    void Pump() override {}
    long long range = 0;
    long long position = 0;
    long long positionAtEnd = -1;
    int ranges = 0;
  };
  TempDir dir;
  std::u16string page = u"<html><title>Statement</title>\r\n";
  for (int row = 0; row < 200; ++row) page += u"<tr><td>1001</td><td>buy</td></tr>\r\n";
  page += u"</html>\r\n";
  const std::string bytes = testing::Utf16Bytes(page, Utf16Order::littleEndian, true);
  const std::string source = dir.Write("source.htm", bytes);
  EndOfBytes progress;
  ASSERT_TRUE(ConvertsWhole(source, progress));
  EXPECT_EQ(progress.range, static_cast<long long>(bytes.size()));
  EXPECT_EQ(progress.positionAtEnd, static_cast<long long>(bytes.size()));
}

TEST(ConvertStatement, TurnsAwayWhatIsNoFile) {
  TempDir dir;
  NoProgress progress;
  EXPECT_FALSE(ConvertsWhole(dir.File("missing.htm"), progress));
  EXPECT_FALSE(ConvertsWhole(dir.File(""), progress));  // the folder itself
  std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ConvertsWhole(fifo, progress));  // would block: never opened
}

TEST(ConvertAndReadStatement, BadInputNeverCrashesNorTouchesTheReport) {
  TempDir dir;
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary.push_back(static_cast<char>((i * 7919) % 256));
  const std::vector<std::string> rejected = {
      dir.Write("empty.htm", ""),
      dir.Write("binary.bin", binary),
      dir.Write("nul.htm", std::string(5000, '\0')),
      dir.File("missing.htm"),
      dir.File(""),
  };
  for (const auto& path : rejected) {
    Report report;
    EXPECT_FALSE(OpenFiles(report, {path})) << path;
    EXPECT_EQ(report.full.RowCount(), 2) << path;
    EXPECT_TRUE(report.statements.empty()) << path;
  }
}

TEST(ConvertAndReadStatement, DamagedStatementsReadWhatIsThere) {
  std::ifstream file(FixturePath("statement_taxes_column.htm"), std::ios::binary);
  std::stringstream whole;
  whole << file.rdbuf();
  const std::string html = whole.str();
  TempDir dir;
  for (std::size_t cut : {html.size() / 4, html.size() / 2, html.size() * 3 / 4, html.size() - 1}) {
    Report report;
    ASSERT_TRUE(OpenFiles(report, {dir.Write("cut.htm", html.substr(0, cut))})) << cut;
    ExpectTableInvariants(report);
    EXPECT_LE(report.full.TradeRows(), 3);
  }
  std::string withNul = html;
  for (std::size_t i = 600; i < withNul.size(); i += 97) withNul[i] = '\0';
  Report report;
  ASSERT_TRUE(OpenFiles(report, {dir.Write("nul.htm", withNul)}));
  ExpectTableInvariants(report);
}

TEST(ConvertAndReadStatement, CrLfAndLfGiveTheSameTable) {
  std::ifstream file(FixturePath("statement_taxes_column.htm"), std::ios::binary);
  std::stringstream whole;
  whole << file.rdbuf();
  std::string crlf;
  for (char c : whole.str()) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  TempDir dir;
  Report lf = OpenFixtures({"statement_taxes_column.htm"});
  Report dos;
  ASSERT_TRUE(OpenFiles(dos, {dir.Write("crlf.htm", crlf)}));
  ASSERT_EQ(dos.full.RowCount(), lf.full.RowCount());
  for (int row = 0; row < lf.full.RowCount(); ++row)
    for (int column = 0; column < TradeTable::kColumns; ++column)
      EXPECT_EQ(dos.full.Cell(column, row), lf.full.Cell(column, row));
}

// Real statements cut anywhere read as a prefix of the whole: no trade is made
// up from a row's beginning, no symbol from a cut name.
TEST(ConvertAndReadStatement, RealStatementsCutAnywhereReadAPrefixOfTheWhole) {
  const std::string path = std::string(QUILLFEN_STATEMENTS) + "/006-weltrade-detailed.htm";
  std::ifstream file(path, std::ios::binary);
  if (!file) GTEST_SKIP() << "no real statements beside the project";
  const std::string html{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  Report whole;
  ASSERT_TRUE(OpenFiles(whole, {path}));
  TempDir dir;
  std::vector<std::size_t> cuts = {28291, 158551};
  for (std::size_t cut = 1000; cut < html.size(); cut += html.size() / 37) cuts.push_back(cut);
  for (std::size_t cut : cuts) {
    Report report;
    MessageList messages;
    ASSERT_TRUE(OpenFiles(report, {dir.Write("cut.htm", html.substr(0, cut))}, &messages)) << cut;
    ASSERT_LE(report.full.TradeRows(), whole.full.TradeRows()) << cut;
    const bool empty = report.full.TradeRows() == 1 && report.full.Cell(col::ticket, 0).empty();
    for (int row = 0; row < (empty ? 0 : report.full.TradeRows()); ++row)
      for (int column : {col::ticket, col::type, col::lots, col::symbol, col::openDate,
                         col::openPrice, col::closeDate, col::closePrice})
        ASSERT_EQ(report.full.Cell(column, row), whole.full.Cell(column, row))
            << "cut " << cut << " row " << row << " column " << column;
  }
}

}  // namespace
}  // namespace quillfen
