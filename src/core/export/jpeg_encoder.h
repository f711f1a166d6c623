#pragma once

#include <string>

#include "export/rgb_image.h"

namespace quillfen {

// The image as a baseline JPEG file's bytes; empty when the image has no
// pixels, is larger than JPEG allows, or its pixel buffer is short.
std::string EncodeJpeg(const RgbImage& image, int quality);

}  // namespace quillfen
