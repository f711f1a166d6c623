#include "settings/session_state.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(SessionState, RoundTripsThroughCrLfKeyLinesBesideAnUntouchedSettingsFile) {
  TempDir dir;
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
  WriteFile(dir / "Quillfen.set", "1000\r\n1\r\n0\r\n1\r\n0\r\n");
  SessionState placed{-1200, 35, 1440, 900, true, "", -105};
  ASSERT_TRUE(RememberOpenFolder(placed, "/data/reports/2024 = q1"));
  EXPECT_FALSE(RememberOpenFolder(placed, "/data/reports/2024 = q1"));
  EXPECT_FALSE(RememberOpenFolder(placed, ""));
  ASSERT_TRUE(SaveSessionState(dir.path(), placed));
  EXPECT_EQ(ReadFile(dir / "Quillfen.state"),
            "windowLeft=-1200\r\nwindowTop=35\r\nwindowWidth=1440\r\nwindowHeight=900\r\n"
            "windowMaximised=1\r\nopenFolder=/data/reports/2024 = q1\r\n"
            "timeShiftMinutes=-105\r\n");
  EXPECT_EQ(LoadSessionState(dir.path()), placed);
  EXPECT_EQ(ReadFile(dir / "Quillfen.set"), "1000\r\n1\r\n0\r\n1\r\n0\r\n");
}

TEST(SessionState, UnknownAndUnreadableLinesKeepTheDefaults) {
  TempDir dir;
  WriteFile(dir / "Quillfen.state",
            "futureKey=7\nwindowTop=12\nwindowLeft=12px\nwindowMaximised=yes\nno equals sign\n"
            "windowWidth=99999999999\nwindowHeight=600\n=\ntimeShiftMinutes=20\n");
  SessionState expected;
  expected.windowTop = 12;
  // A height without a width is no frame.
  EXPECT_EQ(LoadSessionState(dir.path()), expected);

  // A shift is whole quarter hours within a day either way.
  for (const char* shift :
       {"timeShiftMinutes=1455\n", "timeShiftMinutes=-1455\n", "timeShiftMinutes=1.5\n"}) {
    WriteFile(dir / "Quillfen.state", shift);
    EXPECT_EQ(LoadSessionState(dir.path()), SessionState{}) << shift;
  }

  WriteFile(dir / "Quillfen.state", "windowWidth=800\nwindowHeight=-5\n");
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
  // A folder with a line end in its name would come back as another one.
  SessionState split;
  split.openFolder = "/a\nopenFolder=/b";
  ASSERT_TRUE(SaveSessionState(dir.path(), split));
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
}

}  // namespace
}  // namespace quillfen
