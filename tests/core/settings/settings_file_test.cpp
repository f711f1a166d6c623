#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

using namespace std::string_literals;
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

// A check line is a state only as the file writes it; anything else keeps that
// button's default while the good lines around it still count.
TEST(SettingsFile, ChecksNotWrittenAsOneOrZeroKeepTheirDefaults) {
  const std::string almost[] = {"10", "11", "1 ",  " 1",    "01",   "1.0",  "+1",
                                "-1", "2",  "0x",  "1\r\r", "\r1",  "1\t",  "1\v",
                                "",   "on", "yes", "true",  "\x01", "1\0"s, "\0"s};
  for (const std::string& line : almost) {
    TempDir dir;
    const std::string bad = line + "\r\n";
    WriteFile(dir / "Quillfen.set", "7500\r\n" + bad + bad + bad + bad);
    const Shown shown = ReadIntoDefaults(dir);
    EXPECT_EQ(shown.csv, CsvButtons{}) << ::testing::PrintToString(line);
    EXPECT_EQ(shown.deposit, "7500");
  }
  TempDir dir;
  WriteFile(dir / "Quillfen.set", "5000\n0\n1 \n0\n1\n");
  EXPECT_EQ(ReadIntoDefaults(dir).csv, (CsvButtons{false, false, false, true}));
}

TEST(SettingsFile, BinaryFileKeepsTheDefaults) {
  TempDir dir;
  std::string bytes = "\177ELF";
  std::uint32_t state = 7;
  while (bytes.size() < 65536) {
    state = state * 1664525u + 1013904223u;
    bytes += static_cast<char>(state >> 24);
  }
  WriteFile(dir / "Quillfen.set", bytes);
  const Shown shown = ReadIntoDefaults(dir);
  EXPECT_EQ(shown.deposit, "5000");
  EXPECT_EQ(shown.csv, CsvButtons{});
}

// Bytes this process has read so far; -1 where the system does not count them.
long long BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string label;
  long long bytes = -1;
  while (io >> label >> bytes) {
    if (label == "rchar:") return bytes;
  }
  return -1;
}

TEST(SettingsFile, HugeSingleLineIsReadOnlyAsFarAsItsFiveLines) {
  TempDir dir;
  {
    std::ofstream out(dir / "Quillfen.set", std::ios::binary);
    const std::string block(1 << 20, '1');
    for (int i = 0; i < 50; ++i) out << block;
  }
  const long long before = BytesRead();
  const Shown shown = ReadIntoDefaults(dir);
  const long long read = BytesRead() - before;
  EXPECT_EQ(shown.deposit, "5000");  // a thousand digits are no single-precision number
  EXPECT_EQ(shown.csv, CsvButtons{});
  if (before >= 0) {
    EXPECT_LT(read, 1 << 20);
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
