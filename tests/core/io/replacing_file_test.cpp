#include "io/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(ReplacingFile, CreatesAndReplacesWholeFiles) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteWholeFile(dir / "a.csv", "first\r\n", &error)) << error;
  EXPECT_EQ(ReadFile(dir / "a.csv"), "first\r\n");
  ASSERT_TRUE(WriteWholeFile(dir / "a.csv", "second", &error)) << error;
  EXPECT_EQ(ReadFile(dir / "a.csv"), "second");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.csv"});
}

TEST(ReplacingFile, KeepsThePermissionsOfTheFileItReplaces) {
  TempDir dir;
  WriteFile(dir / "a.csv", "old");
  ::chmod((dir / "a.csv").c_str(), 0640);
  ASSERT_TRUE(WriteWholeFile(dir / "a.csv", "new"));
  struct stat info;
  ASSERT_EQ(::stat((dir / "a.csv").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(ReplacingFile, WritesThroughASymbolicLink) {
  TempDir dir;
  WriteFile(dir / "real.csv", "old");
  std::filesystem::create_symlink(dir / "real.csv", dir / "link.csv");
  ASSERT_TRUE(WriteWholeFile(dir / "link.csv", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
  EXPECT_EQ(ReadFile(dir / "real.csv"), "new");
}

TEST(ReplacingFile, UnwritableTargetsLeaveEverythingAsItWas) {
  TempDir dir;
  WriteFile(dir / "locked.csv", "keep me");
  ::chmod((dir / "locked.csv").c_str(), 0444);
  std::filesystem::create_directory(dir / "folder");
  const std::vector<std::string> before = dir.Names();
  for (std::string target : {dir / "missing/a.csv", dir / "locked.csv", dir / "folder",
                             dir / "folder/", std::string()}) {
    std::string error;
    EXPECT_FALSE(WriteWholeFile(target, "new", &error)) << target;
    EXPECT_FALSE(error.empty()) << target;
  }
  EXPECT_EQ(ReadFile(dir / "locked.csv"), "keep me");
  EXPECT_EQ(dir.Names(), before);
}

TEST(ReplacingFile, AbandonedWriteLeavesTheOldFile) {
  TempDir dir;
  WriteFile(dir / "a.htm", "old page");
  {
    ReplacingFile file(dir / "a.htm");
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("half a pa"));
  }
  EXPECT_EQ(ReadFile(dir / "a.htm"), "old page");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.htm"});
}

}  // namespace
}  // namespace quillfen
