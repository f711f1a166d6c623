#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

// The line reader's rules applied one character at a time to a whole text in
// memory: what the buffered reader must give wherever its buffer ends. The
// fuzz targets use it too.
inline std::vector<std::string> PlainLines(std::string_view text, bool breakTags) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      continue;
    }
    line += c == '\0' ? ' ' : c;
    if (breakTags && c == '>' &&
        (line.ends_with("<BR>") || line.ends_with("<br>") || line.ends_with("<Br>"))) {
      lines.push_back(line);
      line.clear();
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace quillfen
