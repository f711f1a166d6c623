#pragma once

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "text/text_conversions.h"

namespace quillfen {

// The manifest of the real terminal files beside the project; null when absent.
inline nlohmann::json Manifest() {
  std::ifstream file(std::string(QUILLFEN_STATEMENTS) + "/manifest.json");
  return file ? nlohmann::json::parse(file) : nlohmann::json();
}

// The terminal prints amounts with blanks between thousands ("-255 000.00").
inline double PrintedAmount(std::string text) {
  std::erase(text, ' ');
  return TextToAmount(text);
}

}  // namespace quillfen
