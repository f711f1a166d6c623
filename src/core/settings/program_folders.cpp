#include "settings/program_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace quillfen {

namespace {

namespace fs = std::filesystem;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The XDG folders count only when absolute; a relative one is ignored.
bool Usable(const std::string& folder) {
  return !folder.empty() && folder.front() == '/';
}

bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return !a.empty() && !b.empty() && fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

std::string Reason(int error) {
  return std::strerror(error);
}

// Each missing folder of the path is made private, as the XDG rules ask.
std::string MakeFolders(const std::string& folder) {
  std::vector<fs::path> missing;
  std::error_code ec;
  for (fs::path at = folder; !at.empty() && !fs::exists(at, ec); at = at.parent_path()) {
    missing.push_back(at);
    if (at == at.parent_path()) break;
  }
  for (auto at = missing.rbegin(); at != missing.rend(); ++at) {
    if (::mkdir(at->c_str(), 0700) != 0 && errno != EEXIST)
      return "The folder " + folder + " cannot be created: " + Reason(errno);
  }
  if (!fs::is_directory(folder, ec)) return folder + " is not a folder";
  return {};
}

// Another user could have made the folder first in a shared temporary folder,
// to read or replace what is written there.
std::string MakePrivateFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return "The folder " + folder + " cannot be created: " + Reason(errno);
  struct stat status {};
  if (::lstat(folder.c_str(), &status) != 0)
    return "The folder " + folder + " cannot be used: " + Reason(errno);
  if (!S_ISDIR(status.st_mode)) return folder + " is not a folder";
  if (status.st_uid != ::geteuid()) return "The folder " + folder + " belongs to another user";
  if ((status.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0)
    return "The folder " + folder + " cannot be made private: " + Reason(errno);
  return {};
}

}  // namespace

FolderEnvironment CurrentFolderEnvironment() {
  FolderEnvironment environment;
  environment.configHome = Variable("XDG_CONFIG_HOME");
  environment.runtimeDir = Variable("XDG_RUNTIME_DIR");
  environment.home = Variable("HOME");
  environment.userId = ::getuid();
  if (environment.home.empty()) {
    if (const passwd* user = ::getpwuid(environment.userId); user && user->pw_dir)
      environment.home = user->pw_dir;
  }
  environment.systemTemp = Variable("TMPDIR");
  if (!Usable(environment.systemTemp)) environment.systemTemp = "/tmp";
  return environment;
}

bool FolderWritable(const std::string& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

ProgramFolders FoldersBesideProgram(const std::string& programFolder) {
  return {programFolder, programFolder, programFolder, false};
}

ProgramFolders ChooseProgramFolders(const std::string& programFolder,
                                    const std::string& installedFolder,
                                    const FolderEnvironment& environment,
                                    const std::function<bool(const std::string&)>& writable) {
  if (!SameFolder(programFolder, installedFolder) && writable(programFolder))
    return FoldersBesideProgram(programFolder);
  ProgramFolders folders{programFolder, {}, {}, true};
  if (Usable(environment.configHome)) {
    folders.files = environment.configHome + "/quillfen";
  } else if (Usable(environment.home)) {
    folders.files = environment.home + "/.config/quillfen";
  }
  folders.temporary = Usable(environment.runtimeDir) ? environment.runtimeDir + "/quillfen"
                                                     : environment.systemTemp + "/quillfen-" +
                                                           std::to_string(environment.userId);
  return folders;
}

std::string PrepareProgramFolders(const ProgramFolders& folders) {
  if (!folders.perUser) return {};
  if (folders.files.empty())
    return "Quillfen has no folder for its settings: neither XDG_CONFIG_HOME nor HOME names one";
  if (std::string problem = MakeFolders(folders.files); !problem.empty()) return problem;
  return MakePrivateFolder(folders.temporary);
}

std::string FindManual(const std::string& programFolder) {
  std::error_code ec;
  const fs::path beside = fs::path(programFolder) / kManualFileName;
  if (fs::is_regular_file(beside, ec)) return beside.string();
  const fs::path installed =
      fs::path(programFolder).parent_path() / "share/doc/quillfen" / kManualFileName;
  if (fs::is_regular_file(installed, ec)) return installed.string();
  return {};
}

}  // namespace quillfen
