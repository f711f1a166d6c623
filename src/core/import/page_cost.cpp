#include "import/page_cost.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace quillfen {

namespace {

// Pages beyond the largest measured are never shown without asking, whatever
// their shape: nothing says the estimate holds there.
constexpr std::int64_t kLargestShown = 8LL * 1024 * 1024;

// Fitted on generated statements, tester reports, statements with magic-number
// lines and pages of one-digit cells up to 5.6 MB and 2.1 GB, each shown in the
// page viewer with its processes' peak taken (bench/page_viewer_cost.sh): the
// program with its viewer and no page, then what each cell and each byte of
// the page adds. Rounded up so that every measured page is overestimated.
constexpr double kBaseMegabytes = 300;
constexpr double kCellKilobytes = 4.6;
constexpr double kBytesPerByte = 36;

bool IsTagEnd(char c) {
  return c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '/';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The cell tags that start in page[0 .. end); a tag needs up to four bytes, which
// may run past end into the page.
void CountTags(std::string_view page, std::size_t end, PageShape& shape) {
  const char* const data = page.data();
  for (std::size_t at = 0; at < end; ++at) {
    const void* found = std::memchr(data + at, '<', end - at);
    if (!found) return;
    at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    if (at + 3 >= page.size() || Lower(data[at + 1]) != 't' || !IsTagEnd(data[at + 3])) continue;
    const char kind = Lower(data[at + 2]);
    if (kind == 'd' || kind == 'h') ++shape.cells;
  }
}

}  // namespace

PageShape CountPageShape(std::string_view page) {
  PageShape shape;
  shape.bytes = static_cast<std::int64_t>(page.size());
  CountTags(page, page.size(), shape);
  return shape;
}

std::optional<PageShape> ReadPageShape(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  PageShape shape;
  shape.bytes = static_cast<std::int64_t>(file.tellg());
  if (shape.bytes < 0) return std::nullopt;
  if (shape.bytes > kLargestShown) return shape;
  file.seekg(0);
  // Each piece keeps the last three bytes of the one before, so that a tag
  // split between two pieces is counted once, in the second.
  constexpr std::size_t kPiece = 1 << 20;
  constexpr std::size_t kCarry = 3;
  std::vector<char> buffer(kPiece + kCarry);
  std::size_t held = 0;
  while (file) {
    file.read(buffer.data() + held, static_cast<std::streamsize>(kPiece));
    const auto got = static_cast<std::size_t>(file.gcount());
    if (got == 0) break;
    held += got;
    const bool last = !file;
    const std::size_t end = last ? held : held - std::min(held, kCarry);
    CountTags(std::string_view(buffer.data(), held), end, shape);
    std::memmove(buffer.data(), buffer.data() + end, held - end);
    held -= end;
  }
  if (file.bad()) return std::nullopt;
  return shape;
}

std::int64_t PageViewerMegabytes(const PageShape& shape) {
  const double kilobytes = static_cast<double>(shape.cells) * kCellKilobytes +
                           static_cast<double>(shape.bytes) * kBytesPerByte / 1024;
  return static_cast<std::int64_t>(kBaseMegabytes + kilobytes / 1024);
}

bool ShowsPageByItself(const PageShape& shape) {
  return shape.bytes <= kLargestShown && PageViewerMegabytes(shape) <= kPageViewerBudgetMegabytes;
}

}  // namespace quillfen
