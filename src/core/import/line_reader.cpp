#include "import/line_reader.h"

#include <algorithm>
#include <cstring>

namespace quillfen {

LineReader::LineReader(std::FILE* file, bool breakTags, long long fileSize)
    : file_(file), breakTags_(breakTags), fileSize_(fileSize) {}

bool LineReader::Fill() {
  if (position_ < length_) return true;
  position_ = 0;
  length_ = file_ ? std::fread(buffer_, 1, sizeof buffer_, file_) : 0;
  return length_ > 0;
}

void LineReader::Remember(std::string_view piece) {
  for (char c : piece.substr(piece.size() > 4 ? piece.size() - 4 : 0)) {
    if (tailLength_ == 4) {
      std::memmove(tail_, tail_ + 1, 3);
      tailLength_ = 3;
    }
    tail_[tailLength_++] = c;
  }
}

bool LineReader::EndsBreakTag() const {
  if (tailLength_ < 4) return false;
  std::string_view tag(tail_, 4);
  return tag == "<BR>" || tag == "<br>" || tag == "<Br>";
}

template <class Sink>
bool LineReader::Next(Sink&& sink) {
  tailLength_ = 0;
  if (skipLineFeed_) {
    skipLineFeed_ = false;
    if (Fill() && buffer_[position_] == '\n') {
      ++position_;
      ++consumed_;
    }
  }
  bool any = false;
  while (Fill()) {
    any = true;
    const char* start = buffer_ + position_;
    const char* end = buffer_ + length_;
    const char* stop = start;
    while (stop < end && *stop != '\r' && *stop != '\n' && *stop != '\0' &&
           !(breakTags_ && *stop == '>'))
      ++stop;
    std::string_view piece(start, static_cast<std::size_t>(stop - start));
    if (!piece.empty()) {
      sink(piece);
      if (breakTags_) Remember(piece);
    }
    position_ += piece.size();
    consumed_ += static_cast<long long>(piece.size());
    if (stop == end) continue;
    ++position_;
    ++consumed_;
    if (*stop == '\0') {
      sink(std::string_view(" "));
      Remember(" ");
    } else if (*stop == '>') {
      sink(std::string_view(">"));
      Remember(">");
      if (EndsBreakTag()) return true;
    } else {
      skipLineFeed_ = *stop == '\r';
      return true;
    }
  }
  return any;
}

bool LineReader::ScanLine(const std::function<void(std::string_view)>& sink) {
  return Next(sink);
}

bool LineReader::ReadLine(std::string& line) {
  line.clear();
  return Next([&](std::string_view piece) {
    // A line that outgrows a megabyte is sized once to what the file can still hold.
    if (fileSize_ > 0 && line.size() + piece.size() > (1u << 20) &&
        line.capacity() < line.size() + piece.size()) {
      long long remaining = std::max(0LL, fileSize_ - consumed_);
      line.reserve(line.size() + piece.size() + static_cast<std::size_t>(remaining));
    }
    line.append(piece);
  });
}

}  // namespace quillfen
