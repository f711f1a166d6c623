#pragma once

#include <cstdint>
#include <vector>

namespace quillfen {

// Pixels as red, green, blue bytes, rows top to bottom without padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

}  // namespace quillfen
