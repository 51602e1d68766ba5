#include "values/win32/preview_window.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/mbtext.h"
#include "support/win32/private_messages.h"
#include "tests/window/picture_support.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::ClientSize;
using test::PixelAt;
using test::WritePng;
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
    for (const char* name : {"small.png", "wide.png", "gone.png"}) {
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

}  // namespace
}  // namespace orlavix::win32
