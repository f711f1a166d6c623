#include "settings/program_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteFile;

const auto kReadOnly = [](const std::string&) { return false; };

FolderEnvironment Environment() {
  FolderEnvironment environment;
  environment.configHome = "/home/ann/.settings";
  environment.runtimeDir = "/run/user/1000";
  environment.home = "/home/ann";
  environment.systemTemp = "/tmp";
  environment.userId = 1000;
  return environment;
}

// Sets or clears a variable for one test and puts it back after.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

unsigned Mode(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST(ChooseProgramFolders, AWritableProgramFolderKeepsEverythingBesideTheProgram) {
  TempDir program;
  EXPECT_TRUE(FolderWritable(program.path()));
  EXPECT_EQ(ChooseProgramFolders(program.path(), "/usr/bin", Environment()),
            (ProgramFolders{program.path(), program.path(), program.path(), false}));
}

TEST(ChooseProgramFolders, AFolderTheUserCannotWriteToKeepsFilesPerUser) {
  const ProgramFolders expected{"/opt/quillfen", "/home/ann/.settings/quillfen",
                                "/run/user/1000/quillfen", true};
  EXPECT_EQ(ChooseProgramFolders("/opt/quillfen", "/usr/bin", Environment(), kReadOnly), expected);

  // A missing folder is no writable one, for root too.
  TempDir dir;
  EXPECT_FALSE(FolderWritable(dir / "missing"));
  WriteFile(dir / "file", "x");
  EXPECT_FALSE(FolderWritable(dir / "file/below"));
}

// Root writes anywhere, so the permission itself is tried by an ordinary user only;
// the injected check above covers the choice for root.
TEST(ChooseProgramFolders, AFolderMadeReadOnlyIsNotWritable) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write to a read-only folder";
  TempDir program;
  fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(FolderWritable(program.path()));
  EXPECT_TRUE(ChooseProgramFolders(program.path(), "/usr/bin", Environment()).perUser);
}

TEST(ChooseProgramFolders, TheInstalledFolderIsPerUserEvenWhenWritable) {
  TempDir program;
  const ProgramFolders folders =
      ChooseProgramFolders(program.path(), program.path() + "/", Environment());
  EXPECT_TRUE(folders.perUser);
  EXPECT_EQ(folders.program, program.path());
  EXPECT_EQ(folders.files, "/home/ann/.settings/quillfen");
}

TEST(ChooseProgramFolders, WithoutXdgConfigHomeTheFilesGoUnderHomeConfig) {
  FolderEnvironment environment = Environment();
  environment.configHome.clear();
  EXPECT_EQ(ChooseProgramFolders("/usr/bin", "/usr/bin", environment).files,
            "/home/ann/.config/quillfen");
  // The XDG rules ignore a relative folder.
  environment.configHome = "relative/config";
  EXPECT_EQ(ChooseProgramFolders("/usr/bin", "/usr/bin", environment).files,
            "/home/ann/.config/quillfen");
  environment.home.clear();
  EXPECT_EQ(ChooseProgramFolders("/usr/bin", "/usr/bin", environment).files, "");
}

TEST(ChooseProgramFolders, WithoutXdgRuntimeDirTheTemporaryFilesGoToTheUsersOwnTempFolder) {
  FolderEnvironment environment = Environment();
  environment.runtimeDir.clear();
  environment.systemTemp = "/var/tmp";
  EXPECT_EQ(ChooseProgramFolders("/usr/bin", "/usr/bin", environment).temporary,
            "/var/tmp/quillfen-1000");
  environment.runtimeDir = "run/user/1000";
  EXPECT_EQ(ChooseProgramFolders("/usr/bin", "/usr/bin", environment).temporary,
            "/var/tmp/quillfen-1000");
}

TEST(CurrentFolderEnvironment, ReadsTheXdgVariablesAndFallsBackForTheTemporaryFolder) {
  {
    ScopedVariable config("XDG_CONFIG_HOME", "/c");
    ScopedVariable runtime("XDG_RUNTIME_DIR", "/r");
    ScopedVariable home("HOME", "/h");
    ScopedVariable temp("TMPDIR", nullptr);
    const FolderEnvironment environment = CurrentFolderEnvironment();
    EXPECT_EQ(environment.configHome, "/c");
    EXPECT_EQ(environment.runtimeDir, "/r");
    EXPECT_EQ(environment.home, "/h");
    EXPECT_EQ(environment.systemTemp, "/tmp");
    EXPECT_EQ(environment.userId, ::getuid());
  }
  ScopedVariable config("XDG_CONFIG_HOME", nullptr);
  ScopedVariable runtime("XDG_RUNTIME_DIR", nullptr);
  ScopedVariable home("HOME", nullptr);
  ScopedVariable temp("TMPDIR", "/var/tmp");
  const FolderEnvironment environment = CurrentFolderEnvironment();
  EXPECT_EQ(environment.configHome, "");
  EXPECT_EQ(environment.runtimeDir, "");
  EXPECT_FALSE(environment.home.empty());  // from the password database
  EXPECT_EQ(environment.systemTemp, "/var/tmp");
}

TEST(PrepareProgramFolders, MakesTheFilesFolderWithItsParentsAndAPrivateTemporaryFolder) {
  TempDir dir;
  const ProgramFolders folders{"/usr/bin", dir / "home/.config/quillfen", dir / "run/quillfen",
                               true};
  fs::create_directory(dir / "run");
  EXPECT_EQ(PrepareProgramFolders(folders), "");
  EXPECT_TRUE(fs::is_directory(folders.files));
  EXPECT_EQ(Mode(dir / "home/.config"), 0700u);
  EXPECT_EQ(Mode(folders.temporary), 0700u);
  // Once made, a second start finds them ready; a loosened one is made private again.
  ::chmod(folders.temporary.c_str(), 0755);
  EXPECT_EQ(PrepareProgramFolders(folders), "");
  EXPECT_EQ(Mode(folders.temporary), 0700u);
  // Beside the program, nothing is made.
  EXPECT_EQ(PrepareProgramFolders(FoldersBesideProgram(dir / "none")), "");
  EXPECT_FALSE(fs::exists(dir / "none"));
}

TEST(PrepareProgramFolders, AFolderThatCannotBeMadeIsToldByName) {
  TempDir dir;
  WriteFile(dir / "config", "a file where a folder should be");
  ProgramFolders folders{"/usr/bin", dir / "config/quillfen", dir / "quillfen-1000", true};
  EXPECT_EQ(PrepareProgramFolders(folders),
            "The folder " + folders.files + " cannot be created: Not a directory");

  folders.files = dir / "config";
  EXPECT_EQ(PrepareProgramFolders(folders), folders.files + " is not a folder");

  folders.files = dir / "settings";
  folders.temporary = dir / "no-runtime/quillfen";
  EXPECT_EQ(PrepareProgramFolders(folders),
            "The folder " + folders.temporary + " cannot be created: No such file or directory");

  folders.files.clear();
  EXPECT_EQ(PrepareProgramFolders(folders),
            "Quillfen has no folder for its settings: neither XDG_CONFIG_HOME nor HOME names one");
}

TEST(PrepareProgramFolders, ATemporaryFolderSomeoneElseMadeIsRefused) {
  TempDir dir;
  fs::create_directory(dir / "elsewhere");
  fs::create_directory_symlink(dir / "elsewhere", dir / "linked");
  ProgramFolders folders{"/usr/bin", dir / "settings", dir / "linked", true};
  EXPECT_EQ(PrepareProgramFolders(folders), folders.temporary + " is not a folder");

  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  folders.temporary = dir / "taken";
  fs::create_directory(folders.temporary);
  ASSERT_EQ(::chown(folders.temporary.c_str(), 65534, 65534), 0);
  EXPECT_EQ(PrepareProgramFolders(folders),
            "The folder " + folders.temporary + " belongs to another user");
}

TEST(FindManual, BesideTheProgramFirstThenInTheInstallationsDocumentation) {
  TempDir dir;
  fs::create_directories(dir / "bin");
  EXPECT_EQ(FindManual(dir / "bin"), "");
  fs::create_directories(dir / "share/doc/quillfen");
  WriteFile(dir / "share/doc/quillfen/QuillfenManual.pdf", "%PDF");
  EXPECT_EQ(FindManual(dir / "bin"), dir / "share/doc/quillfen/QuillfenManual.pdf");
  WriteFile(dir / "bin/QuillfenManual.pdf", "%PDF");
  EXPECT_EQ(FindManual(dir / "bin"), dir / "bin/QuillfenManual.pdf");
}

}  // namespace
}  // namespace quillfen
