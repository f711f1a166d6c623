#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quillfen::testing {

// Compares text with a golden file of tests/core/views/golden (found beside the
// fixtures: a compiler cache may make this header's own path relative); with
// QUILLFEN_UPDATE_GOLDEN=1 (or QUILLFEN_REWRITE_GOLDEN) in the environment the file is rewritten
// instead.
inline void ExpectGolden(const std::string& name, const std::string& text) {
  const std::string path =
      (std::filesystem::path(QUILLFEN_FIXTURES).parent_path() / "core" / "views" / "golden" / name)
          .string();
  const char* update = std::getenv("QUILLFEN_UPDATE_GOLDEN");
  if ((update && *update == '1') || std::getenv("QUILLFEN_REWRITE_GOLDEN")) {
    std::ofstream(path, std::ios::binary) << text;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << path;
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(expected.str(), text) << "golden file " << path;
}

}  // namespace quillfen::testing
