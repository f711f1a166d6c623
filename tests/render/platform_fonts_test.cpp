#include "platform_fonts.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace quillfen {
namespace {

// QFontInfo tells the family Qt actually chose, so a fallback through
// fontconfig (to Noto, DejaVu, ...) shows up here whatever else is installed.
TEST(PlatformFonts, OldFamiliesResolveToTheLiberationFonts) {
  struct Case {
    const char* old;
    const char* resolved;
    bool fixedPitch;
  };
  const Case cases[] = {
      {"Terminal", "Liberation Mono", true}, {"Courier New", "Liberation Mono", true},
      {"Courier", "Liberation Mono", true},  {"MS Sans Serif", "Liberation Sans", false},
      {"Arial", "Liberation Sans", false},
  };
  for (const Case& c : cases) {
    const QFontInfo info(PlatformFont(c.old));
    EXPECT_EQ(info.family().toStdString(), c.resolved) << c.old;
    EXPECT_EQ(info.fixedPitch(), c.fixedPitch) << c.old;
  }
}

}  // namespace
}  // namespace quillfen
