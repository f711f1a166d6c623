#include "settings/session_state.h"

#include <charconv>
#include <fstream>
#include <string>
#include <string_view>

#include "analysis/time_shift.h"
#include "io/replacing_file.h"
#include "text/bounded_line.h"

namespace quillfen {

namespace {

// A file this program wrote has a handful of lines; a longer one is not read to its end.
constexpr int kLineLimit = 256;

void ReadWhole(std::string_view text, int& field) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc() && end == text.data() + text.size()) field = value;
}

void ReadFlag(std::string_view text, bool& field) {
  if (text == "1" || text == "0") field = text == "1";
}

// A shift the Options tab could not have set keeps the default.
void ReadTimeShift(std::string_view text, int& field) {
  int minutes = 0;
  ReadWhole(text, minutes);
  if (minutes % 15 == 0 && minutes >= -kLargestTimeShiftMinutes &&
      minutes <= kLargestTimeShiftMinutes)
    field = minutes;
}

void ReadField(std::string_view key, std::string_view value, SessionState& state) {
  if (key == "windowLeft") ReadWhole(value, state.windowLeft);
  if (key == "windowTop") ReadWhole(value, state.windowTop);
  if (key == "windowWidth") ReadWhole(value, state.windowWidth);
  if (key == "windowHeight") ReadWhole(value, state.windowHeight);
  if (key == "windowMaximised") ReadFlag(value, state.windowMaximised);
  if (key == "openFolder") state.openFolder = value;
  if (key == "timeShiftMinutes") ReadTimeShift(value, state.timeShiftMinutes);
}

}  // namespace

SessionState LoadSessionState(const std::filesystem::path& directory) {
  SessionState state;
  std::ifstream in(directory / kSessionStateFileName, std::ios::binary);
  std::string line;
  for (int count = 0; in && count < kLineLimit && ReadBoundedLine(in, kFileLineLimit, line);
       ++count) {
    std::string_view text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    const std::size_t equals = text.find('=');
    if (equals != std::string_view::npos)
      ReadField(text.substr(0, equals), text.substr(equals + 1), state);
  }
  // A frame without size is no frame at all.
  if (state.windowWidth <= 0 || state.windowHeight <= 0) state.windowWidth = state.windowHeight = 0;
  return state;
}

bool SaveSessionState(const std::filesystem::path& directory, const SessionState& state) {
  std::string content;
  auto line = [&content](const char* key, int value) {
    content += key;
    content += '=';
    content += std::to_string(value);
    content += "\r\n";
  };
  line("windowLeft", state.windowLeft);
  line("windowTop", state.windowTop);
  line("windowWidth", state.windowWidth);
  line("windowHeight", state.windowHeight);
  line("windowMaximised", state.windowMaximised ? 1 : 0);
  // A line end inside the folder would split it into two lines.
  if (!state.openFolder.empty() && state.openFolder.find_first_of("\r\n") == std::string::npos)
    content += "openFolder=" + state.openFolder + "\r\n";
  line("timeShiftMinutes", state.timeShiftMinutes);
  return WriteWholeFile((directory / kSessionStateFileName).string(), content);
}

bool RememberOpenFolder(SessionState& state, const std::string& folder) {
  if (folder.empty() || folder == state.openFolder) return false;
  state.openFolder = folder;
  return true;
}

}  // namespace quillfen
