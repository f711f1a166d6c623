#include "text/utf16.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "../support/utf16_bytes.h"

namespace quillfen {
namespace {

using testing::Utf16Bytes;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string Transcode(const std::string& bytes, Utf16Order order, long long limit = 0) {
  File in(std::tmpfile());
  File out(std::tmpfile());
  std::fwrite(bytes.data(), 1, bytes.size(), in.get());
  std::rewind(in.get());
  EXPECT_EQ(TranscodeUtf16(in.get(), out.get(), order, limit), Utf16Transcoding::complete);
  std::string text(static_cast<std::size_t>(std::ftell(out.get())), '\0');
  std::rewind(out.get());
  text.resize(std::fread(text.data(), 1, text.size(), out.get()));
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
