#include "export/html_text.h"

namespace quillfen {

namespace {

bool NeedsEscape(std::string_view text, bool ampersand) {
  for (char c : text)
    if (c == '<' || c == '>' || (c == '&' && ampersand)) return true;
  return false;
}

void AppendEscaped(std::string& page, std::string_view text, bool ampersand) {
  if (!NeedsEscape(text, ampersand)) {
    page.append(text);
    return;
  }
  std::size_t plain = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char* entity = c == '<'                ? "&lt;"
                         : c == '>'              ? "&gt;"
                         : c == '&' && ampersand ? "&amp;"
                                                 : nullptr;
    if (!entity) continue;
    page.append(text.substr(plain, i - plain));
    page.append(entity);
    plain = i + 1;
  }
  page.append(text.substr(plain));
}

}  // namespace

void AppendHtmlText(std::string& page, std::string_view text) {
  AppendEscaped(page, text, true);
}

void AppendCellText(std::string& page, std::string_view text) {
  AppendEscaped(page, text, false);
}

std::string UrlPathSegment(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : name) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace quillfen
