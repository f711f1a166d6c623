#pragma once

#include <filesystem>
#include <string_view>

namespace quillfen {

// Writes the whole content to a file beside the target and renames it over the
// target, so a crash or a full disk never leaves the target half-written.
// Returns false (the target untouched) when anything fails.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view content);

}  // namespace quillfen
