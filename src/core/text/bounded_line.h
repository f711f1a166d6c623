#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace quillfen {

// What the program's own small files (settings, recent files) read per line:
// a line buffer of 1024 bytes.
inline constexpr std::size_t kFileLineLimit = 1023;

// Reads as a fixed line buffer does: up to and including the next line feed,
// but never more than `limit` bytes, so a longer line is cut and its rest is
// read as the next line. False when nothing was left to read.
bool ReadBoundedLine(std::istream& in, std::size_t limit, std::string& line);

}  // namespace quillfen
