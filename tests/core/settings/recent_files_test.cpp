#include "settings/recent_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

RecentFiles Opened(std::initializer_list<const char*> names) {
  RecentFiles files;
  for (const char* name : names) AddRecentFile(files, name);
  return files;
}

TEST(AddRecentFile, MovesOrInsertsAtTheTop) {
  struct Case {
    const char* name;
    RecentFiles before;
    RecentFiles after;
    bool changed;
  };
  const RecentFiles edcb{"E", "D", "C", "B"};
  const Case cases[] = {
      {"E", edcb, edcb, false},
      {"D", edcb, {"D", "E", "C", "B"}, true},
      {"C", edcb, {"C", "E", "D", "B"}, true},
      {"B", edcb, {"B", "E", "D", "C"}, true},
      {"F", edcb, {"F", "E", "D", "C"}, true},
      {"e", edcb, {"e", "E", "D", "C"}, true},
      {"A", {}, {"A", "", "", ""}, true},
  };
  for (const Case& c : cases) {
    RecentFiles files = c.before;
    EXPECT_EQ(AddRecentFile(files, c.name), c.changed) << c.name;
    EXPECT_EQ(files, c.after) << c.name;
  }
}

TEST(AddRecentFile, TakesOnlyNamesThatComeBackFromTheFileAsThemselves) {
  struct Case {
    const char* label;
    std::string name;
    bool entered;
  };
  const std::string longest(1021, 'x');
  const Case cases[] = {
      {"line feed inside", "/evil/new\nline.htm", false},
      {"carriage return inside", "/evil/new\rline.htm", false},
      {"line end at the end", "/evil/new.htm\r\n", false},
      {"blank at the end", "/a/report.htm ", false},
      {"underscore at the start", "_/a/report.htm", false},
      {"one byte too long for the line buffer", longest + "x", false},
      {"longest that fits", longest, true},
      {"blanks, underscores and ampersand inside", "/a b/r_&_d.htm", true},
      {"url", "http://host/a.htm?x=1", true},
  };
  for (const Case& c : cases) {
    TempDir dir;
    RecentFiles files{"/kept/a.htm", "/kept/b.htm", "", ""};
    EXPECT_EQ(AddRecentFile(files, c.name), c.entered) << c.label;
    EXPECT_EQ(files[0] == c.name, c.entered) << c.label;
    ASSERT_TRUE(SaveRecentFiles(dir.path(), files));
    EXPECT_EQ(LoadRecentFiles(dir.path()), files) << c.label;
  }
}

TEST(AddRecentFile, FiveOpensKeepTheLastFourNewestFirst) {
  EXPECT_EQ(Opened({"A", "B", "C", "D", "E"}), (RecentFiles{"E", "D", "C", "B"}));
}

TEST(RecentFilesFile, SavesPresentEntriesWithCrLfAndLoadsThemBack) {
  TempDir dir;
  RecentFiles files = Opened({"A", "B", "C", "D", "E"});
  ASSERT_TRUE(SaveRecentFiles(dir.path(), files));
  EXPECT_EQ(ReadFile(dir / "Quillfen.mru"), "E\r\nD\r\nC\r\nB\r\n");
  EXPECT_EQ(LoadRecentFiles(dir.path()), files);
}

TEST(RecentFilesFile, ZeroEntryStaysInMemoryButIsNeitherShownNorSaved) {
  TempDir dir;
  RecentFiles files = Opened({"/data/a.htm", "0"});
  EXPECT_EQ(files[0], "0");
  EXPECT_FALSE(IsPresentRecentEntry(files[0]));
  ASSERT_TRUE(SaveRecentFiles(dir.path(), files));
  EXPECT_EQ(ReadFile(dir / "Quillfen.mru"), "/data/a.htm\r\n");
}

TEST(RecentFilesFile, LoadTrimsAndCutsLikeTheLineBuffer) {
  struct Case {
    const char* label;
    std::string content;
    RecentFiles expected;
  };
  const std::string long1023(1023, 'x');
  const Case cases[] = {
      {"blanks and underscores", "  /a b.htm \r\n__/c.htm__\n", {"/a b.htm", "/c.htm", "", ""}},
      {"unix line ends, no final end", "A\nB\nC", {"A", "B", "C", ""}},
      {"fifth line ignored", "A\nB\nC\nD\nE\n", {"A", "B", "C", "D"}},
      {"long line continues", long1023 + "yz\nB\n", {long1023, "yz", "B", ""}},
      {"ampersand kept", "/r&d/x.htm\n", {"/r&d/x.htm", "", "", ""}},
      {"empty file", "", {"", "", "", ""}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteFile(dir / "Quillfen.mru", c.content);
    EXPECT_EQ(LoadRecentFiles(dir.path()), c.expected) << c.label;
  }
}

TEST(RecentFilesFile, MissingFileGivesEmptyList) {
  TempDir dir;
  EXPECT_EQ(LoadRecentFiles(dir.path()), RecentFiles{});
}

TEST(RecentFilesFile, UnwritableFileKeepsTheListInMemoryOnly) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Quillfen.mru");
  EXPECT_FALSE(SaveRecentFiles(dir.path(), {"new", "", "", ""}));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Quillfen.mru"));
}

}  // namespace
}  // namespace quillfen
