#pragma once

#include <functional>
#include <string>

namespace quillfen {

// Where the program keeps what it writes. A copy in a folder the user may
// write to (a build, a portable copy) keeps everything beside itself; an
// installed one keeps its settings, recent files and state in the user's
// configuration folder and its temporary files in a private folder.
struct ProgramFolders {
  std::string program;    // the executable's folder
  std::string files;      // Quillfen.set, Quillfen.mru, Quillfen.state
  std::string temporary;  // the working file and the downloaded page
  bool perUser = false;   // files and temporary are the user's own, made at start

  bool operator==(const ProgramFolders&) const = default;
};

// What the choice reads of the process's surroundings, gathered apart so that
// tests can set it.
struct FolderEnvironment {
  std::string configHome;  // XDG_CONFIG_HOME
  std::string runtimeDir;  // XDG_RUNTIME_DIR
  std::string home;        // HOME, else the home the password database gives
  std::string systemTemp;  // TMPDIR, else /tmp
  unsigned userId = 0;
};

FolderEnvironment CurrentFolderEnvironment();

// Whether the user may create and delete files in the folder.
bool FolderWritable(const std::string& folder);

// A copy whose every file stays in its own folder.
ProgramFolders FoldersBesideProgram(const std::string& programFolder);

// installedFolder is where the package puts the program: a program there is
// an installed one also for root, who could write beside it.
ProgramFolders ChooseProgramFolders(
    const std::string& programFolder, const std::string& installedFolder,
    const FolderEnvironment& environment,
    const std::function<bool(const std::string&)>& writable = FolderWritable);

// Makes a per-user choice's folders: the files folder with its parents, the
// temporary folder private (mode 0700, the user's own, no link). Empty when
// they are ready, else what went wrong, in words for the user.
std::string PrepareProgramFolders(const ProgramFolders& folders);

inline constexpr const char* kManualFileName = "QuillfenManual.pdf";

// The user's manual: beside the program (a build or a portable copy), else in
// the documentation folder of the installation the program belongs to. Empty
// when neither exists.
std::string FindManual(const std::string& programFolder);

}  // namespace quillfen
