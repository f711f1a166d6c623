#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quillfen {

// The code page of a page, from its first bytes: a declared charset, else
// UTF-8 when the bytes form it, else what ICU's charset detection finds. Empty
// when the bytes are plain ASCII: nothing is to be converted (yet). The names
// are ICU's and the browser's ("windows-1251", "Shift_JIS", "GB18030", "UTF-8").
std::string DetectCharset(std::string_view head);

// How many leading bytes of a file DetectCharset is given.
inline constexpr std::size_t kCharsetHead = 64 * 1024;

// DetectCharset of the file's first kCharsetHead bytes; empty when it cannot be read.
std::string DetectFileCharset(const std::string& path);

// Whether the text holds a byte past ASCII.
bool HasHighByte(std::string_view text);

// Whether the text is UTF-8; a sequence cut by the end counts as whole when
// `cutEndAllowed`.
bool IsUtf8(std::string_view text, bool cutEndAllowed = false);

// Turns the text of a page into UTF-8, a line or a block of whole lines at a
// time: ASCII, and the valid UTF-8 of a UTF-8 page, are left as they are;
// bytes that are no character of the page's code page become U+FFFD. A page
// whose head was ASCII gets its code page from the first text that is not.
class LineDecoder {
 public:
  explicit LineDecoder(std::string charset);
  ~LineDecoder();
  LineDecoder(const LineDecoder&) = delete;
  LineDecoder& operator=(const LineDecoder&) = delete;

  void Decode(std::string& line);
  // The code page in use; empty while every line was ASCII.
  const std::string& Charset() const { return charset_; }

 private:
  void Open(std::string charset);
  bool ToUtf8(std::string& line);

  struct Converter;
  std::string charset_;
  bool passThrough_ = true;
  std::unique_ptr<Converter> converter_;
  std::string out_;
};

}  // namespace quillfen
