#pragma once

#include <QFont>
#include <QImage>

#include "export/rgb_image.h"
#include "views/display_list.h"

class QPainter;

namespace quillfen {

// The font a display list names, at its point size on a 96-dpi canvas; the
// original platform's families are drawn in the Liberation fonts that stand for them.
QFont DisplayFont(const std::string& family, int pointSize);

// Paints the items in order, without antialiasing, in pixel coordinates.
void PaintDisplayList(QPainter& painter, const DisplayList& list);

// The list painted on an image of its own canvas size.
QImage RenderDisplayList(const DisplayList& list);

RgbImage ToRgbImage(const QImage& image);

// Renders and converts in one step: the export's chart renderer.
RgbImage RenderRgbImage(const DisplayList& list);

}  // namespace quillfen
