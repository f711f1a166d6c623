#include "json_output.h"

#include <set>

namespace quillfen::cli {

namespace {

constexpr auto kReplace = nlohmann::json::error_handler_t::replace;

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t follow = c < 0x80           ? 0
                               : (c >> 5) == 0x6  ? 1
                               : (c >> 4) == 0xE  ? 2
                               : (c >> 3) == 0x1E ? 3
                                                  : 9;
    if (follow == 9 || (follow > 0 && i + follow >= text.size())) return false;
    for (std::size_t k = 1; k <= follow; ++k)
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
    i += follow + 1;
  }
  return true;
}

// A value printed with two spaces of indent for each level, starting at level 1.
std::string Nested(const nlohmann::json& value) {
  std::string text = value.dump(2, ' ', false, kReplace);
  std::string nested;
  for (char c : text) {
    nested += c;
    if (c == '\n') nested += "  ";
  }
  return nested;
}

void WriteRows(std::ostream& out, const JsonRows& rows) {
  out << '[';
  for (int row = rows.first; row < rows.first + rows.count; ++row) {
    nlohmann::json cells = nlohmann::json::array();
    for (int column = 0; column < rows.columns; ++column)
      cells.push_back(JsonText(rows.cell(column, row)));
    out << (row == rows.first ? "\n    " : ",\n    ") << cells.dump(-1, ' ', false, kReplace);
  }
  out << (rows.count > 0 ? "\n  ]" : "]");
}

}  // namespace

nlohmann::json JsonText(std::string_view text) {
  if (IsUtf8(text)) return std::string(text);
  std::string utf8;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8.push_back(c);
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return utf8;
}

void WriteJson(std::ostream& out, const nlohmann::json& object,
               const std::map<std::string, JsonRows>& rows) {
  std::set<std::string> keys;
  for (const auto& item : object.items()) keys.insert(item.key());
  for (const auto& [key, value] : rows) keys.insert(key);
  out << '{';
  bool first = true;
  for (const std::string& key : keys) {
    out << (first ? "\n  " : ",\n  ") << nlohmann::json(key).dump(-1, ' ', false, kReplace) << ": ";
    first = false;
    if (auto found = rows.find(key); found != rows.end())
      WriteRows(out, found->second);
    else
      out << Nested(object.at(key));
  }
  out << (first ? "}\n" : "\n}\n");
}

}  // namespace quillfen::cli
