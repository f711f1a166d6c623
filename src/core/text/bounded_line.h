#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace quillfen {

// Reads as a fixed line buffer does: up to and including the next line feed,
// but never more than `limit` bytes, so a longer line is cut and its rest is
// read as the next line. False when nothing was left to read.
bool ReadBoundedLine(std::istream& in, std::size_t limit, std::string& line);

}  // namespace quillfen
