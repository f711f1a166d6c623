#pragma once

#include <filesystem>
#include <string>

namespace quillfen {

// What the program keeps of one run for the next, beside its settings. The
// settings file keeps its own fixed lines; this file holds "key=value" lines.
inline constexpr const char* kSessionStateFileName = "Quillfen.session";

struct SessionState {
  // Where the Open dialog starts: the folder of the last report opened.
  std::string openFolder;

  bool operator==(const SessionState&) const = default;
};

// Reads the file in the directory; an absent, unreadable or oversized file, an
// unknown key and a line without "=" leave the defaults.
SessionState LoadSessionState(const std::filesystem::path& directory);

// Writes every value that would read back as itself; false when the file
// cannot be written (the old one then stays as it was).
bool SaveSessionState(const std::filesystem::path& directory, const SessionState& state);

// Takes the folder of a report just opened; true when it changed and is to be saved.
bool RememberOpenFolder(SessionState& state, const std::string& folder);

}  // namespace quillfen
