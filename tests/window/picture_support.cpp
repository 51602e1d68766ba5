#include "tests/window/picture_support.h"

#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace orlavix::test {

using namespace Gdiplus::DllExports;

namespace {

Gdiplus::ARGB Opaque(COLORREF colour) {
  return 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

std::uint32_t Crc32(const std::string& data) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char byte : data) {
    c ^= byte;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  return c ^ 0xFFFFFFFFu;
}

std::string Be32(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, COLORREF colour) {
  return WriteStripPng(path, width, height, {colour});
}

bool WriteStripPng(const std::string& path, int frameWidth, int frameHeight, const std::vector<COLORREF>& colours,
                   bool across) {
  const int count = static_cast<int>(colours.size());
  const int width = across ? frameWidth * count : frameWidth;
  const int height = across ? frameHeight : frameHeight * count;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  std::vector<Gdiplus::ARGB> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int frame = across ? x / frameWidth : y / frameHeight;
      pixels[static_cast<std::size_t>(y) * width + x] = Opaque(colours[frame]);
    }
  }
  pixels[0] = 0;
  Gdiplus::GpBitmap* bitmap = nullptr;
  bool written = false;
  if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                reinterpret_cast<BYTE*>(pixels.data()), &bitmap) == Gdiplus::Ok) {
    // The PNG encoder.
    const CLSID png{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const std::wstring wide(path.begin(), path.end());
    written = GdipSaveImageToFile(bitmap, wide.c_str(), &png, nullptr) == Gdiplus::Ok;
    GdipDisposeImage(bitmap);
  }
  Gdiplus::GdiplusShutdown(token);
  return written;
}

bool WritePngHeader(const std::string& path, int width, int height) {
  // IHDR: the size, 8 bits of RGBA, no interlacing.
  const std::string header = "IHDR" + Be32(static_cast<std::uint32_t>(width)) +
                             Be32(static_cast<std::uint32_t>(height)) + std::string("\x08\x06\0\0\0", 5);
  const std::string bytes = std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + header + Be32(Crc32(header));
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out.good();
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

COLORREF PixelAt(HWND window, int x, int y) {
  const HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

}  // namespace orlavix::test
