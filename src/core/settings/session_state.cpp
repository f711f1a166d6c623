#include "settings/session_state.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>

#include "io/replacing_file.h"

namespace quillfen {

namespace {

constexpr const char* kOpenFolderKey = "OpenFolder";
// Far above what the few values need; anything larger is not this file.
constexpr std::streamoff kSessionFileLimit = 64 * 1024;

// A line end inside a value would split it into two lines.
bool ReadsBackAsItself(std::string_view value) {
  return value.find_first_of("\r\n") == std::string_view::npos;
}

void TakeValue(SessionState& state, std::string_view key, std::string_view value) {
  if (key == kOpenFolderKey) state.openFolder = value;
}

}  // namespace

SessionState LoadSessionState(const std::filesystem::path& directory) {
  SessionState state;
  std::ifstream in(directory / kSessionStateFileName, std::ios::binary | std::ios::ate);
  if (!in || in.tellg() > kSessionFileLimit) return state;
  in.seekg(0);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos)
      TakeValue(state, line.substr(0, equals), line.substr(equals + 1));
  }
  return state;
}

bool SaveSessionState(const std::filesystem::path& directory, const SessionState& state) {
  std::string content;
  if (!state.openFolder.empty() && ReadsBackAsItself(state.openFolder))
    content += std::string(kOpenFolderKey) + "=" + state.openFolder + "\r\n";
  return WriteWholeFile((directory / kSessionStateFileName).string(), content);
}

bool RememberOpenFolder(SessionState& state, const std::string& folder) {
  if (folder.empty() || folder == state.openFolder) return false;
  state.openFolder = folder;
  return true;
}

}  // namespace quillfen
