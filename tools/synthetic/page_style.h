#pragma once

#include <string_view>

#include "synthetic/page_writer.h"

namespace quillfen::synthetic {

// The head of a terminal page up to the opening of its body, and the cell
// attributes both page kinds share.
void WriteHead(PageWriter& out, std::string_view title, std::string_view metaLines);

// The mso-number-format style of a price cell with that many decimals.
void WritePriceStyle(PageWriter& out, int digits);

}  // namespace quillfen::synthetic
