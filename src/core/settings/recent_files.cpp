#include "settings/recent_files.h"

#include <algorithm>
#include <fstream>

#include "io/replacing_file.h"
#include "text/bounded_line.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

bool ReadsBackAsItself(const std::string& name) {
  const std::size_t withLineEnd = name.size() + 2;
  return withLineEnd <= kFileLineLimit && name.find_first_of("\r\n") == std::string::npos &&
         TrimmedView(name).size() == name.size();
}

}  // namespace

bool IsPresentRecentEntry(const std::string& entry) {
  return !entry.empty() && entry != "0";
}

RecentFiles LoadRecentFiles(const std::filesystem::path& directory) {
  RecentFiles files;
  std::ifstream in(directory / kRecentFilesFileName, std::ios::binary);
  if (!in) return files;
  for (std::string& entry : files) {
    std::string line;
    if (!ReadBoundedLine(in, kFileLineLimit, line)) break;
    TrimCell(line);
    entry = line;
  }
  return files;
}

bool SaveRecentFiles(const std::filesystem::path& directory, const RecentFiles& files) {
  std::string content;
  for (const std::string& entry : files) {
    if (IsPresentRecentEntry(entry)) content += entry + "\r\n";
  }
  return WriteWholeFile((directory / kRecentFilesFileName).string(), content);
}

bool AddRecentFile(RecentFiles& files, const std::string& name) {
  // Such a name would come back as another file, or shift the entries after it.
  if (files[0] == name || !ReadsBackAsItself(name)) return false;
  // An entry 1 or 2 that matches moves up; otherwise the last entry drops out.
  auto last = std::find(files.begin() + 1, files.begin() + 3, name);
  if (last == files.begin() + 3) last = files.end() - 1;
  std::rotate(files.begin(), last, last + 1);
  files[0] = name;
  return true;
}

}  // namespace quillfen
