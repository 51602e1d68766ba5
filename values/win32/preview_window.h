// A small tool window that shows the selected setting's value: an image of
// the skin at its own size, or a colour as a 100 x 50 swatch. The window
// fits itself to what it shows; its system menu reports the image's file
// and size or the colour's value.
#pragma once

#include <windows.h>

#include <string>

#include "support/win32/dialog.h"

namespace orlavix::win32 {

class PreviewWindow : public ModelessDialog {
 public:
  enum Mode { Nothing = 0, Image = 1, Colour = 2 };

  PreviewWindow() = default;

  // Creates the window hidden, owned by `owner`, at the top left of the
  // owner's client area. False when it could not be made.
  bool Create(HWND owner);

  // The folder the image names are looked for in.
  void SetImageFolder(const std::string& folder);
  // Shows the image `name` of that folder from the next paint on.
  void SetImageName(const std::string& name);
  // Shows the colour of a "#rrggbb" text (black for anything else).
  void SetColorText(const std::string& text);
  // Shows the window again in `newMode` (0 keeps the mode); hides it when
  // there is nothing to show.
  void ShowPreviewWindow(int newMode = 0);
  // Hides the window; what it shows stays.
  void HidePreviewWindow();

  // Drawn behind an image; transparent pixels show it.
  COLORREF background = RGB(0, 0, 0);
  int mode = Nothing;
  std::string folder;
  std::string imagePath;
  COLORREF color = 0;
  // Pixel size of the image last drawn; 0 x 0 for one that cannot be read.
  SIZE imageSize{0, 0};

  static constexpr int kSwatchWidth = 100;
  static constexpr int kSwatchHeight = 50;

 private:
  bool OnInitDialog() override;
  bool OnPaint() override;
  bool OnSysCommand(UINT command) override;
  bool OnKeyDown(UINT key) override;
  bool OnClose() override;
  bool OnCommand(int id, int code) override;
  void AddPropertiesItem();
  void Paint();
  void DrawColour(HDC dc);
  void ShowProperties();

  // The ground last drawn behind an image; a colour's swatch keeps it.
  COLORREF groundDrawn_ = RGB(0xFF, 0xFF, 0xFF);
};

}  // namespace orlavix::win32
