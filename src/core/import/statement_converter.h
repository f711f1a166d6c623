#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "progress.h"

namespace quillfen {

// Where a line of a page starts: in shown text, or inside a comment, a
// declaration, a tag or a quoted attribute value that an earlier line left
// open. The order lets the stripper tell shown text and comments, where
// dashes matter, and the inside of tags apart with one comparison each.
enum class Markup : unsigned char { none, comment, declaration, tag, quoted };

struct MarkupState {
  Markup markup = Markup::none;
  char quote = '\0';  // the mark that closes a quoted value
  // A quoted value that a line end passed through ends at the tag's end at
  // the latest: one stray quote must not hide the rest of the page.
  bool quoteCrossedLine = false;
  bool operator==(const MarkupState&) const = default;
};

// Removes the HTML tags of one display line in place, as a browser reads them:
// a "<" opens markup only before a tag name, "/", "!" or "?", quoted values and
// comments end where they end, and what is open at a line end stays open for
// the next line of one conversion.
class TagStripper {
 public:
  // With quickPath a line of whole tags takes StripPlainRow's road; without
  // it every line is read a stop at a time (the plain twin the quick road is
  // held equal to).
  explicit TagStripper(bool quickPath = true) : quickPath_(quickPath) {}

  void Strip(std::string& line);
  // Strips the line, its "&nbsp;" read as blanks, unless it holds the start of
  // another replacement ("<!", "<B", "<b", "--"); then it leaves line and state
  // as they were.
  bool StripIfPlain(std::string& line);
  const MarkupState& State() const { return state_; }
  // Where the last stripped line lost a blank between two digits: the places
  // in it of the characters that followed those blanks.
  std::vector<std::size_t>& DroppedBlanks() { return droppedBlanks_; }

 private:
  template <bool kWatch>
  bool StripInto(const char* text, std::size_t n, char* out, std::size_t& length);

  bool quickPath_;
  MarkupState state_;
  std::string out_;
  std::vector<std::size_t> droppedBlanks_;
};

// The replacements, tag stripping and trimming that turn one raw display line
// into a line of the working text file: the part of `line` it gives (empty
// when nothing is left), trimmed without moving the rest. The stripper's
// DroppedBlanks are then places in that part.
std::string_view ConvertDisplayLine(std::string& line, TagStripper& stripper);

// True when the raw display line carries a statement or report mark.
bool HasStatementMark(std::string_view line);

// Starts a line of the working text that carries the tooltip of the next
// line's first cell, the ticket's magic number and comment, ahead of that line.
inline constexpr char kTooltipMark = '\x01';

// Starts a line of the working text that gives the page's own line number of
// the next line, ahead of a line with a number too long to be an amount (more
// than 15 digits), so that the reader can name the line it leaves out.
inline constexpr char kSourceLineMark = '\x02';
inline constexpr int kLongestAmountDigits = 15;

// Starts a line of the working text that gives, ahead of the next line, the
// places in it where a blank between two digits was dropped (a thousands
// separator, "10 000.00"), as numbers with a blank between them: the text as
// printed is the line with those blanks put back.
inline constexpr char kDroppedBlankMark = '\x03';

// Receives the converted text in blocks of whole lines; false stops the conversion.
using TextWriter = std::function<bool(std::string_view)>;

// How a conversion ended: no statement or report mark in the first five
// display lines, every line handed over, every line handed over of a page
// that lacks its closing tag, the writer refused a block, the source could
// not be read to its end, or a page in UTF-16 has an odd number of bytes (and
// nothing of it was handed over).
enum class Conversion { notStatement, complete, endsEarly, writerStopped, sourceFailed, oddUtf16 };

// What the user is told of a UTF-16 page with an odd number of bytes.
inline constexpr const char* kOddUtf16Reason =
    "The file is UTF-16 text with an odd number of bytes: it is damaged and was not read";

// What the user is told of a page that lacks its closing tag.
inline constexpr const char* kEndsEarlyWarning = "The file ends early; it may be incomplete";

// Converts an HTML statement into text, one table row per line with the cells
// as words, handed to write. The text is UTF-8 whatever the file's code page
// (see DetectCharset; a page in UTF-16, told by DetectUtf16, is decoded as it
// is read); a row whose first cell has a tooltip follows a
// kTooltipMark line that holds it. Progress: the source size while converting, then
// the text's line count with position 0.
Conversion ConvertStatement(const std::string& sourcePath, const TextWriter& write,
                            Progress& progress);

// Whether the file is a regular file with a statement or report mark.
bool IsStatementFile(const std::string& sourcePath);

}  // namespace quillfen
