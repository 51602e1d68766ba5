// Pictures for the window tests: PNG files to preview, and what a window shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orlavix::test {

// Writes a width x height PNG of one colour whose top-left pixel is fully
// transparent.
bool WritePng(const std::string& path, int width, int height, COLORREF colour);

// Writes a PNG of frames of frameWidth x frameHeight, one of each colour,
// side by side (across) or one under the other; the top-left pixel of the
// whole picture is fully transparent.
bool WriteStripPng(const std::string& path, int frameWidth, int frameHeight, const std::vector<COLORREF>& colours,
                   bool across = true);

// Writes only the signature and header chunk of a width x height PNG: what
// a header reader sees of a picture too large to make here.
bool WritePngHeader(const std::string& path, int width, int height);

SIZE ClientSize(HWND window);

// The colour of a client pixel as the screen shows it.
COLORREF PixelAt(HWND window, int x, int y);

}  // namespace orlavix::test
