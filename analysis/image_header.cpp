#include "analysis/image_header.h"

#include <array>
#include <cstdlib>

namespace orlavix {
namespace {

std::uint32_t Byte(std::string_view b, std::size_t i) { return static_cast<unsigned char>(b[i]); }
std::uint32_t Be32(std::string_view b, std::size_t i) {
  return Byte(b, i) << 24 | Byte(b, i + 1) << 16 | Byte(b, i + 2) << 8 | Byte(b, i + 3);
}
std::uint32_t Le16(std::string_view b, std::size_t i) { return Byte(b, i) | Byte(b, i + 1) << 8; }
std::uint32_t Le32(std::string_view b, std::size_t i) { return Le16(b, i) | Le16(b, i + 2) << 16; }

std::uint32_t Crc32(std::string_view data) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (char ch : data) c = table[(c ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

ImageHeader Damaged(ImageFormat format, const char* problem) {
  ImageHeader header;
  header.format = format;
  header.damaged = true;
  header.problem = problem;
  return header;
}

ImageHeader Measured(ImageFormat format, std::int64_t width, std::int64_t height) {
  ImageHeader header;
  header.format = format;
  header.width = width;
  header.height = height;
  return header;
}

const char kPngSignature[] = "\x89PNG\r\n\x1A\n";

bool ValidPngDepth(std::uint32_t colourType, std::uint32_t depth) {
  switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2: case 4: case 6: return depth == 8 || depth == 16;
    default: return false;
  }
}

ImageHeader ReadPng(std::string_view b) {
  if (b.substr(0, 8) != std::string_view(kPngSignature, 8)) {
    // "\x89PNG" with the rest changed is what a text-mode copy does to it.
    return Damaged(ImageFormat::Png, "PNG の署名が壊れています (改行コードを変換して転送された可能性があります)");
  }
  if (b.size() < 33) return Damaged(ImageFormat::Png, "PNG のヘッダーが途中で切れています");
  if (Be32(b, 8) != 13 || b.substr(12, 4) != "IHDR") {
    return Damaged(ImageFormat::Png, "PNG の最初のチャンクが IHDR ではありません");
  }
  if (Crc32(b.substr(12, 17)) != Be32(b, 29)) {
    return Damaged(ImageFormat::Png, "PNG の IHDR のチェックサムが合いません");
  }
  const std::uint32_t width = Be32(b, 16), height = Be32(b, 20);
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
    return Damaged(ImageFormat::Png, "PNG の幅または高さが正しくありません");
  }
  if (!ValidPngDepth(Byte(b, 25), Byte(b, 24)) || Byte(b, 26) != 0 || Byte(b, 27) != 0 || Byte(b, 28) > 1) {
    return Damaged(ImageFormat::Png, "PNG の色の形式が正しくありません");
  }
  return Measured(ImageFormat::Png, width, height);
}

ImageHeader ReadBmp(std::string_view b) {
  if (b.size() < 26) return Damaged(ImageFormat::Bmp, "BMP のヘッダーが途中で切れています");
  const std::uint32_t infoSize = Le32(b, 14);
  const std::uint32_t pixels = Le32(b, 10);
  std::int64_t width = 0, height = 0;
  if (infoSize == 12) {
    width = Le16(b, 18);
    height = Le16(b, 20);
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 || infoSize == 108 ||
             infoSize == 124) {
    width = static_cast<std::int32_t>(Le32(b, 18));
    height = static_cast<std::int32_t>(Le32(b, 22));
    if (height < 0) height = -height;  // a top-down bitmap
  } else {
    return Damaged(ImageFormat::Bmp, "BMP の情報ヘッダーの大きさが正しくありません");
  }
  if (b.size() < 14 + static_cast<std::size_t>(infoSize)) {
    return Damaged(ImageFormat::Bmp, "BMP のヘッダーが途中で切れています");
  }
  if (width <= 0 || height == 0) return Damaged(ImageFormat::Bmp, "BMP の幅または高さが正しくありません");
  if (pixels < 14 + infoSize || pixels > b.size()) {
    return Damaged(ImageFormat::Bmp, "BMP の画素データの位置がファイルの外を指しています");
  }
  return Measured(ImageFormat::Bmp, width, height);
}

ImageHeader ReadIco(std::string_view b) {
  const std::uint32_t count = Le16(b, 4);
  if (count == 0) return Damaged(ImageFormat::Ico, "ICO にアイコンが一つもありません");
  if (b.size() < 6 + 16 * static_cast<std::size_t>(count)) {
    return Damaged(ImageFormat::Ico, "ICO の目録が途中で切れています");
  }
  ImageHeader header;
  header.format = ImageFormat::Ico;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const std::uint64_t size = Le32(b, entry + 8), offset = Le32(b, entry + 12);
    if (size == 0 || offset < 6 + 16 * static_cast<std::uint64_t>(count) || offset + size > b.size()) {
      return Damaged(ImageFormat::Ico, "ICO のアイコンの位置または大きさがファイルの外を指しています");
    }
    // A zero in the directory means 256 pixels.
    const std::int64_t width = Byte(b, entry) ? Byte(b, entry) : 256;
    const std::int64_t height = Byte(b, entry + 1) ? Byte(b, entry + 1) : 256;
    if (width * height > header.width * header.height) {
      header.width = width;
      header.height = height;
    }
  }
  return header;
}

ImageHeader NotAnImage(const char* problem) {
  ImageHeader header;
  header.problem = problem;
  return header;
}

}  // namespace

ImageHeader ReadImageHeader(std::string_view b) {
  if (b.size() >= 4 && b.substr(0, 4) == "\x89PNG") return ReadPng(b);
  if (b.size() >= 2 && b.substr(0, 2) == "BM") return ReadBmp(b);
  if (b.size() >= 6 && b.substr(0, 4) == std::string_view("\0\0\1\0", 4)) return ReadIco(b);
  if (b.empty()) return NotAnImage("空のファイルです");
  if (b.size() >= 3 && b.substr(0, 3) == "\xFF\xD8\xFF") return NotAnImage("JPEG です (PNG、BMP、ICO のいずれでもありません)");
  if (b.size() >= 4 && b.substr(0, 4) == "GIF8") return NotAnImage("GIF です (PNG、BMP、ICO のいずれでもありません)");
  if (b.size() >= 12 && b.substr(0, 4) == "RIFF" && b.substr(8, 4) == "WEBP") {
    return NotAnImage("WebP です (PNG、BMP、ICO のいずれでもありません)");
  }
  if (b.size() >= 4 && b.substr(0, 4) == std::string_view("\0\0\2\0", 4)) {
    return NotAnImage("カーソル (CUR) です (PNG、BMP、ICO のいずれでもありません)");
  }
  return NotAnImage("PNG、BMP、ICO のいずれでもありません");
}

const char* ImageFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return "png";
    case ImageFormat::Bmp: return "bmp";
    case ImageFormat::Ico: return "ico";
    case ImageFormat::None: break;
  }
  return "";
}

}  // namespace orlavix
