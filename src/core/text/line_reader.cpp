#include "text/line_reader.h"

#include <algorithm>
#include <cstring>

#include "text/byte_search.h"

namespace quillfen {

namespace {

bool EndsLine(char c) {
  return c == '\r' || c == '\n' || c == '\0';
}

bool MayEndBreakTag(const char* p) {
  return *p == '>' && (p[-1] | 0x20) == 'r' && (p[-2] | 0x20) == 'b';
}

// The first line end or zero byte in [p, end), or a ">" that may close a break
// tag. Rows close many tags; only ">" after the letters b and r is worth a
// closer look. The two bytes before start may lie outside the line's buffer,
// so there every ">" is handed over.
const char* FindLineEndOrBreak(const char* start, const char* p, const char* end) {
  for (; p < end && p < start + 2; ++p)
    if (EndsLine(*p) || *p == '>') return p;
#if defined(__SSE2__)
  const __m128i caseBit = _mm_set1_epi8(0x20);
  for (; end - p >= 16; p += 16) {
    auto load = [&](int back) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - back));
    };
    const __m128i bytes = load(0);
    const __m128i ends = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')) |
                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')) |
                         _mm_cmpeq_epi8(bytes, _mm_setzero_si128());
    const __m128i tags = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('>')) &
                         _mm_cmpeq_epi8(load(1) | caseBit, _mm_set1_epi8('r')) &
                         _mm_cmpeq_epi8(load(2) | caseBit, _mm_set1_epi8('b'));
    if (const int mask = _mm_movemask_epi8(ends | tags))
      return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  for (; p < end; ++p)
    if (EndsLine(*p) || MayEndBreakTag(p)) return p;
  return p;
}

}  // namespace

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
      stop = breakTags_ ? FindLineEndOrBreak(start, stop, end)
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
    if (breakTag) return lineEnded_ = true;
    if (stop == end) continue;
    ++position_;
    ++consumed_;
    if (*stop == '\0') {
      sink(std::string_view(" "));
      Remember(" ");
      continue;
    }
    skipLineFeed_ = *stop == '\r';
    return lineEnded_ = true;
  }
  lineEnded_ = false;
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
