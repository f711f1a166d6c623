#include "twins/overlong_number.h"

#include "import/statement_converter.h"
#include "text/text_conversions.h"

namespace quillfen::testing {

bool HasOverlongNumberByteByByte(std::string_view line) {
  int digits = 0;
  for (char c : line) {
    digits = c == ' ' ? 0 : digits + IsDigit(c);
    if (digits > kLongestAmountDigits) return true;
  }
  return false;
}

}  // namespace quillfen::testing
