#include "values/win32/preview_window.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/catalogues.h"
#include "model/image_states.h"
#include "support/mbtext.h"
#include "support/win32/private_messages.h"
#include "tests/window/picture_support.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::ClientSize;
using test::PixelAt;
using test::WritePng;
using test::WritePngHeader;
using test::WriteStripPng;
using test::OwnerWindow;
using test::TextOf;
using namespace Gdiplus::DllExports;

constexpr COLORREF kGreen = RGB(0, 0xFF, 0);
constexpr COLORREF kRed = RGB(0xFF, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 0xFF);

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// As the list does after choosing what to show.
void Refresh(PreviewWindow& preview) {
  RedrawWindow(preview.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  preview.ShowPreviewWindow(0);
  UpdateWindow(preview.Window());
  Pump();
}

// Opens the properties box from the system menu and returns its caption and text.
std::pair<std::string, std::string> Properties(PreviewWindow& preview) {
  test::ModalWatcher watcher(preview.Window());
  std::pair<std::string, std::string> seen;
  watcher.Then([&](const test::ModalWatcher::Box& box) {
    seen = {box.caption, box.text};
    test::PressButton(box.window, IDOK);
  });
  SendMessageA(preview.Window(), WM_SYSCOMMAND, win32::kSystemMenuItemCommand, 0);
  return seen;
}

// The boxes that the properties item opens when none is expected; each is
// closed as it comes.
std::size_t UnexpectedPropertiesBoxes(PreviewWindow& preview) {
  test::ModalWatcher watcher(preview.Window());
  SendMessageA(preview.Window(), WM_SYSCOMMAND, win32::kSystemMenuItemCommand, 0);
  return watcher.Seen().size();
}

class PreviewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "orlavix-preview";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(WritePng(folder + "\\small.png", 16, 16, kRed));
    ASSERT_TRUE(WritePng(folder + "\\wide.png", 300, 40, kBlue));
    ASSERT_TRUE(preview.Create(owner.Get()));
    preview.SetImageFolder(folder);
  }
  void TearDown() override {
    for (const char* name : {"small.png", "wide.png", "gone.png", "strip.png", "huge.png", "text.png"}) {
      DeleteFileA((folder + "\\" + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
  }

  OwnerWindow owner{RECT{100, 100, 900, 700}, "Orlavix"};
  std::string folder;
  PreviewWindow preview;
};

TEST_F(PreviewWindowTest, StartsHiddenOwnedWithThePropertiesItem) {
  const HWND window = preview.Window();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner.Get());
  EXPECT_EQ(TextOf(window), J("プレビュー"));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(preview.mode, 0);
  EXPECT_EQ(preview.background, RGB(0, 0, 0));

  const HMENU menu = GetSystemMenu(window, FALSE);
  char text[64] = "";
  GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_EQ(text, J("プロパティ(&R)..."));
  EXPECT_EQ(GetMenuItemID(menu, 0), win32::kSystemMenuItemCommand);
  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);

  // Nothing to show: showing keeps it hidden, and no box opens.
  preview.ShowPreviewWindow(0);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(UnexpectedPropertiesBoxes(preview), 0u);

  // The window goes with the object.
  auto another = std::make_unique<PreviewWindow>();
  ASSERT_TRUE(another->Create(owner.Get()));
  const HWND gone = another->Window();
  EXPECT_TRUE(IsWindow(gone));
  another.reset();
  EXPECT_FALSE(IsWindow(gone));
  // And an owner that goes first takes the window along; the object then
  // has nothing left to destroy.
  another = std::make_unique<PreviewWindow>();
  {
    const OwnerWindow shortLived(RECT{0, 0, 200, 200});
    ASSERT_TRUE(another->Create(shortLived.Get()));
  }
  EXPECT_EQ(another->Window(), nullptr);
  another.reset();
}

TEST_F(PreviewWindowTest, ImagesShowAtTheirOwnSizeOverTheBackgroundUntilTheFileGoes) {
  preview.background = kGreen;
  preview.SetImageName("small.png");
  EXPECT_EQ(preview.mode, 1);
  EXPECT_EQ(preview.imagePath, folder + "\\small.png");
  Refresh(preview);
  EXPECT_TRUE(IsWindowVisible(preview.Window()));
  SIZE client = ClientSize(preview.Window());
  EXPECT_EQ(client.cx, 16);
  EXPECT_EQ(client.cy, 16);
  EXPECT_EQ(preview.imageSize.cx, 16);
  EXPECT_EQ(PixelAt(preview.Window(), 0, 0), kGreen);  // the transparent pixel
  EXPECT_EQ(PixelAt(preview.Window(), 8, 8), kRed);
  EXPECT_EQ(PixelAt(preview.Window(), 15, 15), kRed);
  auto properties = Properties(preview);
  EXPECT_EQ(properties.first, J("ファイルのプロパティ"));
  EXPECT_EQ(properties.second,
            J("ファイル: ") + folder + "\\small.png\n" + J("サイズ: ") + "(  16 ,  16 )");

  preview.background = RGB(0x80, 0x40, 0x20);
  preview.SetImageName("wide.png");
  preview.ShowPreviewWindow(0);  // sized before its first paint
  client = ClientSize(preview.Window());
  EXPECT_EQ(client.cx, 300);
  Refresh(preview);
  client = ClientSize(preview.Window());
  EXPECT_EQ(client.cx, 300);
  EXPECT_EQ(client.cy, 40);
  EXPECT_EQ(PixelAt(preview.Window(), 0, 0), RGB(0x80, 0x40, 0x20));
  EXPECT_EQ(PixelAt(preview.Window(), 299, 39), kBlue);
  properties = Properties(preview);
  EXPECT_EQ(properties.second,
            J("ファイル: ") + folder + "\\wide.png\n" + J("サイズ: ") + "( 300 ,  40 )");

  // The file renamed away: the next paint hides the window; the mode stays.
  ASSERT_TRUE(MoveFileA((folder + "\\wide.png").c_str(), (folder + "\\gone.png").c_str()));
  RedrawWindow(preview.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  EXPECT_FALSE(IsWindowVisible(preview.Window()));
  EXPECT_EQ(preview.mode, 1);
  // An empty name names the folder, which is no image either.
  preview.SetImageName("");
  Refresh(preview);
  EXPECT_FALSE(IsWindowVisible(preview.Window()));
}

TEST_F(PreviewWindowTest, ColoursShowAsASwatchAndEnterEscapeOrCloseHideIt) {
  preview.SetImageName("wide.png");
  Refresh(preview);
  preview.SetColorText("#ff8000");
  EXPECT_EQ(preview.mode, 2);
  EXPECT_EQ(preview.color, RGB(0xFF, 0x80, 0x00));
  Refresh(preview);
  const SIZE client = ClientSize(preview.Window());
  EXPECT_EQ(client.cx, 100);
  EXPECT_EQ(client.cy, 50);
  for (POINT p : {POINT{0, 0}, POINT{50, 25}, POINT{99, 49}}) {
    EXPECT_EQ(PixelAt(preview.Window(), p.x, p.y), RGB(0xFF, 0x80, 0x00)) << p.x << "," << p.y;
  }
  const auto properties = Properties(preview);
  EXPECT_EQ(properties.first, J("色のプロパティ"));
  EXPECT_EQ(properties.second, "#0080FF - ( FF , 80 , 00 )");

  // Each way of dismissing hides the window and keeps what it shows.
  const std::vector<std::function<void(HWND)>> dismiss = {
      [](HWND w) { SendMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0); },
      [](HWND w) { SendMessageA(w, WM_KEYDOWN, VK_RETURN, 0); },
      [](HWND w) { SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); },
      [](HWND w) { SendMessageA(w, WM_COMMAND, IDCANCEL, 0); },
      [](HWND w) { SendMessageA(w, WM_COMMAND, IDOK, 0); },
  };
  for (std::size_t i = 0; i < dismiss.size(); ++i) {
    Refresh(preview);
    ASSERT_TRUE(IsWindowVisible(preview.Window())) << i;
    dismiss[i](preview.Window());
    Pump();
    EXPECT_FALSE(IsWindowVisible(preview.Window())) << i;
    EXPECT_TRUE(IsWindow(preview.Window())) << i;
    EXPECT_EQ(preview.mode, 2) << i;
  }
  // A bad colour text is black.
  preview.SetColorText("ff8000");
  Refresh(preview);
  EXPECT_EQ(PixelAt(preview.Window(), 10, 10), RGB(0, 0, 0));
  preview.HidePreviewWindow();
  EXPECT_FALSE(IsWindowVisible(preview.Window()));
  preview.ShowPreviewWindow(0);
  EXPECT_TRUE(IsWindowVisible(preview.Window()));
}

// The states the catalogue's description of `key` names.
std::vector<std::string> StatesOf(const char* key) {
  SettingCatalogue controls;
  BuildCatalogue(SettingCategory::Controls, controls);
  return ImageStates(controls.FindCopy(key).description);
}

// Some pixel of the box differs from `ground`: something is written there.
// The box is copied once, rather than asked of the screen pixel by pixel.
bool WrittenIn(HWND window, RECT box, COLORREF ground) {
  const int width = box.right - box.left, height = box.bottom - box.top;
  if (width <= 0 || height <= 0) return false;
  const HDC dc = GetDC(window);
  const HDC copy = CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, dc, box.left, box.top, SRCCOPY);
  const DWORD groundBits = (GetRValue(ground) << 16) | (GetGValue(ground) << 8) | GetBValue(ground);
  bool written = false;
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (int i = 0; pixels && i < width * height && !written; ++i) written = (pixels[i] & 0xFFFFFF) != groundBits;
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(window, dc);
  return written;
}

const std::vector<COLORREF> kFrameColours = {RGB(0xC0, 0, 0), RGB(0, 0xC0, 0), RGB(0, 0, 0xC0),
                                             RGB(0xC0, 0xC0, 0), RGB(0, 0xC0, 0xC0)};

TEST_F(PreviewWindowTest, ButtonSkinOnAFiveFrameStripShowsFiveFramesOverTheirNames) {
  constexpr COLORREF kGround = RGB(0xFF, 0xFF, 0xFF);
  ASSERT_TRUE(WriteStripPng(folder + "\\strip.png", 100, 30, kFrameColours));
  preview.background = kGround;
  preview.SetImageStates(StatesOf("ButtonSkin"));
  preview.SetImageName("strip.png");
  Refresh(preview);
  ASSERT_TRUE(IsWindowVisible(preview.Window()));
  // Five frames of 100 with four gaps of 6, names under them.
  const SIZE client = ClientSize(preview.Window());
  EXPECT_EQ(client.cx, 5 * 100 + 4 * 6);
  EXPECT_GT(client.cy, 30 + 8);
  EXPECT_LT(client.cy, 30 + 40);
  for (int i = 0; i < 5; ++i) {
    const int left = i * 106;
    EXPECT_EQ(PixelAt(preview.Window(), left + 50, 15), kFrameColours[i]) << i;
    EXPECT_EQ(PixelAt(preview.Window(), left + 99, 29), kFrameColours[i]) << i;
    if (i > 0) {
      EXPECT_EQ(PixelAt(preview.Window(), left - 3, 15), kGround) << i;  // the gap
    }
    EXPECT_TRUE(WrittenIn(preview.Window(), RECT{left, 31, left + 100, client.cy}, kGround)) << i;
  }
  EXPECT_EQ(PixelAt(preview.Window(), 0, 0), kGround);  // the transparent pixel
  EXPECT_EQ(preview.WrittenText(), "");
  EXPECT_EQ(Properties(preview).second, J("ファイル: ") + folder + "\\strip.png\n" + J("サイズ: ") + "( 500 ,  30 )\n" +
                                            J("状態: 5 個、1 つの大きさ: ( 100 ,  30 )"));

  // Painting again reads nothing and moves nothing.
  const int decodes = preview.decodeCount;
  RECT placed{};
  GetWindowRect(preview.Window(), &placed);
  for (int i = 0; i < 3; ++i) {
    RedrawWindow(preview.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
  }
  preview.CheckFileChanged();
  EXPECT_EQ(preview.decodeCount, decodes);
  RECT still{};
  GetWindowRect(preview.Window(), &still);
  EXPECT_TRUE(EqualRect(&placed, &still));

  // Three states stacked in the file are drawn side by side as well.
  ASSERT_TRUE(WriteStripPng(folder + "\\strip.png", 50, 20, {kRed, kGreen, kBlue}, false));
  preview.SetImageStates(StatesOf("TabCloseSkin"));
  Refresh(preview);
  EXPECT_EQ(preview.decodeCount, decodes + 1);
  EXPECT_EQ(ClientSize(preview.Window()).cx, 3 * 50 + 2 * 6);
  EXPECT_EQ(PixelAt(preview.Window(), 25, 10), kRed);
  EXPECT_EQ(PixelAt(preview.Window(), 56 + 25, 10), kGreen);
  EXPECT_EQ(PixelAt(preview.Window(), 112 + 25, 10), kBlue);

  // A strip that does not divide is drawn whole, with a line under it.
  ASSERT_TRUE(WritePng(folder + "\\strip.png", 301, 62, kBlue));
  preview.SetImageStates(StatesOf("ButtonSkin"));
  Refresh(preview);
  EXPECT_EQ(preview.WrittenText(), J("5 個の状態に割り切れません (幅 301・高さ 62)"));
  const SIZE whole = ClientSize(preview.Window());
  EXPECT_GE(whole.cx, 301);
  EXPECT_GT(whole.cy, 62 + 8);
  EXPECT_EQ(PixelAt(preview.Window(), 300, 61), kBlue);
  EXPECT_TRUE(WrittenIn(preview.Window(), RECT{0, 63, 100, whole.cy}, kGround));
  EXPECT_EQ(Properties(preview).second, J("ファイル: ") + folder + "\\strip.png\n" + J("サイズ: ") + "( 301 ,  62 )\n" +
                                            J("状態: 5 個 (割り切れません)"));

  // Without states the same picture is drawn as it is.
  preview.SetImageStates({});
  Refresh(preview);
  EXPECT_EQ(preview.WrittenText(), "");
  EXPECT_EQ(ClientSize(preview.Window()).cx, 301);
  EXPECT_EQ(ClientSize(preview.Window()).cy, 62);
}

// Decided from the header: nothing of 20000 x 20000 is decoded, nothing hangs.
TEST_F(PreviewWindowTest, APictureTooLargeOrNoPictureAtAllSaysSo) {
  ASSERT_TRUE(WritePngHeader(folder + "\\huge.png", 20000, 20000));
  preview.background = RGB(0xFF, 0xFF, 0xFF);
  preview.SetImageStates(StatesOf("ButtonSkin"));
  preview.SetImageName("huge.png");
  Refresh(preview);
  ASSERT_TRUE(IsWindowVisible(preview.Window()));
  EXPECT_EQ(preview.WrittenText(), "huge.png\n" + J("PNG、幅 20000・高さ 20000\n大きすぎるためプレビューできません"));
  SIZE client = ClientSize(preview.Window());
  EXPECT_GT(client.cx, 100);
  EXPECT_LT(client.cx, 600);
  EXPECT_LT(client.cy, 200);
  EXPECT_TRUE(WrittenIn(preview.Window(), RECT{0, 0, client.cx, client.cy}, RGB(0xFF, 0xFF, 0xFF)));
  EXPECT_EQ(Properties(preview).second, J("ファイル: ") + folder + "\\huge.png\n" + J("サイズ: ") +
                                            "( 20000 , 20000 )\n" + J("状態: 5 個、1 つの大きさ: ( 4000 , 20000 )"));

  std::ofstream(folder + "\\text.png", std::ios::binary) << "not a picture";
  preview.SetImageStates({});
  preview.SetImageName("text.png");
  Refresh(preview);
  EXPECT_EQ(preview.WrittenText(),
            "text.png\n" + J("PNG、BMP、ICO のいずれでもありません\n画像として読めません"));
  client = ClientSize(preview.Window());
  EXPECT_GT(client.cx, 50);
  EXPECT_LT(client.cy, 200);
}

TEST_F(PreviewWindowTest, AFileChangedOnDiskIsDrawnAgainWithinASecond) {
  preview.SetImageName("wide.png");
  Refresh(preview);
  ASSERT_EQ(ClientSize(preview.Window()).cx, 300);
  const int decodes = preview.decodeCount;

  // Looked at when asked (the main dialog asks when it becomes active).
  ASSERT_TRUE(WritePng(folder + "\\wide.png", 200, 50, kRed));
  preview.CheckFileChanged();
  EXPECT_EQ(preview.decodeCount, decodes + 1);
  EXPECT_EQ(ClientSize(preview.Window()).cx, 200);
  EXPECT_EQ(ClientSize(preview.Window()).cy, 50);
  Pump();
  EXPECT_EQ(PixelAt(preview.Window(), 100, 25), kRed);

  // And once a second while it shows, by itself.
  ASSERT_TRUE(WritePng(folder + "\\wide.png", 120, 70, kGreen));
  const DWORD start = GetTickCount();
  while (ClientSize(preview.Window()).cx != 120 && GetTickCount() - start < 3000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
  EXPECT_EQ(ClientSize(preview.Window()).cx, 120);
  EXPECT_EQ(ClientSize(preview.Window()).cy, 70);
  Pump();
  EXPECT_EQ(PixelAt(preview.Window(), 60, 35), kGreen);
  EXPECT_EQ(preview.decodeCount, decodes + 2);

  // Gone from disk: the window hides at the next look.
  ASSERT_TRUE(MoveFileA((folder + "\\wide.png").c_str(), (folder + "\\gone.png").c_str()));
  preview.CheckFileChanged();
  EXPECT_FALSE(IsWindowVisible(preview.Window()));
}

}  // namespace
}  // namespace orlavix::win32
