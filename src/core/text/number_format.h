#pragma once

#include <cstddef>
#include <string>

namespace quillfen {

// The general floating-point form of computed cells: the shortest text with up
// to 15 significant digits, never an exponent, "." as decimal point, negative
// zero written "0".
std::string FormatGeneral(double value);
// The same text written to out, for the values computed cells mostly hold
// (zero and 10^-12 <= |value| < 10^15), without a string of its own: gives
// its length, or 0 for a value only FormatGeneral writes.
constexpr std::size_t kGeneralRoom = 32;
std::size_t FormatGeneralTo(double value, char* out);

// printf's "%W.Df" without a signed zero: a value that prints as zero at this
// precision prints unsigned. Every number the program shows goes through here.
std::string FormatFixed(double value, int width, int decimals);
// The same into an existing text, reusing its storage: cells are rewritten by
// the hundred thousand.
void FormatFixedTo(std::string& text, double value, int width, int decimals);

// A statement's money, "1 234 567.89": a blank between thousands of the whole part.
std::string GroupThousands(std::string text);

// The value as "%.Df" would show it, with a signed zero made unsigned; for
// passing to printf-style formats that hold several values.
double UnsignedZero(double value, int decimals);

}  // namespace quillfen
