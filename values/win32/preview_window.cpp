#include "values/win32/preview_window.h"

#include "values/preview_text.h"
#include "values/win32/gdiplus_objects.h"
#include "values/win32/preview_resource.h"
#include "support/mbtext.h"
#include "platform/win32/guards.h"
#include "support/paths.h"
#include "support/win32/private_messages.h"
#include "support/win32/system_menu.h"
#include "support/win32/window_text.h"

namespace orlavix::win32 {
namespace {

using namespace Gdiplus::DllExports;

// A folder is not an image: an empty name must not preview the folder itself.
bool IsExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Keeps the window's top-left corner and gives it a client area of width x height.
void FitClientArea(HWND window, int width, int height) {
  RECT placed{};
  if (!GetWindowRect(window, &placed)) return;
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  int outerWidth = outer.right - outer.left;
  int outerHeight = outer.bottom - outer.top;
  MoveWindow(window, placed.left, placed.top, outerWidth, outerHeight, TRUE);
  // Should the frame differ from what the styles promise, correct by what
  // the client area came out as.
  RECT client{};
  GetClientRect(window, &client);
  const int missingWidth = width - (client.right - client.left);
  const int missingHeight = height - (client.bottom - client.top);
  if (missingWidth != 0 || missingHeight != 0) {
    outerWidth += missingWidth;
    outerHeight += missingHeight;
    MoveWindow(window, placed.left, placed.top, outerWidth, outerHeight, TRUE);
  }
}

// Loads the previewed image into `image` (or takes the swatch's size) and fits
// the window to it; a file that cannot be decoded gives 0 x 0.
void FitToContents(PreviewWindow& preview, GdipImage& image) {
  image.Reset();
  if (preview.mode == PreviewWindow::Image) {
    preview.imageSize = SIZE{0, 0};
    const std::wstring path = Wide(preview.imagePath);
    if (GdiplusSession::Running() && !path.empty() &&
        GdipLoadImageFromFile(path.c_str(), image.Receive()) == Gdiplus::Ok) {
      UINT width = 0, height = 0;
      GdipGetImageWidth(image.Get(), &width);
      GdipGetImageHeight(image.Get(), &height);
      preview.imageSize = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
    } else {
      image.Reset();
    }
    FitClientArea(preview.Window(), preview.imageSize.cx, preview.imageSize.cy);
  } else if (preview.mode == PreviewWindow::Colour) {
    FitClientArea(preview.Window(), PreviewWindow::kSwatchWidth, PreviewWindow::kSwatchHeight);
  }
}

}  // namespace

bool PreviewWindow::Create(HWND owner) {
  if (Window()) return true;
  return CreateModeless(IDD_PREVIEW, owner) != nullptr;
}

void PreviewWindow::SetImageFolder(const std::string& newFolder) { folder = newFolder; }

void PreviewWindow::SetImageName(const std::string& name) {
  imagePath = folder + "\\" + name;
  mode = Image;
}

void PreviewWindow::SetColorText(const std::string& text) {
  color = PreviewColorFromText(text);
  mode = Colour;
}

void PreviewWindow::ShowPreviewWindow(int newMode) {
  if (newMode != Nothing) mode = newMode;
  if (!Window()) return;
  // A missing image would only flash up until its paint hides it.
  if (mode == Nothing || (mode == Image && !IsExistingFile(imagePath))) {
    ShowWindow(Window(), SW_HIDE);
    return;
  }
  ShowWindow(Window(), SW_HIDE);
  // Sized before it shows, so it never appears at the size of what it showed
  // before; shown without taking the activation from the list in use.
  {
    GdipImage image;
    FitToContents(*this, image);
  }
  ShowWindow(Window(), SW_SHOWNOACTIVATE);
}

void PreviewWindow::HidePreviewWindow() {
  if (Window()) ShowWindow(Window(), SW_HIDE);
}

bool PreviewWindow::OnInitDialog() {
  AddPropertiesItem();
  return true;
}

bool PreviewWindow::OnPaint() {
  Paint();
  return true;
}

bool PreviewWindow::OnSysCommand(UINT command) {
  if ((command & 0xFFF0) != kSystemMenuItemCommand) return false;
  ShowProperties();
  return true;
}

// No dialog loop translates keys for this window: Enter and Escape come here
// as keys.
bool PreviewWindow::OnKeyDown(UINT key) {
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  HidePreviewWindow();
  return true;
}

bool PreviewWindow::OnClose() {
  HidePreviewWindow();
  return true;
}

bool PreviewWindow::OnCommand(int id, int) {
  if (id != IDOK && id != IDCANCEL) return false;
  HidePreviewWindow();
  return true;
}

void PreviewWindow::AddPropertiesItem() {
  AddSystemMenuItem(Window(), J("プロパティ(&R)..."));
}

void PreviewWindow::Paint() {
  if (mode == Image && !IsExistingFile(imagePath)) {
    // The file went away: nothing to show until another row is chosen.
    HidePreviewWindow();
    ValidateRect(Window(), nullptr);
    return;
  }
  // The window is fitted before the paint begins, so the paint covers the new area.
  if (mode == Image) groundDrawn_ = background;
  GdipImage image;
  FitToContents(*this, image);

  const PaintScope paint(Window());
  if (!paint.Dc() || !GdiplusSession::Running()) return;
  if (mode == Image && image) {
    GdipGraphics graphics;
    if (GdipCreateFromHDC(paint.Dc(), graphics.Receive()) != Gdiplus::Ok) return;
    // Transparent pixels show the background, which is itself opaque.
    GdipGraphicsClear(graphics.Get(), OpaqueArgb(groundDrawn_));
    GdipDrawImageRectRectI(graphics.Get(), image.Get(), 0, 0, imageSize.cx, imageSize.cy, 0, 0,
                           imageSize.cx, imageSize.cy, Gdiplus::UnitPixel, nullptr, nullptr,
                           nullptr);
  } else if (mode == Colour) {
    DrawColour(paint.Dc());
  }
}

void PreviewWindow::DrawColour(HDC dc) {
  GdipGraphics graphics;
  if (GdipCreateFromHDC(dc, graphics.Receive()) != Gdiplus::Ok) return;
  // The pen's fill is a solid brush of its colour.
  GdipPen pen;
  GdipBrush brush;
  if (GdipCreatePen1(OpaqueArgb(color), 1.0f, Gdiplus::UnitWorld, pen.Receive()) != Gdiplus::Ok ||
      GdipGetPenBrushFill(pen.Get(), brush.Receive()) != Gdiplus::Ok) {
    return;
  }
  GdipGraphicsClear(graphics.Get(), OpaqueArgb(groundDrawn_));
  GdipFillRectangleI(graphics.Get(), brush.Get(), 0, 0, kSwatchWidth, kSwatchHeight);
}

void PreviewWindow::ShowProperties() {
  std::string text, caption;
  if (mode == Image) {
    text = ImagePropertiesText(imagePath, imageSize.cx, imageSize.cy);
    caption = J("ファイルのプロパティ");
  } else if (mode == Colour) {
    text = ColorPropertiesText(color);
    caption = J("色のプロパティ");
  } else {
    return;
  }
  ShowMessageBox(Window(), text, caption, MB_ICONINFORMATION | MB_OK);
}

}  // namespace orlavix::win32
