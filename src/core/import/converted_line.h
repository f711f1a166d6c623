#pragma once

#include <string_view>

namespace quillfen {

// Whether a word of a converted line (words end at blanks) has more digits
// than an amount, kLongestAmountDigits.
bool HasOverlongNumber(std::string_view line);

}  // namespace quillfen
