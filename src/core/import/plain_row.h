#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillfen {

// Bytes past a line's length that StripPlainRow may write to: it copies a
// short run of shown text as a whole 32 bytes.
inline constexpr std::size_t kPlainRowSlack = 32;

// The quick road for most lines of a page, a table row of whole tags: the
// line starts and ends in shown text, every "<" opens a tag (a letter or "/"
// follows, and not "b" or "B"), every tag ends at its first ">" with its
// double quotes in pairs, and the line holds no "&", apostrophe or "--". Then
// it writes the text StripInto gives, with the places of the thousands blanks
// it dropped, and is true; false leaves the line to StripInto, which reads all.
bool StripPlainRow(const std::string& line, char* out, std::size_t& length,
                   std::vector<std::size_t>& droppedBlanks);

}  // namespace quillfen
