#pragma once

#include <filesystem>
#include <string>

namespace quillfen {

inline constexpr const char* kSessionStateFileName = "Quillfen.state";

// What the program remembers of its last run, beside the settings file: one
// "key=value" line per field, so that a file of an older or newer program
// still reads. A field whose line is missing or unreadable keeps its default.
struct SessionState {
  // The main window's frame when not maximised, in screen pixels; a width or
  // height of 0 means none is known.
  int windowLeft = 0;
  int windowTop = 0;
  int windowWidth = 0;
  int windowHeight = 0;
  bool windowMaximised = false;
  // Where the Open dialog starts: the folder of the last report opened.
  std::string openFolder;
  // The broker's clock moved to the user's, in minutes (whole quarter hours).
  int timeShiftMinutes = 0;

  bool operator==(const SessionState&) const = default;
};

// The defaults when the file is missing or cannot be read.
SessionState LoadSessionState(const std::filesystem::path& directory);

// False when the file cannot be written; the old one then stays as it was.
bool SaveSessionState(const std::filesystem::path& directory, const SessionState& state);

// Takes the folder of a report just opened; true when it changed and is to be saved.
bool RememberOpenFolder(SessionState& state, const std::string& folder);

}  // namespace quillfen
