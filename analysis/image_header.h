// What the first bytes of an image file say: PNG, BMP or ICO, its size, or
// why it is none of them or is damaged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orlavix {

enum class ImageFormat { None, Png, Bmp, Ico };

struct ImageHeader {
  ImageFormat format = ImageFormat::None;
  bool damaged = false;       // a PNG, BMP or ICO whose header does not hold
  std::int64_t width = 0;     // when the header holds; the largest icon for ICO
  std::int64_t height = 0;
  std::string problem;        // UTF-8: what is wrong, "" when all is well
};

// Reads the header from the start of the file's bytes (the whole file, so
// that offsets and sizes can be checked against its length).
ImageHeader ReadImageHeader(std::string_view bytes);

// "png", "bmp", "ico", or "" for None.
const char* ImageFormatName(ImageFormat format);

}  // namespace orlavix
