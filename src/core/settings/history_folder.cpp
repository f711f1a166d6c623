#include "settings/history_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace quillfen {

bool HistoryFolderHasFiles(const std::string& folder) {
  std::error_code error;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  if (error) return false;
  for (const auto& entry : entries) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".hst") return true;
  }
  return false;
}

}  // namespace quillfen
