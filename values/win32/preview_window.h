// A small tool window that shows the selected setting's value: an image of
// the skin at its own size (an image of states as its frames side by side,
// each over its state's name), or a colour as a 100 x 50 swatch. The window
// fits itself to what it shows; its system menu reports the image's file
// and size or the colour's value. An image is read when its name or its
// file changes, not at each paint; while the window shows, the file is
// looked at once a second.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/image_header.h"
#include "model/image_states.h"
#include "support/win32/dialog.h"
#include "values/preview_text.h"
#include "values/win32/gdiplus_objects.h"

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
  // The states the image holds a frame of each (empty: drawn whole).
  void SetImageStates(const std::vector<std::string>& names);
  // Shows the colour of a "#rrggbb" text (black for anything else).
  void SetColorText(const std::string& text);
  // Shows the window again in `newMode` (0 keeps the mode); hides it when
  // there is nothing to show.
  void ShowPreviewWindow(int newMode = 0);
  // Hides the window; what it shows stays.
  void HidePreviewWindow();
  // While the window shows an image: reads it again and redraws when its
  // file's size or last-write time has changed, hides when it is gone.
  void CheckFileChanged();

  // The lines written in place of the image or under it; "" when none.
  const std::string& WrittenText() const { return line_; }

  // Drawn behind an image; transparent pixels show it.
  COLORREF background = RGB(0, 0, 0);
  int mode = Nothing;
  std::string folder;
  std::string imagePath;
  std::vector<std::string> states;
  COLORREF color = 0;
  // Pixel size of the image last read; 0 x 0 for one that cannot be read.
  SIZE imageSize{0, 0};
  // How often an image has been read and decoded.
  int decodeCount = 0;

  static constexpr int kSwatchWidth = 100;
  static constexpr int kSwatchHeight = 50;
  static constexpr UINT kFileCheckMs = 1000;

 private:
  // What the file was when it was read.
  struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    FILETIME written{};
    bool operator==(const FileStamp& other) const;
  };

  bool OnInitDialog() override;
  bool OnPaint() override;
  bool OnTimer(UINT_PTR id) override;
  bool OnSysCommand(UINT command) override;
  bool OnKeyDown(UINT key) override;
  bool OnClose() override;
  bool OnCommand(int id, int code) override;
  void AddPropertiesItem();
  // Reads the image when its path, its states or its file changed since it
  // was last read; true when it did.
  bool ReadIfChanged();
  void Read(const FileStamp& stamp);
  void Decode(const std::string& bytes);
  void LayOut();
  void FitWindow();
  void Paint();
  void DrawImage(HDC dc);
  void DrawTexts(HDC dc);
  void DrawColour(HDC dc);
  void ShowProperties();

  // The ground last drawn behind an image; a colour's swatch keeps it.
  COLORREF groundDrawn_ = RGB(0xFF, 0xFF, 0xFF);

  // The image as last read, and what it was read from.
  std::string readPath_;
  std::vector<std::string> readStates_;
  FileStamp readStamp_;
  bool read_ = false;
  GdipImage pixels_;
  ImageHeader header_;
  ImageVerdict verdict_ = ImageVerdict::Unreadable;
  StateFrames frames_;

  // Where it is drawn: the client size, the frames and their names, or the
  // whole image with a line under it, or lines alone.
  SIZE client_{0, 0};
  StateFramesLayout layout_;
  std::string line_;
  RECT lineBox_{};
};

}  // namespace orlavix::win32
