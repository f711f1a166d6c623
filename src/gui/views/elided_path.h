#pragma once

#include <QFontMetrics>
#include <QString>

class QWidget;

namespace quillfen {

// A path or URL shortened to the width with "…" in its folder part, so that
// its start and its whole file name stay visible. A file name too wide for the
// width alone is shortened in its own middle.
QString ElidedPath(const QString& path, const QFontMetrics& metrics, int width);

// A path as a menu entry shows it: no wider than about 60 average characters
// of the menu's font.
QString MenuPathCaption(const QWidget* menu, const QString& path);

}  // namespace quillfen
