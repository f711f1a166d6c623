#pragma once

#include <string>

namespace quillfen {

// One figure of a report's own figures block: its English label and its text
// exactly as printed.
struct PrintedFigure {
  std::string label;
  std::string text;
  bool operator==(const PrintedFigure&) const = default;
};

}  // namespace quillfen
