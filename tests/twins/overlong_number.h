#pragma once

#include <string_view>

namespace quillfen::testing {

// Whether a word of a converted line has more digits than an amount, counted
// byte by byte: the plain twin of HasOverlongNumber.
bool HasOverlongNumberByteByByte(std::string_view line);

}  // namespace quillfen::testing
