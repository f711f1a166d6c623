#include "settings/history_folder.h"

#include <gtest/gtest.h>

#include "temp_directory.h"

namespace quillfen {
namespace {

TEST(HistoryFolderHasFiles, FindsHstFilesInAnyLetterCase) {
  testing::TempDirectory dir;
  const std::string folder = dir.Path().string() + "/";
  EXPECT_FALSE(HistoryFolderHasFiles(folder));
  dir.Write("EURUSD60.txt", "");
  EXPECT_FALSE(HistoryFolderHasFiles(folder));
  dir.Write("EURUSD60.HST", "");
  EXPECT_TRUE(HistoryFolderHasFiles(folder));
  EXPECT_TRUE(HistoryFolderHasFiles(dir.Path().string()));
  EXPECT_FALSE(HistoryFolderHasFiles(folder + "missing/"));
}

}  // namespace
}  // namespace quillfen
