// Pages longer than the line reader's 64 KiB buffer, made from the input so
// that one of its line ends or tags is cut by the end of the buffer: the page
// must pass the statement checks, and both it and the text converted from it
// must read as plain splitting splits them.
//
// The place is one of the input's line ends or a "<" before "b" or "B". The
// last input byte tells how to make the page: bits 0-1 how many bytes of the
// place fall before the buffer's end; bit 2 whether a run of blanks is put
// into the place's line (which makes that line longer than the buffer too)
// rather than the input repeated in front of it; the other bits, above the
// byte before, which place.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "plain_lines.h"
#include "statement_checks.h"
#include "text/line_reader.h"

namespace {

using namespace quillfen;
using namespace quillfen::fuzz;

constexpr std::size_t kBuffer = 1 << 16;  // the line reader's

std::string LongPage(std::string_view body, std::uint8_t pick, std::uint8_t how) {
  std::vector<std::size_t> places;
  for (std::size_t i = 0; i < body.size(); ++i)
    if (body[i] == '\r' || body[i] == '\n' ||
        (body[i] == '<' && i + 1 < body.size() && (body[i + 1] | 0x20) == 'b'))
      places.push_back(i);
  const std::size_t which = static_cast<std::size_t>(how >> 3) << 8 | pick;
  const std::size_t place = places.empty() ? 0 : places[which * places.size() / 8192];
  const std::size_t ahead = kBuffer - (how & 3u) - place;  // bytes to put in front of place
  std::string page;
  page.reserve(kBuffer + body.size());
  if (how & 4u) {
    page.append(body.substr(0, place)).append(ahead, ' ');
  } else {
    for (std::size_t n = ahead / body.size(); n > 0; --n) page.append(body);
    page.append(ahead % body.size(), '\n').append(body.substr(0, place));
  }
  page.append(body.substr(place));
  while (page.size() <= kBuffer) page.append(body);  // text goes on past the buffer's end
  return page;
}

void RequirePlainLines(const std::string& path, bool breakTags) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream whole;
  whole << file.rdbuf();
  std::FILE* text = std::fopen(path.c_str(), "rb");
  Require(text != nullptr, "the scratch file opens again");
  LineReader reader(text, breakTags);
  std::vector<std::string> lines;
  for (std::string line; reader.ReadLine(line);) lines.push_back(line);
  std::fclose(text);
  Require(lines == PlainLines(whole.str(), breakTags), "lines are split as plain splitting does");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3 || size > kBuffer / 2) return 0;  // room in front of every place
  const std::string_view body(reinterpret_cast<const char*>(data), size - 2);
  const std::string source = ScratchFolder() + "/statement.htm";
  const std::string text = ScratchFolder() + "/statement.tmp";
  WriteFile(source, LongPage(body, data[size - 2], data[size - 1]));
  for (bool breakTags : {true, false}) RequirePlainLines(source, breakTags);
  if (CheckStatement(source, text)) RequirePlainLines(text, false);
  return 0;
}
