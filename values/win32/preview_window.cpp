#include "values/win32/preview_window.h"

#include <shlwapi.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/win32/guards.h"
#include "platform/win32/wide_text.h"
#include "support/mbtext.h"
#include "support/paths.h"
#include "support/win32/private_messages.h"
#include "support/win32/system_menu.h"
#include "support/win32/window_text.h"
#include "values/win32/preview_resource.h"

namespace orlavix::win32 {
namespace {

using namespace Gdiplus::DllExports;

constexpr UINT_PTR kFileCheckTimer = 1;
// Room around the lines shown in place of an image.
constexpr int kTextMargin = 8;
// Of a file too long to read whole, enough to hold any header.
constexpr DWORD kHeaderBytes = 64 * 1024;

// A folder is not an image: an empty name must not preview the folder itself.
bool IsExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The first bytes of a file, read while others may have it open.
std::string ReadBeginning(const std::string& path) {
  UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes(kHeaderBytes, '\0');
  DWORD got = 0;
  if (!file || !ReadFile(file.Get(), &bytes[0], kHeaderBytes, &got, nullptr)) got = 0;
  bytes.resize(got);
  return bytes;
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

// The window's device context with its dialog font chosen, for measuring
// and writing text.
class FontScope {
 public:
  FontScope(HWND window, HDC dc) : dc_(dc) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    old_ = SelectObject(dc_, font);
  }
  ~FontScope() { SelectObject(dc_, old_); }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

SIZE TextSize(HDC dc, const std::string& text) {
  const std::wstring wide = Wide(text);
  RECT box{0, 0, 0, 0};
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, DT_CALCRECT | DT_NOPREFIX);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

void WriteText(HDC dc, const std::string& text, RECT box, UINT format) {
  const std::wstring wide = Wide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, format | DT_NOPREFIX | DT_NOCLIP);
}

}  // namespace

bool PreviewWindow::FileStamp::operator==(const FileStamp& other) const {
  return exists == other.exists && size == other.size && written.dwLowDateTime == other.written.dwLowDateTime &&
         written.dwHighDateTime == other.written.dwHighDateTime;
}

bool PreviewWindow::Create(HWND owner) {
  if (Window()) return true;
  return CreateModeless(IDD_PREVIEW, owner) != nullptr;
}

void PreviewWindow::SetImageFolder(const std::string& newFolder) { folder = newFolder; }

void PreviewWindow::SetImageName(const std::string& name) {
  imagePath = folder + "\\" + name;
  mode = Image;
}

void PreviewWindow::SetImageStates(const std::vector<std::string>& names) { states = names; }

void PreviewWindow::SetColorText(const std::string& text) {
  color = PreviewColorFromText(text);
  mode = Colour;
}

void PreviewWindow::ShowPreviewWindow(int newMode) {
  if (newMode != Nothing) mode = newMode;
  if (!Window()) return;
  // A missing image would only flash up until its paint hides it.
  if (mode == Nothing || (mode == Image && !IsExistingFile(imagePath))) {
    HidePreviewWindow();
    return;
  }
  ShowWindow(Window(), SW_HIDE);
  // Sized before it shows, so it never appears at the size of what it showed
  // before; shown without taking the activation from the list in use.
  ReadIfChanged();
  LayOut();
  FitWindow();
  ShowWindow(Window(), SW_SHOWNOACTIVATE);
  SetTimer(Window(), kFileCheckTimer, kFileCheckMs, nullptr);
}

void PreviewWindow::HidePreviewWindow() {
  if (!Window()) return;
  KillTimer(Window(), kFileCheckTimer);
  ShowWindow(Window(), SW_HIDE);
}

void PreviewWindow::CheckFileChanged() {
  if (!Window() || !IsWindowVisible(Window()) || mode != Image) return;
  if (!IsExistingFile(imagePath)) {
    HidePreviewWindow();
    return;
  }
  if (!ReadIfChanged()) return;
  LayOut();
  FitWindow();
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

bool PreviewWindow::ReadIfChanged() {
  if (mode != Image) return false;
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExW(Wide(imagePath).c_str(), GetFileExInfoStandard, &data)) {
    stamp.exists = true;
    stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written = data.ftLastWriteTime;
  }
  if (read_ && readPath_ == imagePath && readStamp_ == stamp) {
    if (readStates_ == states) return false;
    // Other states of the same pixels: only the frames change.
    readStates_ = states;
    frames_ = ChooseStateFrames(imageSize.cx, imageSize.cy, static_cast<int>(states.size()));
    return true;
  }
  Read(stamp);
  return true;
}

void PreviewWindow::Read(const FileStamp& stamp) {
  ++decodeCount;
  pixels_.Reset();
  imageSize = SIZE{0, 0};
  readPath_ = imagePath;
  readStates_ = states;
  readStamp_ = stamp;
  read_ = true;
  std::string bytes;
  if (stamp.size > static_cast<std::uint64_t>(kPreviewMemoryLimit)) {
    bytes = ReadBeginning(imagePath);
  } else if (platform::ReadWholeFile(imagePath, bytes) != platform::ReadStatus::Ok) {
    // Another program may be writing it: looked at again at the next check.
    read_ = false;
    header_ = ImageHeader{};
    header_.problem = "ファイルを読めません (ほかのプログラムが開いている可能性があります)";
    verdict_ = ImageVerdict::Unreadable;
    frames_ = StateFrames{};
    return;
  }
  header_ = ReadImageHeader(bytes);
  verdict_ = JudgeImage(header_, stamp.size);
  if (verdict_ == ImageVerdict::Draw) Decode(bytes);
  if (!pixels_ && verdict_ == ImageVerdict::TooLarge) {
    imageSize = SIZE{static_cast<LONG>(header_.width), static_cast<LONG>(header_.height)};
  }
  frames_ = pixels_ ? ChooseStateFrames(imageSize.cx, imageSize.cy, static_cast<int>(states.size())) : StateFrames{};
}

// Decodes into pixels of its own, so that neither the file nor its bytes
// are held while the image shows.
void PreviewWindow::Decode(const std::string& bytes) {
  verdict_ = ImageVerdict::Unreadable;
  if (!GdiplusSession::Running()) return;
  ComPtr<IStream> stream(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  GdipImage source;
  if (!stream || GdipLoadImageFromStream(stream.Get(), source.Receive()) != Gdiplus::Ok) return;
  UINT width = 0, height = 0;
  GdipGetImageWidth(source.Get(), &width);
  GdipGetImageHeight(source.Get(), &height);
  if (width == 0 || height == 0) return;
  if (static_cast<std::int64_t>(width) * height > kPreviewMemoryLimit / 4) {
    verdict_ = ImageVerdict::TooLarge;
    return;
  }
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0, PixelFormat32bppPARGB, nullptr,
                                &bitmap) != Gdiplus::Ok) {
    return;
  }
  *pixels_.Receive() = bitmap;
  GdipGraphics graphics;
  if (GdipGetImageGraphicsContext(pixels_.Get(), graphics.Receive()) != Gdiplus::Ok ||
      GdipGraphicsClear(graphics.Get(), 0) != Gdiplus::Ok ||
      GdipDrawImageRectI(graphics.Get(), source.Get(), 0, 0, static_cast<INT>(width), static_cast<INT>(height)) !=
          Gdiplus::Ok) {
    pixels_.Reset();
    return;
  }
  imageSize = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
  verdict_ = ImageVerdict::Draw;
}

void PreviewWindow::LayOut() {
  layout_ = StateFramesLayout{};
  line_.clear();
  lineBox_ = RECT{};
  if (mode == Colour) {
    client_ = SIZE{kSwatchWidth, kSwatchHeight};
    return;
  }
  if (mode != Image) return;
  const HDC dc = GetDC(Window());
  if (!dc) return;
  {
    const FontScope font(Window(), dc);
    if (!pixels_) {
      line_ = UndrawnImageText(FileNameOf(imagePath), header_, verdict_);
      const SIZE text = TextSize(dc, line_);
      lineBox_ = RECT{kTextMargin, kTextMargin, kTextMargin + text.cx, kTextMargin + text.cy};
      client_ = SIZE{text.cx + 2 * kTextMargin, text.cy + 2 * kTextMargin};
    } else if (frames_.split != StateFrames::None) {
      std::vector<int> widths;
      int labelHeight = 0;
      for (const std::string& state : states) {
        const SIZE text = TextSize(dc, state);
        widths.push_back(text.cx);
        labelHeight = std::max(labelHeight, static_cast<int>(text.cy));
      }
      layout_ = LayOutStateFrames(static_cast<int>(frames_.frameWidth), static_cast<int>(frames_.frameHeight), widths,
                                  labelHeight);
      client_ = SIZE{layout_.width, layout_.height};
    } else {
      client_ = imageSize;
      if (states.size() >= 2) {
        line_ = UndividedStatesText(static_cast<int>(states.size()), imageSize.cx, imageSize.cy);
        const SIZE text = TextSize(dc, line_);
        const int top = imageSize.cy + kStateLabelGap;
        lineBox_ = RECT{kStateLabelGap, top, kStateLabelGap + text.cx, top + text.cy};
        client_ = SIZE{std::max(static_cast<int>(imageSize.cx), static_cast<int>(text.cx) + 2 * kStateLabelGap),
                       top + text.cy + kStateLabelGap};
      }
    }
  }
  ReleaseDC(Window(), dc);
}

void PreviewWindow::FitWindow() {
  RECT client{};
  GetClientRect(Window(), &client);
  if (client.right == client_.cx && client.bottom == client_.cy) return;
  FitClientArea(Window(), client_.cx, client_.cy);
}

bool PreviewWindow::OnInitDialog() {
  AddPropertiesItem();
  return true;
}

bool PreviewWindow::OnPaint() {
  Paint();
  return true;
}

bool PreviewWindow::OnTimer(UINT_PTR id) {
  if (id != kFileCheckTimer) return false;
  CheckFileChanged();
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
  if (mode == Image) groundDrawn_ = background;
  // What to show may have been set since the window was last fitted: fitted
  // before the paint begins, so that the paint covers the new area. The
  // file is read again only if it changed.
  ReadIfChanged();
  LayOut();
  RECT before{};
  GetClientRect(Window(), &before);
  FitWindow();
  if (before.right != client_.cx || before.bottom != client_.cy) InvalidateRect(Window(), nullptr, FALSE);

  const PaintScope paint(Window());
  if (!paint.Dc()) return;
  if (mode == Image) {
    DrawImage(paint.Dc());
    DrawTexts(paint.Dc());
  } else if (mode == Colour) {
    DrawColour(paint.Dc());
  }
}

void PreviewWindow::DrawImage(HDC dc) {
  if (!GdiplusSession::Running()) return;
  GdipGraphics graphics;
  if (GdipCreateFromHDC(dc, graphics.Receive()) != Gdiplus::Ok) return;
  // Transparent pixels show the background, which is itself opaque.
  GdipGraphicsClear(graphics.Get(), OpaqueArgb(groundDrawn_));
  if (!pixels_) return;
  // Pixel for pixel: no frame takes colour from its neighbour.
  GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeNearestNeighbor);
  GdipSetPixelOffsetMode(graphics.Get(), Gdiplus::PixelOffsetModeHalf);
  if (layout_.frames.empty()) {
    GdipDrawImageRectRectI(graphics.Get(), pixels_.Get(), 0, 0, imageSize.cx, imageSize.cy, 0, 0, imageSize.cx,
                           imageSize.cy, Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    return;
  }
  const auto frameWidth = static_cast<INT>(frames_.frameWidth), frameHeight = static_cast<INT>(frames_.frameHeight);
  for (std::size_t i = 0; i < layout_.frames.size(); ++i) {
    const PreviewBox& to = layout_.frames[i];
    const INT n = static_cast<INT>(i);
    const INT fromX = frames_.split == StateFrames::Across ? n * frameWidth : 0;
    const INT fromY = frames_.split == StateFrames::Down ? n * frameHeight : 0;
    GdipDrawImageRectRectI(graphics.Get(), pixels_.Get(), to.left, to.top, frameWidth, frameHeight, fromX, fromY,
                           frameWidth, frameHeight, Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
  }
}

// The names under the frames, or the lines in place of the image, in black
// or white, whichever the ground shows better.
void PreviewWindow::DrawTexts(HDC dc) {
  if (line_.empty() && layout_.labels.empty()) return;
  const int light = GetRValue(groundDrawn_) * 299 + GetGValue(groundDrawn_) * 587 + GetBValue(groundDrawn_) * 114;
  SetTextColor(dc, light >= 128000 ? RGB(0, 0, 0) : RGB(0xFF, 0xFF, 0xFF));
  SetBkMode(dc, TRANSPARENT);
  const FontScope font(Window(), dc);
  if (!line_.empty()) WriteText(dc, line_, lineBox_, DT_LEFT);
  for (std::size_t i = 0; i < layout_.labels.size() && i < states.size(); ++i) {
    const PreviewBox& box = layout_.labels[i];
    WriteText(dc, states[i], RECT{box.left, box.top, box.left + box.width, box.top + box.height},
              DT_CENTER | DT_SINGLELINE);
  }
}

void PreviewWindow::DrawColour(HDC dc) {
  if (!GdiplusSession::Running()) return;
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
    text = ImagePropertiesText(imagePath, imageSize.cx, imageSize.cy, static_cast<int>(states.size()));
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
