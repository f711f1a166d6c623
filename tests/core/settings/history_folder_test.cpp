#include "settings/history_folder.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"

namespace quillfen {
namespace {

TEST(HistoryFolderHasFiles, FindsHstFilesInAnyLetterCase) {
  testing::TempDir dir;
  const std::string folder = dir.path() + "/";
  EXPECT_FALSE(HistoryFolderHasFiles(folder));
  testing::WriteFile(dir / "EURUSD60.txt", "");
  EXPECT_FALSE(HistoryFolderHasFiles(folder));
  testing::WriteFile(dir / "EURUSD60.HST", "");
  EXPECT_TRUE(HistoryFolderHasFiles(folder));
  EXPECT_TRUE(HistoryFolderHasFiles(dir.path()));
  EXPECT_FALSE(HistoryFolderHasFiles(folder + "missing/"));
}

}  // namespace
}  // namespace quillfen
