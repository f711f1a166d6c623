#include "settings/session_state.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(SessionState, RoundTripsThroughCrLfKeyLines) {
  TempDir dir;
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
  const SessionState placed{-1200, 35, 1440, 900, true};
  ASSERT_TRUE(SaveSessionState(dir.path(), placed));
  EXPECT_EQ(ReadFile(dir / "Quillfen.state"),
            "windowLeft=-1200\r\nwindowTop=35\r\nwindowWidth=1440\r\nwindowHeight=900\r\n"
            "windowMaximised=1\r\n");
  EXPECT_EQ(LoadSessionState(dir.path()), placed);
}

TEST(SessionState, UnknownAndUnreadableLinesKeepTheDefaults) {
  TempDir dir;
  WriteFile(dir / "Quillfen.state",
            "futureKey=7\nwindowTop=12\nwindowLeft=12px\nwindowMaximised=yes\nno equals sign\n"
            "windowWidth=99999999999\nwindowHeight=600\n=\n");
  SessionState expected;
  expected.windowTop = 12;
  // A height without a width is no frame.
  EXPECT_EQ(LoadSessionState(dir.path()), expected);

  WriteFile(dir / "Quillfen.state", "windowWidth=800\nwindowHeight=-5\n");
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
}

}  // namespace
}  // namespace quillfen
