#include "import/line_reader.h"

#include "import/byte_search.h"

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
  for (char c : piece.substr(piece.size() > 3 ? piece.size() - 3 : 0)) {
    if (tailLength_ == 3) {
      tail_[0] = tail_[1];
      tail_[1] = tail_[2];
      tailLength_ = 2;
    }
    tail_[tailLength_++] = c;
  }
}

// Whether the ">" at close ends "<BR>", "<br>" or "<Br>". The line's characters
// are in the buffer from start on and, before that, in tail_.
bool LineReader::BreakTagEndsAt(const char* start, const char* close) const {
  char tag[3];
  const std::ptrdiff_t inBuffer = close - start;
  for (std::ptrdiff_t back = 3; back > 0; --back) {
    char& c = tag[3 - back];
    if (inBuffer >= back) {
      c = close[-back];
    } else {
      const std::ptrdiff_t fromTail = back - inBuffer;
      if (fromTail > tailLength_) return false;
      c = tail_[tailLength_ - fromTail];
    }
  }
  return tag[0] == '<' && (tag[1] == 'B' || tag[1] == 'b') && (tag[2] == 'R' || tag[2] == 'r') &&
         !(tag[1] == 'b' && tag[2] == 'R');
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
    bool breakTag = false;
    for (;;) {
      stop = breakTags_ ? FindFirstOf<'\r', '\n', '\0', '>'>(stop, end)
                        : FindFirstOf<'\r', '\n', '\0'>(stop, end);
      if (stop == end || *stop != '>') break;
      ++stop;
      const char before = stop - 1 > start ? stop[-2] : tailLength_ ? tail_[tailLength_ - 1] : '\0';
      if ((before == 'R' || before == 'r') && BreakTagEndsAt(start, stop - 1)) {
        breakTag = true;
        break;
      }
    }
    std::string_view piece(start, static_cast<std::size_t>(stop - start));
    if (!piece.empty()) {
      sink(piece);
      if (breakTags_) Remember(piece);
    }
    position_ += piece.size();
    consumed_ += static_cast<long long>(piece.size());
    if (breakTag) return true;
    if (stop == end) continue;
    ++position_;
    ++consumed_;
    if (*stop == '\0') {
      sink(std::string_view(" "));
      Remember(" ");
      continue;
    }
    skipLineFeed_ = *stop == '\r';
    return true;
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
