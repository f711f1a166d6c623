#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../core/support/temp_dir.h"
#include "synthetic/page_writer.h"

namespace quillfen::synthetic {

// A fresh folder per test for the pages the generator writes.
class GeneratedPageFolder : public ::testing::Test {
 protected:
  // Writes a page with the given writer into the folder; returns its path.
  template <typename Write>
  std::string WritePage(Write write) {
    const std::string page = Folder() / "page.htm";
    std::FILE* file = std::fopen(page.c_str(), "wb");
    {
      PageWriter out(file, true, 2);
      write(out);
      EXPECT_TRUE(out.Finish());
    }
    std::fclose(file);
    return page;
  }

  std::filesystem::path Folder() const { return folder_.path(); }

 private:
  quillfen::testing::TempDir folder_;
};

}  // namespace quillfen::synthetic
