#include "io/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

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

TEST(ReplacingFile, FilesCommittedTogetherAllGoIn) {
  TempDir dir;
  WriteFile(dir / "a.htm", "old page");
  ReplacingFile picture(dir / "a.jpg");
  ReplacingFile page(dir / "a.htm");
  ASSERT_TRUE(picture.Open() && picture.Write("new picture"));
  ASSERT_TRUE(page.Open() && page.Write("new page"));
  ASSERT_TRUE(CommitTogether({&picture, &page})) << picture.Error() << page.Error();
  EXPECT_EQ(ReadFile(dir / "a.jpg"), "new picture");
  EXPECT_EQ(ReadFile(dir / "a.htm"), "new page");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.htm", "a.jpg"}));
}

// Mishaps between opening the page and the commit: its temporary file vanishes
// (so it fails after the picture went in), or a folder takes the page's name.
TEST(ReplacingFile, FilesCommittedTogetherAllStayOldWhenOneCannotGoIn) {
  const struct {
    const char* name;
    std::function<void(const TempDir&)> mishap;
  } cases[] = {
      {"temporary vanishes",
       [](const TempDir& dir) {
         for (const std::string& name : dir.Names()) {
           if (name.starts_with(".a.htm.tmp")) std::filesystem::remove(dir / name);
         }
       }},
      {"folder takes the name",
       [](const TempDir& dir) {
         std::filesystem::remove(dir / "a.htm");
         std::filesystem::create_directory(dir / "a.htm");
         WriteFile(dir / "a.htm/inside", "old page");
       }},
  };
  for (const auto& c : cases) {
    for (bool oldPicture : {true, false}) {
      TempDir dir;
      WriteFile(dir / "a.htm", "old page");
      if (oldPicture) {
        WriteFile(dir / "a.jpg", "old picture");
        ::chmod((dir / "a.jpg").c_str(), 0640);
      }
      const std::vector<std::string> before = dir.Names();
      ReplacingFile picture(dir / "a.jpg");
      ReplacingFile page(dir / "a.htm");
      ASSERT_TRUE(picture.Open() && picture.Write("new picture"));
      ASSERT_TRUE(page.Open() && page.Write("new page"));
      c.mishap(dir);
      EXPECT_FALSE(CommitTogether({&picture, &page})) << c.name;
      EXPECT_TRUE(picture.Error().empty()) << c.name;
      EXPECT_FALSE(page.Error().empty()) << c.name;
      EXPECT_EQ(dir.Names(), before) << c.name;
      const std::string pagePath =
          std::filesystem::is_directory(dir / "a.htm") ? dir / "a.htm/inside" : dir / "a.htm";
      EXPECT_EQ(ReadFile(pagePath), "old page") << c.name;
      if (oldPicture) {
        EXPECT_EQ(ReadFile(dir / "a.jpg"), "old picture") << c.name;
        struct stat info;
        ASSERT_EQ(::stat((dir / "a.jpg").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << c.name;
      }
    }
  }
}

}  // namespace
}  // namespace quillfen
