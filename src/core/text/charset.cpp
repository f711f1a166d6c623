#include "text/charset.h"

#include <unicode/ucnv.h>
#include <unicode/ucsdet.h>
#include <unicode/ustring.h>

#include <cstdio>
#include <unordered_set>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillfen {

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Lower(c);
  return lower;
}

// Where text, read without letter case, holds the lower-case word; npos when not.
std::size_t FindWithoutCase(std::string_view text, std::string_view word) {
  for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
    std::size_t k = 0;
    while (k < word.size() && Lower(text[at + k]) == word[k]) ++k;
    if (k == word.size()) return at;
  }
  return std::string_view::npos;
}

// Latin-1 and ASCII pages are read as Windows pages, as browsers do: the
// terminal writes Windows code pages, which hold them.
std::string WindowsName(const std::string& name) {
  const std::string lower = LowerCase(name);
  if (lower == "iso-8859-1" || lower == "latin1" || lower == "iso8859-1" || lower == "us-ascii" ||
      lower == "ascii")
    return "windows-1252";
  if (lower == "iso-8859-9" || lower == "latin5") return "windows-1254";
  if (lower == "utf-8" || lower == "utf8") return "UTF-8";
  return name;
}

// Whether ICU knows the code page and the ASCII text, read in it, says the
// same: a page whose declaration stands in ASCII bytes cannot be in a 16- or
// 32-bit form or an EBCDIC code page, whatever it declares.
bool ReadsAsItself(const std::string& charset, std::string_view ascii) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(charset.c_str(), &error);
  if (U_FAILURE(error) || converter == nullptr) return false;
  std::vector<UChar> units(ascii.size() + 1);
  const int32_t count = ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()),
                                      ascii.data(), static_cast<int32_t>(ascii.size()), &error);
  ucnv_close(converter);
  if (U_FAILURE(error) || static_cast<std::size_t>(count) != ascii.size()) return false;
  for (std::size_t i = 0; i < ascii.size(); ++i)
    if (units[i] != static_cast<UChar>(ascii[i])) return false;
  return true;
}

// The charset a meta tag of the head declares; empty when none that ICU knows
// or none the page's bytes can be.
std::string DeclaredCharset(std::string_view head) {
  const std::size_t headEnd = FindWithoutCase(head, "</head");
  if (headEnd != std::string_view::npos) head = head.substr(0, headEnd);
  const std::size_t at = FindWithoutCase(head, "charset=");
  if (at == std::string_view::npos) return {};
  std::size_t from = at + 8;
  while (from < head.size() && (head[from] == '"' || head[from] == '\'' || head[from] == ' '))
    ++from;
  std::size_t to = from;
  auto nameChar = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
  };
  while (to < head.size() && nameChar(head[to])) ++to;
  const std::string name(head.substr(from, to - from));
  if (name.empty() || !ReadsAsItself(name, head.substr(at, to - at))) return {};
  return WindowsName(name);
}

// The words of a page that hold bytes past ASCII, each once, one blank
// between them. A report is mostly markup, numbers and English type words:
// given the page whole, the detector weighs the few translated words too
// little, and one comment repeated on every row would outweigh the labels.
std::string WordsPastAscii(std::string_view bytes) {
  std::unordered_set<std::string_view> seen;
  auto apart = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '<' || c == '>' || c == '"' ||
           c == '=';
  };
  std::string words;
  std::size_t i = 0;
  while (i < bytes.size()) {
    while (i < bytes.size() && apart(bytes[i])) ++i;
    const std::size_t start = i;
    bool high = false;
    for (; i < bytes.size() && !apart(bytes[i]); ++i)
      high |= static_cast<unsigned char>(bytes[i]) >= 0x80;
    if (!high || !seen.insert(bytes.substr(start, i - start)).second) continue;
    if (!words.empty()) words.push_back(' ');
    words.append(bytes.substr(start, i - start));
  }
  return words;
}

// ICU's best guess among the single- and multi-byte code pages; the Unicode
// forms without a byte order mark and the 7-bit escapes are no candidates for
// a page that holds bytes past ASCII and is not UTF-8.
std::string GuessedCharset(std::string_view bytes) {
  const std::string words = WordsPastAscii(bytes);
  UErrorCode error = U_ZERO_ERROR;
  UCharsetDetector* detector = ucsdet_open(&error);
  std::string found;
  if (U_SUCCESS(error)) {
    ucsdet_setText(detector, words.data(), static_cast<int32_t>(words.size()), &error);
    int32_t count = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector, &count, &error);
    for (int32_t i = 0; U_SUCCESS(error) && i < count && found.empty(); ++i) {
      const char* name = ucsdet_getName(matches[i], &error);
      if (!U_SUCCESS(error) || name == nullptr) break;
      const std::string lower = LowerCase(name);
      if (lower.starts_with("utf-") || lower.starts_with("iso-2022")) continue;
      found = WindowsName(name);
    }
  }
  if (detector) ucsdet_close(detector);
  return found.empty() ? "windows-1252" : found;
}

}  // namespace

bool HasHighByte(std::string_view text) {
  const char* p = text.data();
  std::size_t n = text.size();
#if defined(__SSE2__)
  auto load = [](const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
  for (; n >= 64; p += 64, n -= 64) {
    const __m128i any =
        _mm_or_si128(_mm_or_si128(load(p), load(p + 16)), _mm_or_si128(load(p + 32), load(p + 48)));
    if (_mm_movemask_epi8(any) != 0) return true;
  }
  for (; n >= 16; p += 16, n -= 16)
    if (_mm_movemask_epi8(load(p)) != 0) return true;
#endif
  for (; n > 0; ++p, --n)
    if (static_cast<unsigned char>(*p) >= 0x80) return true;
  return false;
}

bool IsUtf8(std::string_view text, bool cutEndAllowed) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t follow = 0;
    unsigned least = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      follow = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      follow = 2;
      least = c == 0xE0 ? 0xA0 : 0x80;
    } else if (c >= 0xF0 && c <= 0xF4) {
      follow = 3;
      least = c == 0xF0 ? 0x90 : 0x80;
    } else {
      return false;
    }
    for (std::size_t k = 1; k <= follow; ++k) {
      if (i + k >= n) return cutEndAllowed;
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next >> 6) != 0x2) return false;
      if (k == 1 && least != 0 && next < least) return false;
      if (k == 1 && c == 0xED && next > 0x9F) return false;  // no surrogates
      if (k == 1 && c == 0xF4 && next > 0x8F) return false;  // nothing past U+10FFFF
    }
    i += follow + 1;
  }
  return true;
}

std::string DetectCharset(std::string_view head) {
  std::string declared = DeclaredCharset(head);
  if (!declared.empty()) return declared;
  if (!HasHighByte(head)) return {};
  if (IsUtf8(head, true)) return "UTF-8";
  return GuessedCharset(head);
}

std::string DetectFileCharset(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return {};
  std::string head(kCharsetHead, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::fclose(file);
  return DetectCharset(head);
}

struct LineDecoder::Converter {
  UConverter* source = nullptr;
  std::vector<UChar> units;
  ~Converter() {
    if (source) ucnv_close(source);
  }
};

LineDecoder::LineDecoder(std::string charset) {
  Open(std::move(charset));
}

LineDecoder::~LineDecoder() = default;

void LineDecoder::Open(std::string charset) {
  charset_ = std::move(charset);
  converter_.reset();
  passThrough_ = charset_.empty() || charset_ == "UTF-8";
  if (passThrough_) return;
  auto converter = std::make_unique<Converter>();
  UErrorCode error = U_ZERO_ERROR;
  converter->source = ucnv_open(charset_.c_str(), &error);
  if (U_FAILURE(error) || converter->source == nullptr) {
    passThrough_ = true;  // a name ICU does not know: the bytes are read as UTF-8
    return;
  }
  converter_ = std::move(converter);
}

void LineDecoder::Decode(std::string& line) {
  if (!HasHighByte(line)) return;
  if (charset_.empty()) {
    // The first text past ASCII of a page whose head was ASCII names the page's code page.
    Open(IsUtf8(line) ? std::string("UTF-8") : GuessedCharset(line));
  }
  if (passThrough_ && IsUtf8(line)) return;
  if (!ToUtf8(line)) {
    // ICU could not convert: still no byte past ASCII goes on undecoded.
    std::string safe;
    for (char c : line) {
      if (static_cast<unsigned char>(c) < 0x80)
        safe.push_back(c);
      else
        safe.append("\xEF\xBF\xBD");
    }
    line.swap(safe);
  }
}

// Reads the line in the converter's code page into UTF-8; bytes that are no
// character of it become U+FFFD.
bool LineDecoder::ToUtf8(std::string& line) {
  if (!converter_) {
    // Text read as UTF-8 meets ICU only where its bytes are no UTF-8.
    converter_ = std::make_unique<Converter>();
    UErrorCode error = U_ZERO_ERROR;
    converter_->source = ucnv_open("UTF-8", &error);
  }
  UConverter* source = converter_->source;
  if (source == nullptr) return false;
  std::vector<UChar>& units = converter_->units;
  // A byte of a single- or double-byte code page is at most one UTF-16 unit.
  units.resize(line.size() + 1);
  UErrorCode error = U_ZERO_ERROR;
  ucnv_reset(source);
  int32_t count = ucnv_toUChars(source, units.data(), static_cast<int32_t>(units.size()),
                                line.data(), static_cast<int32_t>(line.size()), &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    units.resize(static_cast<std::size_t>(count) + 1);
    error = U_ZERO_ERROR;
    ucnv_reset(source);
    count = ucnv_toUChars(source, units.data(), static_cast<int32_t>(units.size()), line.data(),
                          static_cast<int32_t>(line.size()), &error);
  }
  if (U_FAILURE(error)) return false;
  out_.resize(static_cast<std::size_t>(count) * 3 + 1);
  int32_t length = 0;
  error = U_ZERO_ERROR;
  u_strToUTF8WithSub(out_.data(), static_cast<int32_t>(out_.size()), &length, units.data(), count,
                     0xFFFD, nullptr, &error);
  if (U_FAILURE(error)) return false;
  out_.resize(static_cast<std::size_t>(length));
  line.swap(out_);
  return true;
}

}  // namespace quillfen
