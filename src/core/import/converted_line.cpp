#include "import/converted_line.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "import/statement_converter.h"
#include "text/byte_search.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

constexpr std::size_t kLongWord = kLongestAmountDigits + 1;
static_assert(kLongWord == 16, "LongWordAt finds runs of sixteen");

// Bit k: bytes k to k + 15 of the 64 flagged in `word` are all set.
std::uint64_t LongWordAt(std::uint64_t word) {
  word &= word >> 1;
  word &= word >> 2;
  word &= word >> 4;
  return word & word >> 8;
}

// Whether the line holds kLongWord bytes in a row without a blank: a word
// with too many digits is at least that long, and most lines hold none.
bool HasLongWord(std::string_view line) {
  std::size_t run = 0;  // bytes in a row without a blank at the end of the blocks before
  for (std::size_t base = 0; base < line.size(); base += 64) {
    const std::size_t left = line.size() - base;
    std::uint64_t word = 0;
    if (left >= 64) {
      word = ~Stops<' '>::Mask(line.data() + base);
    } else if (line.size() >= 64) {
      // The last 64 bytes of the line, those seen before shifted out.
      word = ~Stops<' '>::Mask(line.data() + line.size() - 64) >> (64 - left);
    } else {
      char padded[64];
      std::memset(padded, ' ', sizeof padded);
      std::memcpy(padded, line.data(), left);
      word = ~Stops<' '>::Mask(padded);
    }
    if (run + static_cast<std::size_t>(std::countr_one(word)) >= kLongWord || LongWordAt(word) != 0)
      return true;
    run = ~word == 0 ? run + 64 : static_cast<std::size_t>(std::countl_one(word));
  }
  return false;
}

}  // namespace

bool HasOverlongNumber(std::string_view line) {
  if (!HasLongWord(line)) return false;
  int digits = 0;
  for (char c : line) {
    digits = c == ' ' ? 0 : digits + IsDigit(c);
    if (digits > kLongestAmountDigits) return true;
  }
  return false;
}

}  // namespace quillfen
