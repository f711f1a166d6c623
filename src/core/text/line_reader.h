#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace quillfen {

// Reads a file as single-byte text, one line at a time, of any length. A line
// ends at CR, at LF, or at the pair CR LF (one end); with breakTags it also ends
// directly after "<BR>", "<br>" or "<Br>", which stay in the line. A zero byte
// reads as a space. A last line without a line end is still a line; LineEnded
// tells it apart.
class LineReader {
 public:
  // fileSize, when known (-1 if not), lets a very long line be allocated once.
  LineReader(std::FILE* file, bool breakTags, long long fileSize = -1);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // False at the end of the file.
  bool ReadLine(std::string& line);

  // Like ReadLine, but hands the line over in pieces without keeping it.
  bool ScanLine(const std::function<void(std::string_view)>& sink);

  // Whether the line just read ended with a line end or a break tag; false for
  // a last line that the end of the file cut off.
  bool LineEnded() const { return lineEnded_; }

  // Bytes taken from the file so far, line ends included.
  long long Consumed() const { return consumed_; }

 private:
  template <class Sink>
  bool Next(Sink&& sink);
  bool Fill();
  bool BreakTagEndsAt(const char* start, const char* close) const;
  void Remember(std::string_view piece);

  std::FILE* file_;
  bool breakTags_;
  long long fileSize_;
  long long consumed_ = 0;
  bool skipLineFeed_ = false;
  bool lineEnded_ = true;
  char buffer_[1 << 16];
  std::size_t position_ = 0;
  std::size_t length_ = 0;
  char tail_[3] = {};  // the last characters of the line before the buffered part
  int tailLength_ = 0;
};

}  // namespace quillfen
