#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "cli_run.h"

namespace quillfen::cli {

// JSON wants UTF-8. Cell texts are UTF-8, whatever the statement's code page;
// a text that is not (a file name) is read as Latin-1, so no byte is lost.
nlohmann::json JsonText(std::string_view text);

// Prints the object with its keys in order, the grids' rows among them, one
// row per line.
void WriteJson(std::ostream& out, const nlohmann::json& object,
               const std::map<std::string, JsonRows>& rows);

}  // namespace quillfen::cli
