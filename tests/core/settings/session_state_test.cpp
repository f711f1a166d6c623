#include "settings/session_state.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

TEST(SessionState, OpenFolderSurvivesARestartBesideAnUntouchedSettingsFile) {
  testing::TempDir dir;
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
  testing::WriteFile(dir / "Quillfen.set", "1000\r\n1\r\n0\r\n1\r\n0\r\n");
  SessionState state;
  ASSERT_TRUE(RememberOpenFolder(state, "/data/reports/2024 = q1"));
  EXPECT_FALSE(RememberOpenFolder(state, "/data/reports/2024 = q1"));
  EXPECT_FALSE(RememberOpenFolder(state, ""));
  ASSERT_TRUE(SaveSessionState(dir.path(), state));
  EXPECT_EQ(testing::ReadFile(dir / "Quillfen.session"), "OpenFolder=/data/reports/2024 = q1\r\n");
  EXPECT_EQ(LoadSessionState(dir.path()).openFolder, "/data/reports/2024 = q1");
  EXPECT_EQ(testing::ReadFile(dir / "Quillfen.set"), "1000\r\n1\r\n0\r\n1\r\n0\r\n");
}

TEST(SessionState, ForeignLinesOversizedFilesAndLineEndsLeaveTheDefaults) {
  testing::TempDir dir;
  testing::WriteFile(dir / "Quillfen.session", "garbage\nWindow=1,2\nOpenFolder=/a\n");
  EXPECT_EQ(LoadSessionState(dir.path()).openFolder, "/a");
  testing::WriteFile(dir / "Quillfen.session", "OpenFolder=/a\n" + std::string(70000, 'x'));
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
  // A folder with a line end in its name would come back as another one.
  ASSERT_TRUE(SaveSessionState(dir.path(), SessionState{"/a\nOpenFolder=/b"}));
  EXPECT_EQ(LoadSessionState(dir.path()), SessionState{});
}

}  // namespace
}  // namespace quillfen
