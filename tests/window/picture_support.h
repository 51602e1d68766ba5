// Pictures for the window tests: PNG files to preview, and what a window shows.
#pragma once

#include <windows.h>

#include <string>

namespace orlavix::test {

// Writes a width x height PNG of one colour whose top-left pixel is fully
// transparent.
bool WritePng(const std::string& path, int width, int height, COLORREF colour);

SIZE ClientSize(HWND window);

// The colour of a client pixel as the screen shows it.
COLORREF PixelAt(HWND window, int x, int y);

}  // namespace orlavix::test
