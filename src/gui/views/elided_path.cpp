#include "gui/views/elided_path.h"

#include <QWidget>

namespace quillfen {

QString ElidedPath(const QString& path, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(path) <= width) return path;
  const qsizetype nameStart = path.lastIndexOf('/') + 1;
  const QString name = path.mid(nameStart);
  const int folderRoom = width - metrics.horizontalAdvance(name);
  // The folder needs room for at least its first character and the ellipsis.
  if (nameStart == 0 || folderRoom < metrics.horizontalAdvance(path.left(1) + QChar(0x2026)))
    return metrics.elidedText(path, Qt::ElideMiddle, width);
  return metrics.elidedText(path.left(nameStart), Qt::ElideMiddle, folderRoom) + name;
}

QString MenuPathCaption(const QWidget* menu, const QString& path) {
  constexpr int kMenuPathCharacters = 60;
  const QFontMetrics metrics = menu->fontMetrics();
  return ElidedPath(path, metrics, kMenuPathCharacters * metrics.averageCharWidth());
}

}  // namespace quillfen
