#pragma once

#include <string>
#include <string_view>

namespace quillfen {

// Appends text to an HTML page with "&", "<" and ">" as entities.
void AppendHtmlText(std::string& page, std::string_view text);

// Appends a cell text that is already HTML (its entities stay as read) with
// any "<" and ">" as entities, so it can neither open nor close a tag.
void AppendCellText(std::string& page, std::string_view text);

// A file name as a relative URL: bytes other than letters, digits and
// "-._~" percent-encoded, so spaces, quotes or "<" neither break nor inject.
std::string UrlPathSegment(std::string_view name);

}  // namespace quillfen
