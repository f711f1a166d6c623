#include "text/charset.h"

#include <gtest/gtest.h>

#include <string>

namespace quillfen {
namespace {

TEST(Charset, AsciiNeedsNoConversion) {
  EXPECT_EQ(DetectCharset("<html><title>Statement: 1</title>plain</html>"), "");
  EXPECT_EQ(DetectCharset(""), "");
}

TEST(Charset, ADeclaredCharsetWins) {
  EXPECT_EQ(DetectCharset("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=windows-1251\"><b>\xC8\xE2</b>"),
            "windows-1251");
  EXPECT_EQ(DetectCharset("<meta charset=\"UTF-8\">"), "UTF-8");
  // Latin-1 is read as its Windows superset, as browsers do.
  EXPECT_EQ(DetectCharset("<meta charset=iso-8859-1>"), "windows-1252");
  // A name no converter knows is no declaration.
  EXPECT_EQ(DetectCharset("<meta charset=\"no-such-page\">plain"), "");
  // A 16- or 32-bit form or an EBCDIC code page declared in ASCII bytes is
  // no code page the page can be: what the bytes show decides.
  for (const char* charset : {"UTF-16", "UTF-16BE", "utf-32", "ibm-037", "ebcdic-cp-us"}) {
    const std::string meta = "<meta charset=\"" + std::string(charset) + "\">";
    EXPECT_EQ(DetectCharset(meta + "plain"), "") << charset;
    EXPECT_EQ(DetectCharset(meta + "\xC3\xA9"), "UTF-8") << charset;
  }
  EXPECT_EQ(DetectCharset("<meta charset=\"windows-1251\"><b>\xC8</b>"), "windows-1251");
  // Only the head declares.
  EXPECT_EQ(DetectCharset("<head></head><body>charset=windows-1251 plain</body>"), "");
}

TEST(Charset, Utf8IsTakenAsItIs) {
  EXPECT_EQ(DetectCharset("<td>\xD0\xA1\xD0\xB8\xD0\xBC\xD0\xB2\xD0\xBE\xD0\xBB</td>"), "UTF-8");
  // A sequence that the head's end cuts off.
  EXPECT_EQ(DetectCharset("<td>\xD0\xA1\xD0"), "UTF-8");
}

TEST(Charset, LegacyPagesAreFoundByIcu) {
  // "Начальный депозит Символ Чистая прибыль" in cp1251.
  EXPECT_EQ(DetectCharset("<td>\xCD\xE0\xF7\xE0\xEB\xFC\xED\xFB\xE9 \xE4\xE5\xEF\xEE\xE7\xE8\xF2"
                          "</td><td>\xD1\xE8\xEC\xE2\xEE\xEB</td><td>\xD7\xE8\xF1\xF2\xE0\xFF "
                          "\xEF\xF0\xE8\xE1\xFB\xEB\xFC</td>"),
            "windows-1251");
  // "Dépot initial", "Période", "Qualité du modelage" in cp1252.
  EXPECT_EQ(DetectCharset("<td>D\xE9pot initial</td><td>P\xE9riode</td><td>Qualit\xE9 du "
                          "modelage</td><td>Ticks model\xE9s</td>"),
            "windows-1252");
}

TEST(Charset, Utf8Validation) {
  EXPECT_TRUE(IsUtf8("plain"));
  EXPECT_TRUE(IsUtf8("\xE6\xB1\xBA\xE6\xB8\x88"));
  EXPECT_FALSE(IsUtf8("\xC0\xAF"));       // overlong
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));   // a surrogate
  EXPECT_FALSE(IsUtf8("\xE9t\xE9"));      // cp1252
  EXPECT_FALSE(IsUtf8("\xE6\xB1"));       // cut
  EXPECT_TRUE(IsUtf8("\xE6\xB1", true));  // cut by the head's end
  EXPECT_FALSE(HasHighByte("0123456789abcdefghijklmnopqrstuvwxyz"));
  EXPECT_TRUE(HasHighByte("0123456789abcdefghijklmnopqrstuvwxyz\x80"));
}

TEST(Charset, LinesDecodeIntoUtf8) {
  LineDecoder decoder("windows-1251");
  std::string line = "<td>\xD1\xE8\xEC\xE2\xEE\xEB</td>";
  decoder.Decode(line);
  EXPECT_EQ(line, "<td>Символ</td>");
  std::string ascii = "<td>EURUSD</td>";
  decoder.Decode(ascii);
  EXPECT_EQ(ascii, "<td>EURUSD</td>");

  LineDecoder japanese("Shift_JIS");
  std::string sjis = "\x8C\x88\x8D\xCF\x8F\xEE\x95\xF1";  // 決済情報
  japanese.Decode(sjis);
  EXPECT_EQ(sjis, "決済情報");

  LineDecoder chinese("GB18030");
  std::string gbk = "\xBD\xBB\xD2\xD7\xC6\xB7\xD6\xD6";  // 交易品种
  chinese.Decode(gbk);
  EXPECT_EQ(gbk, "交易品种");
}

// A page read as UTF-8 keeps its UTF-8 byte for byte; what is no UTF-8 (a
// page that declares it wrongly, or a broken sequence) becomes U+FFFD, so that
// no text written from it is invalid. So does what a code page ICU cannot
// read holds.
TEST(Charset, Utf8PagesKeepTheirTextAndMarkWhatIsNone) {
  struct Case {
    const char* bytes;
    const char* text;
  };
  const Case cases[] = {
      {"plain <td>", "plain <td>"},
      {"\xD0\xA1\xE6\xB1\xBA\xF0\x9F\x98\x80", "\xD0\xA1\xE6\xB1\xBA\xF0\x9F\x98\x80"},
      {"\xE9t\xE9", "\uFFFDt\uFFFD"},
      {"caf\xC3\xA9 \xE2\x82 x\xC3", "caf\xC3\xA9 \uFFFD x\uFFFD"},  // cut sequences
      {"\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80",
       "\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const char* charset : {"UTF-8", "", "no-such-page"}) {
    for (const Case& c : cases) {
      LineDecoder decoder(charset);
      std::string line = c.bytes;
      // A page whose head was ASCII and whose first text past it is UTF-8
      // reads on as UTF-8.
      if (std::string_view(charset).empty()) {
        std::string first = "\xC3\xA9";
        decoder.Decode(first);
      }
      decoder.Decode(line);
      EXPECT_EQ(line, c.text) << charset << ": " << c.bytes;
      EXPECT_TRUE(IsUtf8(line));
    }
  }
}

// A page whose head was ASCII takes its code page from its first line past ASCII.
TEST(Charset, AnAsciiHeadLearnsItsCodePageLater) {
  LineDecoder decoder("");
  std::string ascii = "<td>EURUSD</td>";
  decoder.Decode(ascii);
  EXPECT_EQ(decoder.Charset(), "");
  std::string utf8 = "<td title=\"#1 \xD0\xBF\xD0\xBE\">1</td>";
  decoder.Decode(utf8);
  EXPECT_EQ(decoder.Charset(), "UTF-8");
  EXPECT_EQ(utf8, "<td title=\"#1 по\">1</td>");

  LineDecoder latin("");
  std::string line = "<td title=\"Caf\xE9 cr\xE8me br\xFBl\xE9\x65 d\xE9j\xE0 vu\">1</td>";
  latin.Decode(line);
  EXPECT_EQ(latin.Charset(), "windows-1252");
  EXPECT_EQ(line, "<td title=\"Café crème brûlée déjà vu\">1</td>");
}

}  // namespace
}  // namespace quillfen
