#pragma once

#include <cstdio>
#include <string_view>

namespace quillfen {

// The byte order of a page in UTF-16, or none when it is not in UTF-16.
enum class Utf16Order { none, littleEndian, bigEndian };

// How the first bytes of a page are written: a byte-order mark names UTF-16
// outright; without one, ASCII markup in UTF-16 shows as a zero byte in every
// pair, on the same side. UTF-8 and the 8-bit code pages have no zero bytes.
Utf16Order DetectUtf16(std::string_view head);

// How a transcoding ended.
enum class Utf16Transcoding { complete, failed };

// Writes the UTF-16 text of `in`, from its current place to its end (a
// byte-order mark left out), as UTF-8 to `out`, a block at a time; units that
// form no character become U+FFFD. At most `limit` bytes of `in` are read
// (0: all). A dangling last byte is no character and is left out.
Utf16Transcoding TranscodeUtf16(std::FILE* in, std::FILE* out, Utf16Order order,
                                long long limit = 0);

}  // namespace quillfen
