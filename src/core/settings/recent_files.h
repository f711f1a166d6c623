#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace quillfen {

inline constexpr const char* kRecentFilesFileName = "Quillfen.mru";

// The last four reports opened, entry 0 the most recent. An empty entry or "0"
// (the simulation-only window's path) counts as absent.
using RecentFiles = std::array<std::string, 4>;

bool IsPresentRecentEntry(const std::string& entry);

// Reads "Quillfen.mru" in the directory; all entries empty when it cannot be read.
RecentFiles LoadRecentFiles(const std::filesystem::path& directory);

// Writes the present entries, most recent first; false when the file cannot be
// written (it then keeps its old content).
bool SaveRecentFiles(const std::filesystem::path& directory, const RecentFiles& files);

// Moves or inserts the name at the top. Returns false when the name already is
// entry 0 or would not come back from the file as itself (a line end inside,
// blanks or underscores at its ends, longer than a line), in which case nothing
// is to be saved or shown.
bool AddRecentFile(RecentFiles& files, const std::string& name);

}  // namespace quillfen
