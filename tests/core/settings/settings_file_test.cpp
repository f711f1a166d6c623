#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// What a new report window shows after reading the file over its defaults.
struct Shown {
  std::string deposit = "5000";
  CsvButtons csv;
};

Shown ReadIntoDefaults(const TempDir& dir) {
  Shown shown;
  if (auto stored = ReadSettingsFile(dir.path())) {
    if (stored->depositText) shown.deposit = *stored->depositText;
    ApplyStoredChecks(*stored, shown.csv);
  }
  return shown;
}

TEST(SettingsFile, NoFileKeepsTheDefaults) {
  TempDir dir;
  EXPECT_FALSE(ReadSettingsFile(dir.path()));
  Shown shown = ReadIntoDefaults(dir);
  EXPECT_EQ(shown.deposit, "5000");
  EXPECT_EQ(shown.csv, CsvButtons{});
}

TEST(SettingsFile, WritesFiveCrLfLinesAndReadsThemBack) {
  TempDir dir;
  ASSERT_TRUE(WriteSettingsFile(dir.path(), "7500", CsvButtons{}));
  EXPECT_EQ(ReadFile(dir / "Quillfen.set"), "7500\r\n1\r\n0\r\n1\r\n0\r\n");
  EXPECT_EQ(ReadIntoDefaults(dir).deposit, "7500");

  CsvButtons tab{true, false, false, true};
  ASSERT_TRUE(WriteSettingsFile(dir.path(), "7500", tab));
  EXPECT_EQ(ReadFile(dir / "Quillfen.set"), "7500\r\n1\r\n0\r\n0\r\n1\r\n");
  EXPECT_EQ(ReadIntoDefaults(dir).csv, tab);
}

TEST(SettingsFile, DepositComesBackThroughSinglePrecision) {
  struct Case {
    const char* line1;
    const char* shown;
  };
  const Case cases[] = {
      {"1000.1", "1000.09997558594"},
      {"5000", "5000"},
      {"  7500 dollars", "7500"},
      {"+250.5", "250.5"},
      {"-100", "-100"},
      {"12abc", "12"},
      {"1e3", "1000"},
      {"", "5000"},
      {"abc", "5000"},
      {"$7500", "5000"},
      {"inf", "5000"},
      {"nan", "5000"},
      {"1e99", "5000"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteFile(dir / "Quillfen.set", std::string(c.line1) + "\r\n1\r\n0\r\n1\r\n0\r\n");
    EXPECT_EQ(ReadIntoDefaults(dir).deposit, c.shown) << c.line1;
  }
}

TEST(SettingsFile, ChecksFollowTheFileInOrderAndKeepDefaultsWhenLinesAreMissing) {
  struct Case {
    const char* content;
    CsvButtons expected;
  };
  const Case cases[] = {
      {"5000\n0\n1\n0\n1\n", {false, true, false, true}},
      {"5000\n1\n1\n1\n1\n", {false, true, false, true}},
      {"5000\n0\n0\n0\n0\n", {false, false, false, false}},
      {"5000\n0\n1\n", {false, true, true, false}},
      {"5000\n", {true, false, true, false}},
      {"5000", {true, false, true, false}},
      {"5000\r\n10\r\nx\r\n1\r\n", {true, false, true, false}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteFile(dir / "Quillfen.set", c.content);
    EXPECT_EQ(ReadIntoDefaults(dir).csv, c.expected) << c.content;
  }
}

TEST(SettingsFile, UnwritableFileIsLeftAlone) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Quillfen.set");
  EXPECT_FALSE(WriteSettingsFile(dir.path(), "7500", CsvButtons{}));
  EXPECT_EQ(ReadIntoDefaults(dir).deposit, "5000");
}

}  // namespace
}  // namespace quillfen
