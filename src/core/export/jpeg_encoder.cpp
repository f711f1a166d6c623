#include "export/jpeg_encoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace quillfen {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

// libjpeg's default handler ends the process; return to the caller instead.
[[noreturn]] void JumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Plain C state only between setjmp and longjmp, so no destructor is skipped.
bool Compress(const RgbImage& image, int quality, unsigned char** data, unsigned long* size) {
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpOnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, data, size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  // Full colour resolution: a one-pixel red line stays red instead of smearing.
  info.comp_info[0].h_samp_factor = 1;
  info.comp_info[0].v_samp_factor = 1;
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.pixels.data() + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

std::string EncodeJpeg(const RgbImage& image, int quality) {
  constexpr int kLargestSide = 65500;
  if (image.width <= 0 || image.height <= 0 || image.width > kLargestSide ||
      image.height > kLargestSide ||
      image.pixels.size() < static_cast<std::size_t>(image.width) * image.height * 3)
    return {};
  unsigned char* data = nullptr;
  unsigned long size = 0;
  bool encoded = Compress(image, quality, &data, &size);
  std::string bytes;
  if (encoded) bytes.assign(reinterpret_cast<const char*>(data), size);
  std::free(data);
  return bytes;
}

}  // namespace quillfen
