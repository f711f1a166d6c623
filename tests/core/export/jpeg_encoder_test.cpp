#include "export/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "../support/jpeg_decode.h"

namespace quillfen {
namespace {

RgbImage Stripes(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool red = (x / 8) % 2 == 1;
      const std::uint8_t r = red ? 224 : 255, gb = red ? 0 : 255;
      image.pixels.insert(image.pixels.end(), {r, gb, gb});
    }
  return image;
}

TEST(JpegEncoder, QualityHundredKeepsColoursClose) {
  const RgbImage image = Stripes(64, 24);
  const std::string bytes = EncodeJpeg(image, 100);
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF");
  const RgbImage decoded = testing::DecodeJpeg(bytes);
  ASSERT_EQ(decoded.width, 64);
  ASSERT_EQ(decoded.height, 24);
  int worst = 0;
  for (std::size_t i = 0; i < image.pixels.size(); ++i)
    worst = std::max(worst, std::abs(int{image.pixels[i]} - int{decoded.pixels[i]}));
  EXPECT_LT(worst, 24);
  EXPECT_NEAR(decoded.pixels[(5 * 64 + 12) * 3], 224, 6);  // inside a red stripe
  EXPECT_NEAR(decoded.pixels[(5 * 64 + 12) * 3 + 1], 0, 6);
}

TEST(JpegEncoder, RefusesImagesItCannotEncode) {
  RgbImage shortBuffer = Stripes(10, 10);
  shortBuffer.pixels.resize(10);
  EXPECT_EQ(EncodeJpeg(RgbImage{}, 100), "");
  EXPECT_EQ(EncodeJpeg(RgbImage{0, 10, {}}, 100), "");
  EXPECT_EQ(EncodeJpeg(shortBuffer, 100), "");
  EXPECT_EQ(EncodeJpeg(RgbImage{70000, 1, std::vector<std::uint8_t>(210000)}, 100), "");
}

}  // namespace
}  // namespace quillfen
