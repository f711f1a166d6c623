#include "text/bounded_line.h"

namespace quillfen {

bool ReadBoundedLine(std::istream& in, std::size_t limit, std::string& line) {
  line.clear();
  char c;
  while (line.size() < limit && in.get(c)) {
    line += c;
    if (c == '\n') break;
  }
  return !line.empty();
}

}  // namespace quillfen
