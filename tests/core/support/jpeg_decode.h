#pragma once

#include <jpeglib.h>

#include <csetjmp>
#include <string>

#include "export/rgb_image.h"

namespace quillfen::testing {

struct DecodeErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] inline void DecodeFailed(j_common_ptr info) {
  std::longjmp(reinterpret_cast<DecodeErrors*>(info->err)->jump, 1);
}

// The JPEG bytes as RGB pixels; an empty image when they do not decode.
inline RgbImage DecodeJpeg(const std::string& bytes) {
  RgbImage image;
  jpeg_decompress_struct info;
  DecodeErrors errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = DecodeFailed;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return RgbImage{};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.pixels.data() + info.output_scanline * image.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

}  // namespace quillfen::testing
