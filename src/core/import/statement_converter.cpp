#include "import/statement_converter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <type_traits>

#include "import/converted_line.h"
#include "import/plain_row.h"
#include "text/byte_search.h"
#include "text/charset.h"
#include "text/line_reader.h"
#include "text/text_conversions.h"
#include "text/utf16.h"

namespace quillfen {

namespace {

// A MetaTrader 5 report in another language names its generator in English only.
constexpr std::array<std::string_view, 6> kMarks = {"tatement",        "Quillfen",
                                                    "Marbelline",      "Strategy Tester",
                                                    "strategy tester", "Trade History Report"};
constexpr int kMarkedLines = 5;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Whether a blank stands between the end of "buy", "sell" or "close" and the
// start of "stop", "limit" or "by": most lines have no such blank, which one
// pass over the line tells.
bool MayHoldTypeOfTwoWords(std::string_view line) {
  auto before = [](char c) { return c == 'y' || c == 'l' || c == 'e'; };
  auto after = [](char c) { return c == 's' || c == 'l' || c == 'b'; };
  std::size_t i = 1;
#if defined(__SSE2__)
  auto load = [&](std::size_t at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + at));
  };
  auto any = [](__m128i bytes, char a, char b, char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(a)) | _mm_cmpeq_epi8(bytes, _mm_set1_epi8(b)) |
           _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
  };
  for (; i + 17 <= line.size(); i += 16) {
    const __m128i hits = _mm_cmpeq_epi8(load(i), _mm_set1_epi8(' ')) &
                         any(load(i - 1), 'y', 'l', 'e') & any(load(i + 1), 's', 'l', 'b');
    if (_mm_movemask_epi8(hits) != 0) return true;
  }
#endif
  for (; i + 1 < line.size(); ++i)
    if (line[i] == ' ' && before(line[i - 1]) && after(line[i + 1])) return true;
  return false;
}

// Pending orders and close-by lines name their type in two words; joined, the
// type is one word.
void JoinTypeWords(std::string& line) {
  static constexpr std::array<std::string_view, 5> kTypes = {"buy stop", "buy limit", "sell stop",
                                                             "sell limit", "close by"};
  if (!MayHoldTypeOfTwoWords(line)) return;
  for (std::string_view type : kTypes) {
    std::size_t at = line.find(type);
    if (at != std::string::npos) line[at + type.find(' ')] = '_';
  }
}

// False when no replacement can apply: none of "<!", "<B", "<b", "--", "&".
bool MayNeedReplacements(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '&') return true;
    const char next = i + 1 < line.size() ? line[i + 1] : '\0';
    if ((c == '<' && (next == '!' || next == 'B' || next == 'b')) || (c == '-' && next == '-'))
      return true;
  }
  return false;
}

// Most rows of a page hold nothing to replace, which the first stripping pass
// sees; a very long line is not copied for that but looked through once more.
bool StrippedWithoutReplacements(std::string& line, TagStripper& stripper) {
  constexpr std::size_t kLongLine = 1 << 16;
  if (line.size() < kLongLine) return stripper.StripIfPlain(line);
  if (MayNeedReplacements(line)) return false;
  stripper.Strip(line);
  return true;
}

// Looks for a mark in the first display lines without keeping them, so that a
// huge file without line ends is turned away in one pass of constant memory.
bool HasMarkedHead(std::FILE* file) {
  LineReader reader(file, true);
  constexpr std::size_t kCarry = 19;  // longest mark minus one
  bool found = false;
  for (int n = 0; n < kMarkedLines && !found; ++n) {
    std::string carry;
    bool more = reader.ScanLine([&](std::string_view piece) {
      if (found) return;
      std::string joint = carry;
      joint.append(piece.substr(0, kCarry));
      found = HasStatementMark(joint) || HasStatementMark(piece);
      carry.append(piece.substr(piece.size() > kCarry ? piece.size() - kCarry : 0));
      if (carry.size() > kCarry) carry.erase(0, carry.size() - kCarry);
    });
    if (!more) break;
  }
  return found;
}

// The characters StripInto must look at: tag and quote marks always; where
// text may be shown (or a comment may end) also a blank, a dash and with
// kWatch the start of "&nbsp;". Inside a tag "--" and "&" change nothing that
// is shown and need no look.
template <bool kWatch>
using SpecialScanner =
    StopScanner<Stops<'<', '>', '"', '\''>,
                std::conditional_t<kWatch, Stops<' ', '-', '&'>, Stops<' ', '-'>>>;

bool IsAsciiLetter(char c) {
  const char lower = static_cast<char>(c | 0x20);
  return lower >= 'a' && lower <= 'z';
}

long long RegularFileSize(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return -1;
  auto size = std::filesystem::file_size(path, error);
  return error ? -1 : static_cast<long long>(size);
}

// Where text, read without letter case, holds word at or after from; npos when not.
std::size_t FindWithoutCase(std::string_view text, std::string_view word, std::size_t from = 0) {
  for (std::size_t at = from; at + word.size() <= text.size(); ++at) {
    std::size_t k = 0;
    while (k < word.size() && (text[at + k] | 0x20) == word[k]) ++k;
    if (k == word.size()) return at;
  }
  return std::string_view::npos;
}

// A last line that the end of the file cut off is read only when it ends with
// a tag's end and closes every table row it opens: cut inside a row, it would
// make up a trade from a row's beginning.
bool IsWholeLastLine(std::string_view line) {
  const std::size_t last = line.find_last_not_of(" \t");
  if (last == std::string_view::npos || line[last] != '>') return false;
  std::size_t open = std::string_view::npos;
  for (std::size_t at = FindWithoutCase(line, "<tr"); at != std::string_view::npos;
       at = FindWithoutCase(line, "<tr", at + 1)) {
    const char next = at + 3 < line.size() ? line[at + 3] : '\0';
    if (next == '>' || next == ' ' || next == '\t') open = at;
  }
  return open == std::string_view::npos ||
         FindWithoutCase(line, "</tr", open) != std::string_view::npos;
}

// The code page that the head of the file names or shows; the file is read
// again from its start afterwards.
std::string HeadCharset(std::FILE* file) {
  std::string head(kCharsetHead, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  return DetectCharset(head);
}

// Where the tooltip of a row's first cell starts, `<tr ...><td title="#2019
// [tp]">`, as the terminal gives a ticket's magic number and comment; npos
// when the line's first cell has none. Every row line is looked at: the look
// goes no further than the first tag's end.
[[gnu::noinline]] std::size_t TicketTooltipStart(std::string_view line) {
  constexpr std::string_view kCell = "<td title=\"";
  auto cellAt = [&](std::size_t at) {
    return line.size() - at >= kCell.size() && line[at + 3] == ' ' && line[at + 1] == 't' &&
           line[at + 2] == 'd' && line[at] == '<' &&
           std::memcmp(line.data() + at, kCell.data(), kCell.size()) == 0;
  };
  if (line.size() < kCell.size()) return std::string_view::npos;
  std::size_t cell = 0;
  if (!cellAt(0)) {
    const void* close = std::memchr(line.data(), '>', line.size());
    if (close == nullptr) return std::string_view::npos;
    cell = static_cast<std::size_t>(static_cast<const char*>(close) - line.data()) + 1;
    if (!cellAt(cell)) return std::string_view::npos;
  }
  return cell + kCell.size();
}

// The text of the ticket's tooltip; empty when the line has none or it does
// not end in the line.
std::string_view TicketTooltip(std::string_view line) {
  const std::size_t from = TicketTooltipStart(line);
  if (from == std::string_view::npos) return {};
  const std::size_t to = line.find('"', from);
  if (to == std::string_view::npos) return {};
  return line.substr(from, to - from);
}

// Whether the ticket's tooltip goes on past the line's end: a comment may
// hold a line end, which is then no end of the row.
bool TicketTooltipLeftOpen(std::string_view line) {
  const std::size_t from = TicketTooltipStart(line);
  return from != std::string_view::npos && line.find('"', from) == std::string_view::npos;
}

// "<br>" ends a display line within the page's line.
bool EndsWithBreakTag(std::string_view line) {
  return line.size() >= 4 && line[line.size() - 4] == '<' &&
         (line[line.size() - 3] | 0x20) == 'b' && (line[line.size() - 2] | 0x20) == 'r' &&
         line.back() == '>';
}

// A tooltip line of the working text: kTooltipMark, then the tooltip with its
// character references read.
[[gnu::noinline]] void AppendTooltipLine(std::string& chunk, std::string_view tooltip) {
  chunk.push_back(kTooltipMark);
  if (std::memchr(tooltip.data(), '&', tooltip.size()) == nullptr) {
    chunk.append(tooltip);
    chunk.push_back('\n');
    return;
  }
  static constexpr std::pair<std::string_view, char> kReferences[] = {
      {"&amp;", '&'},  {"&lt;", '<'},   {"&gt;", '>'},
      {"&quot;", '"'}, {"&#39;", '\''}, {"&nbsp;", ' '}};
  for (std::size_t i = 0; i < tooltip.size(); ++i) {
    char c = tooltip[i];
    if (c == '&') {
      for (const auto& [reference, character] : kReferences) {
        if (tooltip.compare(i, reference.size(), reference) != 0) continue;
        c = character;
        i += reference.size() - 1;
        break;
      }
    }
    chunk.push_back(c);
  }
  chunk.push_back('\n');
}

// A line of kDroppedBlankMark and the places where the next line lost a blank.
[[gnu::noinline]] void AppendDroppedBlankLine(std::string& chunk,
                                              const std::vector<std::size_t>& places) {
  chunk.push_back(kDroppedBlankMark);
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (i > 0) chunk.push_back(' ');
    chunk.append(std::to_string(places[i]));
  }
  chunk.push_back('\n');
}

// The bytes of a page as the converter reads them: the file itself, or the
// text of a UTF-16 file decoded to UTF-8 as it is read, so that the one road
// reads both.
struct PageBytes {
  File source;
  std::unique_ptr<Utf16TextStream> utf16;  // read from source, so closed before it
  long long size = -1;                     // on disk; -1: no regular file
  Utf16Order order = Utf16Order::none;
  bool oddUtf16 = false;
  bool failed = false;

  std::FILE* Text() const { return utf16 ? utf16->Stream() : source.get(); }
  // Bytes on disk per byte of text read so far.
  double SourceBytesPerTextByte() const { return utf16 ? utf16->SourceBytesPerTextByte() : 1; }
};

// Opens the page; of a UTF-16 file at most `limit` bytes are read (0: all).
PageBytes OpenPage(const std::string& path, long long limit = 0) {
  PageBytes page;
  page.size = RegularFileSize(path);
  if (page.size < 0) return page;
  page.source.reset(std::fopen(path.c_str(), "rb"));
  if (!page.source) return page;
  std::string head(1024, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), page.source.get()));
  page.order = DetectUtf16(head);
  if (std::fseek(page.source.get(), 0, SEEK_SET) != 0) page.failed = true;
  if (page.order == Utf16Order::none || page.failed) return page;
  page.oddUtf16 = page.size % 2 != 0;
  page.utf16 = std::make_unique<Utf16TextStream>(page.source.get(), page.order, limit);
  page.failed = page.utf16->Stream() == nullptr;
  return page;
}

// Whether the page's closing tag is among its last bytes: a page without it
// was cut short, however whole its last line looks.
bool EndsWithClosingTag(std::FILE* file, long long size, Utf16Order order) {
  // As many characters of a UTF-16 page as of any other, from a whole unit.
  const long long tailBytes = order == Utf16Order::none ? 4096 : 8192;
  const long long from = size > tailBytes ? size - tailBytes : 0;
  if (std::fseek(file, from, SEEK_SET) != 0) return false;
  std::string tail(static_cast<std::size_t>(size - from), '\0');
  tail.resize(std::fread(tail.data(), 1, tail.size(), file));
  if (order != Utf16Order::none) {
    std::string text;
    Utf16Decoder decoder(order);
    if (!decoder.Decode(tail, true, text)) return false;
    tail.swap(text);
  }
  return FindWithoutCase(tail, "</html") != std::string_view::npos;
}

}  // namespace

template <bool kWatch>
bool TagStripper::StripInto(const char* text, std::size_t n, char* out, std::size_t& length) {
  auto at = [&](std::size_t k) { return k < n ? text[k] : '\0'; };
  constexpr std::string_view kSpace = "&nbsp;";
  auto spaceAt = [&](std::size_t k) {
    return kWatch && k <= n && n - k >= kSpace.size() &&
           std::memcmp(text + k, kSpace.data(), kSpace.size()) == 0;
  };
  // With kWatch every "&nbsp;" reads as the blank it is replaced by: the
  // character `ahead` places after position k of the text so replaced.
  auto shown = [&](std::size_t k, int ahead) {
    k += spaceAt(k) ? kSpace.size() : 1;
    for (; ahead > 1; --ahead) k += spaceAt(k) ? kSpace.size() : 1;
    return spaceAt(k) ? ' ' : at(k);
  };
  MarkupState state = state_;
  droppedBlanks_.clear();
  char previous = '\0';
  std::size_t written = 0;  // in place it never passes i: the characters ahead stay unread
  SpecialScanner<kWatch> scanner(text, text + n);
  for (std::size_t i = 0; i < n; ++i) {
    if (state.markup < Markup::tag) {
      // Skip or copy the characters that need no closer look; shown text and
      // comments, where dashes matter, need the wider look.
      const bool visible = state.markup == Markup::none;
      const char* special = scanner.Next(text + i, state.markup <= Markup::comment);
      if (const std::size_t run = static_cast<std::size_t>(special - (text + i)); run > 0) {
        if (visible) {
          // Shown runs are short: with kWatch the output has room for a whole
          // 16-byte copy, read from inside the text.
          if (kWatch && run <= 16 && n - i >= 16)
            std::memcpy(out + written, text + i, 16);
          else
            std::memmove(out + written, text + i, run);
          written += run;
        }
        i += run;
        previous = text[i - 1];
        if (i == n) break;
      }
      char c = text[i];
      const std::size_t from = i;  // where the character stands, an "&nbsp;" being one
      const char next = at(i + 1);
      if constexpr (kWatch) {
        if ((c == '-' && next == '-') || (c == '<' && (next == '!' || next == 'B' || next == 'b')))
          return false;
        if (c == '&' && !spaceAt(i)) {
          if (visible) out[written++] = c;
          previous = c;
          continue;
        }
        if (c == '&') {
          c = ' ';
          i += kSpace.size() - 1;
        }
      }
      if (!visible || c != '<' || (next != '/' && !IsAsciiLetter(next))) {
        bool closing = false;
        if (visible) {
          if (c == '<' && next == '!') {
            const bool comment = at(i + 2) == '-' && at(i + 3) == '-';
            state.markup = comment ? Markup::comment : Markup::declaration;
            // A comment's end is looked for from its first dash on, so "<!-->" is whole.
            if (comment) ++i;
          } else if (c == '<' && next == '?') {
            state.markup = Markup::declaration;
          } else if (c == '>') {
            closing = true;  // a stray ">" still reads as a tag's end
          } else if (c == '-' && next == '-') {
            ++i;  // dashes in pairs go, so that an exported page's hidden values show
          } else if (c != ' ' || !IsDigit(previous) || !IsDigit(shown(from, 1)) ||
                     shown(from, 3) == ':') {
            out[written++] =
                c;  // a blank between digits is a thousands separator, unless a time follows
          } else {
            droppedBlanks_.push_back(written);
          }
        } else if (state.markup == Markup::declaration
                       ? c == '>'
                       : c == '-' && next == '-' && at(i + 2) == '>') {
          state = {};
          closing = true;
          if (c == '-') i += 2;  // past the comment's end
        }
        if (closing) out[written++] = ' ';
        previous = closing ? '>' : c;
        continue;
      }
      state.markup = Markup::tag;
      ++i;
    }
    // Inside a tag only its quotes and its end matter: most rows are tags of
    // a few stops each, walked here from stop to stop.
    const char* stop = scanner.Next(text + i, false);
    for (; stop != text + n; stop = scanner.Next(stop + 1, false)) {
      const char s = *stop;
      if (kWatch && s == '<') {
        const char after = at(static_cast<std::size_t>(stop - text) + 1);
        if (after == '!' || after == 'B' || after == 'b') return false;
      }
      if (state.markup == Markup::quoted) {
        if (s == state.quote) {
          state = {Markup::tag};
        } else if (s == '>' && state.quoteCrossedLine) {
          state = {};
          break;
        }
      } else if (s == '"' || s == '\'') {
        state = {Markup::quoted, s};
      } else if (s == '>') {
        state = {};
        break;
      }
    }
    if (stop == text + n) break;
    out[written++] = ' ';
    previous = '>';
    i = static_cast<std::size_t>(stop - text);
  }
  if (state.markup == Markup::quoted) state.quoteCrossedLine = true;
  state_ = state;
  length = written;
  return true;
}

void TagStripper::Strip(std::string& line) {
  std::size_t length = 0;
  StripInto<false>(line.data(), line.size(), line.data(), length);
  line.resize(length);
  JoinTypeWords(line);
}

bool TagStripper::StripIfPlain(std::string& line) {
  static_assert(kPlainRowSlack >= 16, "room for StripInto's whole 16-byte copies too");
  out_.resize(line.size() + kPlainRowSlack);
  std::size_t length = 0;
  const bool plainRow = quickPath_ && state_.markup == Markup::none &&
                        StripPlainRow(line, out_.data(), length, droppedBlanks_);
  if (!plainRow && !StripInto<true>(line.data(), line.size(), out_.data(), length)) return false;
  out_.resize(length);
  line.swap(out_);
  JoinTypeWords(line);
  return true;
}

std::string_view ConvertDisplayLine(std::string& line, TagStripper& stripper) {
  if (!StrippedWithoutReplacements(line, stripper)) {
    // With the dashes that the stripper drops from shown text, this makes the
    // hidden comment of the program's own export visible.
    ReplaceAll(line, "<!-- -", "");
    ReplaceAll(line, "<BR>", "");
    ReplaceAll(line, "<Br>", "");
    ReplaceAll(line, "<br>", "");
    ReplaceAll(line, "&nbsp;", " ");
    stripper.Strip(line);
  }
  // The places move with the blanks trimmed in front.
  const std::string_view text = TrimmedView(line);
  const auto front = static_cast<std::size_t>(text.data() - line.data());
  if (front > 0)
    for (std::size_t& place : stripper.DroppedBlanks()) place -= front;
  return text;
}

namespace {

// An MT5 account history's title starts with the account number and a colon
// in every language: "<title>12345678: Name - Trade History Report".
bool HasAccountTitle(std::string_view line) {
  constexpr std::string_view kTitle = "<title>";
  const std::size_t title = FindWithoutCase(line, kTitle);
  if (title == std::string_view::npos) return false;
  const std::size_t digits = title + kTitle.size();
  std::size_t end = digits;
  while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
  return end > digits && end < line.size() && line[end] == ':';
}

}  // namespace

bool HasStatementMark(std::string_view line) {
  for (std::string_view mark : kMarks)
    if (line.find(mark) != std::string_view::npos) return true;
  return HasAccountTitle(line);
}

Conversion ConvertStatement(const std::string& sourcePath, const TextWriter& write,
                            Progress& progress) {
  PageBytes page = OpenPage(sourcePath);
  if (page.size < 0 || !page.source) return Conversion::notStatement;
  if (page.failed) return Conversion::sourceFailed;
  std::FILE* const source = page.Text();
  if (!HasMarkedHead(source)) return Conversion::notStatement;
  if (page.oddUtf16) return Conversion::oddUtf16;
  long long lines = 0;
  bool open = true;
  if (std::fseek(source, 0, SEEK_SET) != 0) return Conversion::sourceFailed;
  // A page in a legacy code page is decoded line by line before its tags go,
  // so that no byte of a double-byte character is read as markup; a page
  // whose head is ASCII or UTF-8 is looked at only in the converted text,
  // where a first byte past ASCII names a code page for the rest.
  // Decoded UTF-16 is UTF-8 whatever its page declares.
  const std::string headCharset = page.utf16 ? "UTF-8" : HeadCharset(source);
  const bool legacyPage = !headCharset.empty() && headCharset != "UTF-8";
  LineDecoder decoder(headCharset);
  if (std::fseek(source, 0, SEEK_SET) != 0) return Conversion::sourceFailed;
  // Progress counts the bytes on disk, so that a UTF-16 page's half-size
  // text still ends at the end.
  progress.SetRange(page.size);
  long long shown = 0;
  // The size of a UTF-16 page's text is known only once it is read.
  LineReader reader(source, true, page.utf16 ? -1 : page.size);
  TagStripper stripper;
  std::string line;
  std::string chunk;  // lines go out in large blocks, not one by one
  constexpr std::size_t kChunk = 1 << 16;
  chunk.reserve(kChunk);
  auto writeChunk = [&] {
    if (!legacyPage) decoder.Decode(chunk);
    return write(chunk);
  };
  long long consumed = 0;  // bytes of text at the last step of progress
  constexpr long long kProgressStep = 1 << 12;
  // The page's own line, counted from 1: a "<br>" ends a display line within it.
  long long pageLines = 0;
  bool lineBegins = true;
  // A line read ahead to see whether it goes on a tooltip, and whether it ended.
  std::string ahead;
  bool aheadRead = false;
  bool aheadEnded = true;
  long long aheadLine = 0;
  auto readLine = [&](std::string& into, bool& ended, long long& number) {
    if (aheadRead) {
      into.swap(ahead);
      aheadRead = false;
      ended = aheadEnded;
      number = aheadLine;
      return true;
    }
    if (!reader.ReadLine(into)) return false;
    // Progress moves in steps of a few kilobytes: a row is too small a step to count.
    if (reader.Consumed() - consumed >= kProgressStep) {
      consumed = reader.Consumed();
      const long long onDisk = std::min(
          std::llround(static_cast<double>(consumed) * page.SourceBytesPerTextByte()), page.size);
      // A UTF-16 page's bytes per character are known as it is read: the count never goes back.
      if (onDisk > shown) progress.Advance(onDisk - shown);
      shown = std::max(shown, onDisk);
    }
    ended = reader.LineEnded();
    pageLines += lineBegins;
    lineBegins = !EndsWithBreakTag(into);
    number = pageLines;
    if (legacyPage) decoder.Decode(into);
    return true;
  };
  // A tooltip takes at most so many display lines, and never the start of
  // another row: then its quote was a stray one, which the stripper bounds.
  constexpr int kTooltipLines = 8;
  bool ended = true;
  long long sourceLine = 0;
  while (open && readLine(line, ended, sourceLine)) {
    for (int n = 1; n < kTooltipLines && ended && TicketTooltipLeftOpen(line) &&
                    readLine(ahead, aheadEnded, aheadLine);
         ++n) {
      if (FindWithoutCase(ahead, "<tr") != std::string_view::npos) {
        aheadRead = true;
        break;
      }
      line.append(1, ' ').append(ahead);
      ended = aheadEnded;
    }
    if (!ended && !IsWholeLastLine(line)) break;
    if (const std::string_view tooltip = TicketTooltip(line); !tooltip.empty()) {
      AppendTooltipLine(chunk, tooltip);
      ++lines;
    }
    const std::string_view text = ConvertDisplayLine(line, stripper);
    if (!text.empty()) {
      if (HasOverlongNumber(text)) {
        chunk.push_back(kSourceLineMark);
        chunk.append(std::to_string(sourceLine)).push_back('\n');
        ++lines;
      }
      if (!stripper.DroppedBlanks().empty()) {
        AppendDroppedBlankLine(chunk, stripper.DroppedBlanks());
        ++lines;
      }
      chunk.append(text).push_back('\n');
      ++lines;
    }
    if (chunk.size() >= kChunk) {
      open = writeChunk();
      chunk.clear();
    }
    progress.Pump();
  }
  if (open) open = writeChunk();
  progress.Advance(page.size - shown);  // a last line end, or a UTF-16 mark
  progress.SetRange(lines);
  progress.SetPosition(0);
  if (!open) return Conversion::writerStopped;
  if (std::ferror(source)) return Conversion::sourceFailed;
  return EndsWithClosingTag(page.source.get(), page.size, page.order) ? Conversion::complete
                                                                      : Conversion::endsEarly;
}

bool IsStatementFile(const std::string& sourcePath) {
  // The marks stand in the first lines: a UTF-16 page's head tells.
  constexpr long long kHead = 4 * kCharsetHead;
  PageBytes page = OpenPage(sourcePath, kHead);
  return page.size >= 0 && page.source && !page.failed && HasMarkedHead(page.Text());
}

}  // namespace quillfen
