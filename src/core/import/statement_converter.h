#pragma once

#include <string>

#include "progress.h"

namespace quillfen {

// Removes the HTML tags of one display line in place. The tag depth carries
// over from line to line of one conversion; comment and quote state do not.
class TagStripper {
 public:
  void Strip(std::string& line);
  int Depth() const { return depth_; }

 private:
  int depth_ = 0;
};

// The replacements, tag stripping and trimming that turn one raw display line
// into a line of the working text file (empty when nothing is left).
void ConvertDisplayLine(std::string& line, TagStripper& stripper);

// True when the raw display line carries a statement or report mark.
bool HasStatementMark(std::string_view line);

// Converts an HTML statement into the working text file, one table row per line
// with the cells as words. True when the source is a statement or report: a mark
// in one of its first five display lines. Progress: the source size while
// converting, then the text file's line count with position 0.
bool StatementToText(const std::string& sourcePath, const std::string& textPath,
                     Progress& progress);

}  // namespace quillfen
