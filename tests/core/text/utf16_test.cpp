#include "text/utf16.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "../support/utf16_bytes.h"

namespace quillfen {
namespace {

using testing::Utf16Bytes;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads the whole stream the way the converter does, through stdio.
std::string ReadAll(std::FILE* stream) {
  std::string text;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
    text.append(buffer, got);
  return text;
}

std::string Transcode(const std::string& bytes, Utf16Order order, long long limit = 0) {
  File in(std::tmpfile());
  std::fwrite(bytes.data(), 1, bytes.size(), in.get());
  std::rewind(in.get());
  Utf16TextStream text(in.get(), order, limit);
  EXPECT_NE(text.Stream(), nullptr);
  if (!text.Stream()) return {};
  const std::string first = ReadAll(text.Stream());
  EXPECT_FALSE(std::ferror(text.Stream()));
  // Back at the start, the stream reads the same text again.
  EXPECT_EQ(std::fseek(text.Stream(), 0, SEEK_SET), 0);
  EXPECT_EQ(ReadAll(text.Stream()), first);
  return first;
}

// The text of the bytes handed to a decoder in pieces cut at the given places.
std::string Decode(const std::string& bytes, Utf16Order order, bool quickPath,
                   const std::vector<std::size_t>& cuts) {
  Utf16Decoder decoder(order, quickPath);
  std::string text;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    EXPECT_TRUE(decoder.Decode(std::string_view(bytes).substr(from, cut - from), false, text));
    from = cut;
  }
  EXPECT_TRUE(decoder.Decode(std::string_view(bytes).substr(from), true, text));
  return text;
}

TEST(Utf16, TheByteOrderComesFromTheMarkOrTheZeroBytes) {
  const std::u16string page = u"<html><title>\u7D04\u5B9A</title>";
  for (Utf16Order order : {Utf16Order::littleEndian, Utf16Order::bigEndian}) {
    EXPECT_EQ(DetectUtf16(Utf16Bytes(page, order, true)), order);
    EXPECT_EQ(DetectUtf16(Utf16Bytes(page, order, false)), order);
    // A mark alone still names the order.
    EXPECT_EQ(DetectUtf16(Utf16Bytes(u"", order, true)), order);
  }
  EXPECT_EQ(DetectUtf16("<html><title>Statement</title>"), Utf16Order::none);
  EXPECT_EQ(DetectUtf16("\xEF\xBB\xBF<html>\xE7\xB4\x84"), Utf16Order::none);
  EXPECT_EQ(DetectUtf16(""), Utf16Order::none);
  // A few stray zeros in an 8-bit page, or zeros on both sides, are no UTF-16.
  EXPECT_EQ(DetectUtf16(std::string("<html>\0<b>text</b>\0", 20)), Utf16Order::none);
  EXPECT_EQ(DetectUtf16(std::string("a\0\0ba\0\0b", 8)), Utf16Order::none);
}

TEST(Utf16, TextIsTranscodedToUtf8WithoutTheMark) {
  // Longer than one block of 32768 units, with a surrogate pair across a block's edge.
  for (std::size_t before : {32766, 32767}) {
    const std::u16string page = std::u16string(before, u'a') + u"\U0001F600<td>\u7D04\u5B9A</td>" +
                                std::u16string(40000, u'b');
    const std::string expected = std::string(before, 'a') +
                                 "\xF0\x9F\x98\x80<td>\xE7\xB4\x84\xE5\xAE\x9A</td>" +
                                 std::string(40000, 'b');
    for (Utf16Order order : {Utf16Order::littleEndian, Utf16Order::bigEndian})
      for (bool mark : {true, false})
        EXPECT_EQ(Transcode(Utf16Bytes(page, order, mark), order), expected) << before << mark;
  }
}

TEST(Utf16, UnitsThatFormNoCharacterBecomeReplacements) {
  // A high surrogate without its low half, and a dangling last byte.
  std::string bytes = Utf16Bytes(
                          u"a\xD800"
                          u"b",
                          Utf16Order::littleEndian, false) +
                      "c";
  EXPECT_EQ(Transcode(bytes, Utf16Order::littleEndian),
            "a\xEF\xBF\xBD"
            "b");
  // Only so many bytes are read.
  EXPECT_EQ(
      Transcode(Utf16Bytes(u"abcdef", Utf16Order::littleEndian, true), Utf16Order::littleEndian, 6),
      "ab");
}

}  // namespace
}  // namespace quillfen

namespace quillfen {
namespace {

// The quick path narrows ASCII runs itself and leaves the rest to ICU: on
// pages of every mix, cut anywhere (inside a unit, inside a surrogate pair),
// it gives what ICU alone gives.
TEST(Utf16, QuickPathEqualsIcuAlone) {
  std::mt19937 random(7);
  const std::u16string pieces[] = {u"<tr><td>2024.01.02 10:00:00</td>",
                                   u"\u7D04\u5B9A",
                                   u"\U0001F600",
                                   u"\xD800",  // a high surrogate alone
                                   u"\xDC00",  // a low surrogate alone
                                   u"\uFEFF",
                                   std::u16string(1, u'\0'),
                                   u"\u00E9\u0080\u007F",
                                   u"1 000.00 / ",
                                   std::u16string(40, u'x')};
  for (int round = 0; round < 300; ++round) {
    std::u16string page;
    const int count = static_cast<int>(random() % 60);
    for (int n = 0; n < count; ++n) page += pieces[random() % std::size(pieces)];
    const auto order = random() % 2 ? Utf16Order::littleEndian : Utf16Order::bigEndian;
    std::string bytes = testing::Utf16Bytes(page, order, random() % 2 == 0);
    if (random() % 4 == 0) bytes += 'z';  // a dangling last byte
    std::vector<std::size_t> cuts;
    for (std::size_t at = 0; !bytes.empty() && (at += random() % 70 + 1) < bytes.size();)
      cuts.push_back(at);
    const std::string plain = Decode(bytes, order, false, {});
    EXPECT_EQ(Decode(bytes, order, true, cuts), plain) << round;
    EXPECT_EQ(Decode(bytes, order, false, cuts), plain) << round;
    EXPECT_EQ(Decode(bytes, order, true, {}), plain) << round;
  }
}

}  // namespace
}  // namespace quillfen
