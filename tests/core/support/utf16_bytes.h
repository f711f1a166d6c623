#pragma once

#include <string>
#include <string_view>

#include "text/utf16.h"

namespace quillfen::testing {

// ASCII text as UTF-16 units.
inline std::u16string Wide(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// A page as a UTF-16 file holds it: in the given byte order, with or without its mark.
inline std::string Utf16Bytes(std::u16string_view text, Utf16Order order, bool mark) {
  std::string bytes;
  auto put = [&](char16_t unit) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += order == Utf16Order::littleEndian ? low : high;
    bytes += order == Utf16Order::littleEndian ? high : low;
  };
  if (mark) put(u'\uFEFF');
  for (char16_t unit : text) put(unit);
  return bytes;
}

}  // namespace quillfen::testing
