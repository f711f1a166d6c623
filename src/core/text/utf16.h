#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct UConverter;  // ICU's, kept out of the callers' sight

namespace quillfen {

// The byte order of a page in UTF-16, or none when it is not in UTF-16.
enum class Utf16Order { none, littleEndian, bigEndian };

// How the first bytes of a page are written: a byte-order mark names UTF-16
// outright; without one, ASCII markup in UTF-16 shows as a zero byte in every
// pair, on the same side. UTF-8 and the 8-bit code pages have no zero bytes.
Utf16Order DetectUtf16(std::string_view head);

// Turns UTF-16 text into UTF-8 a block at a time; a character (or a unit)
// split between two blocks is carried over. A byte-order mark at the start is
// left out; units that form no character become U+FFFD, and a dangling last
// byte is no character. A page's markup is ASCII: with quickPath, runs of
// ASCII units are narrowed directly and only the rest goes through ICU;
// without it every unit does (the plain twin the quick path is held equal to).
class Utf16Decoder {
 public:
  explicit Utf16Decoder(Utf16Order order, bool quickPath = true);
  Utf16Decoder(const Utf16Decoder&) = delete;
  Utf16Decoder& operator=(const Utf16Decoder&) = delete;

  // False when ICU offers no converter.
  bool Ready() const { return source_ && target_; }
  // Appends the text of the next bytes to out; `last` ends the text. False
  // when ICU fails.
  bool Decode(std::string_view bytes, bool last, std::string& out);
  // Back to the start of a text.
  void Reset();

 private:
  struct ConverterCloser {
    void operator()(UConverter* converter) const;
  };
  using Converter = std::unique_ptr<UConverter, ConverterCloser>;

  bool Pending() const;
  bool DecodeWithIcu(const char* from, const char* end, bool last, std::string& out);

  Utf16Order order_;
  bool quickPath_;
  bool atStart_ = true;
  bool oddSoFar_ = false;  // an odd number of bytes was handed over
  Converter source_;
  Converter target_;
  std::vector<char16_t> pivot_;
  char16_t* pivotSource_ = nullptr;
  char16_t* pivotTarget_ = nullptr;
};

// A stream that reads the UTF-16 text of a file, from its place when opened,
// as UTF-8, decoded a block at a time as it is read. At most `limit` bytes of
// the file are read (0: all). It seeks back to its start, and nowhere else.
class Utf16TextStream {
 public:
  Utf16TextStream(std::FILE* source, Utf16Order order, long long limit = 0);
  ~Utf16TextStream();
  Utf16TextStream(const Utf16TextStream&) = delete;
  Utf16TextStream& operator=(const Utf16TextStream&) = delete;

  // Null when the stream could not be made.
  std::FILE* Stream() const { return stream_; }
  // Bytes of the file per byte of text so far (2 before any text).
  double SourceBytesPerTextByte() const;

 private:
  long Read(char* buffer, std::size_t size);
  int Seek(long long* offset, int whence);

  std::FILE* source_;
  long long start_;
  long long limit_;
  Utf16Decoder decoder_;
  std::vector<char> bytes_;
  std::string text_;  // decoded, not yet handed out
  std::size_t handed_ = 0;
  long long taken_ = 0;  // bytes of the file since the start
  long long made_ = 0;   // bytes of text since the start
  bool ended_ = false;
  std::FILE* stream_ = nullptr;
};

}  // namespace quillfen
