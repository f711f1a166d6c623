#pragma once

#include <QFont>
#include <QString>

namespace quillfen {

// A font for a family of the original platform ("Terminal", "Courier New",
// "MS Sans Serif", ...), named as the installed Liberation family that stands
// for it, so the machine's other fonts never change what is drawn. Other
// families are kept as they are.
QFont PlatformFont(const QString& family);

}  // namespace quillfen
