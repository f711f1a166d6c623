#include "platform_fonts.h"

namespace quillfen {

namespace {

// scripts/bootstrap installs the Liberation fonts (fonts-liberation2); the
// style hint only matters on a machine without them.
struct Substitute {
  const char* old;
  const char* installed;
  QFont::StyleHint hint;
};
constexpr Substitute kSubstitutes[] = {
    {"Terminal", "Liberation Mono", QFont::TypeWriter},
    {"Courier New", "Liberation Mono", QFont::TypeWriter},
    {"Courier", "Liberation Mono", QFont::TypeWriter},
    {"MS Sans Serif", "Liberation Sans", QFont::SansSerif},
    {"Arial", "Liberation Sans", QFont::SansSerif},
};

}  // namespace

QFont PlatformFont(const QString& family) {
  for (const Substitute& s : kSubstitutes) {
    if (family != QLatin1String(s.old)) continue;
    QFont font(s.installed);
    font.setStyleHint(s.hint);
    return font;
  }
  return QFont(family);
}

}  // namespace quillfen
