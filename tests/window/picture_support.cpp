#include "tests/window/picture_support.h"

#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <vector>

namespace orlavix::test {

using namespace Gdiplus::DllExports;

bool WritePng(const std::string& path, int width, int height, COLORREF colour) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  std::vector<Gdiplus::ARGB> pixels(static_cast<std::size_t>(width) * height,
                                    0xFF000000u | (GetRValue(colour) << 16) |
                                        (GetGValue(colour) << 8) | GetBValue(colour));
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
