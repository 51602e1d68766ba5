#include "boxes/win32/about_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boxes/win32/about_resource.h"
#include "support/mbtext.h"
#include "support/version.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::OwnerWindow;
using test::TextOf;
using test::TimerScript;
using test::WindowSpy;

constexpr UINT kGuardMs = 10000;
constexpr int kEndedByGuard = 999;

class AboutDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    script.Guard(kGuardMs, [this] {
      if (HWND dialog = spy.CurrentDialog()) EndDialog(dialog, kEndedByGuard);
    });
  }

  // Runs the dialog; `check` sees it once it is up.
  INT_PTR Run(HWND ownerWindow, std::function<void(HWND)> check) {
    script.At(300, [this, check] { check(spy.CurrentDialog()); });
    return about.DoModal(ownerWindow);
  }

  OwnerWindow owner{RECT{100, 100, 700, 500}, "Orlavix"};
  std::vector<std::string> opened;
  AboutDialog about{[this](const std::string& address) { opened.push_back(address); }};
  WindowSpy spy;
  TimerScript script;
};

struct StaticColours {
  COLORREF text;
  int backgroundMode;
  HBRUSH brush;
};

StaticColours AskColours(HWND dialog, int controlId) {
  const HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId))));
  const StaticColours out{GetTextColor(dc), GetBkMode(dc), brush};
  DeleteDC(dc);
  return out;
}

bool Underlined(HWND control) {
  LOGFONTA font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  return handle && GetObjectA(handle, sizeof font, &font) == sizeof font && font.lfUnderline;
}

TEST_F(AboutDialogTest, ShowsNameVersionCopyrightAndABlueUnderlinedLink) {
  std::string caption, text, link;
  bool linkUnderlined = false, textUnderlined = true, bigIcon = false, smallIcon = false;
  StaticColours linkColours{}, textColours{};
  const INT_PTR result = Run(owner.Get(), [&](HWND dialog) {
    caption = TextOf(dialog);
    text = TextOf(GetDlgItem(dialog, IDC_ABOUT_TEXT));
    link = TextOf(GetDlgItem(dialog, IDC_ABOUT_LINK));
    linkUnderlined = Underlined(GetDlgItem(dialog, IDC_ABOUT_LINK));
    textUnderlined = Underlined(GetDlgItem(dialog, IDC_ABOUT_TEXT));
    bigIcon = SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) != 0;
    smallIcon = SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
    linkColours = AskColours(dialog, IDC_ABOUT_LINK);
    textColours = AskColours(dialog, IDC_ABOUT_TEXT);
    Click(GetDlgItem(dialog, IDOK));
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(caption, J("バージョン情報"));
  EXPECT_EQ(text, std::string("Orlavix 0.2.8\n\n") + kCopyrightLine);
  EXPECT_EQ(link, kMakerWebAddress);
  EXPECT_TRUE(linkUnderlined);
  EXPECT_FALSE(textUnderlined);
  EXPECT_TRUE(bigIcon);
  EXPECT_TRUE(smallIcon);
  EXPECT_EQ(linkColours.text, RGB(0, 0, 0xFF));
  EXPECT_EQ(linkColours.backgroundMode, TRANSPARENT);
  EXPECT_EQ(linkColours.brush, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(textColours.text, RGB(1, 2, 3));  // only the link is blue
  EXPECT_EQ(textColours.backgroundMode, TRANSPARENT);
  EXPECT_EQ(textColours.brush, GetSysColorBrush(COLOR_BTNFACE));
}

TEST_F(AboutDialogTest, TheLinkOpensItsAddressAndShowsAHand) {
  LRESULT overLink = 0;
  HCURSOR linkCursor = nullptr;
  bool openAfterClick = false;
  const INT_PTR result = Run(owner.Get(), [&](HWND dialog) {
    const HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    overLink = SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    linkCursor = GetCursor();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_LINK, STN_CLICKED),
                 reinterpret_cast<LPARAM>(link));
    openAfterClick = IsWindowVisible(dialog);
    // Escape, as the keyboard gives it to the focused button.
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(overLink, TRUE);
  EXPECT_NE(linkCursor, nullptr);
  EXPECT_NE(linkCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(opened, std::vector<std::string>{kMakerWebAddress});
  EXPECT_TRUE(openAfterClick);
}

TEST_F(AboutDialogTest, TheCloseBoxEndsItLikeCancel) {
  const INT_PTR result =
      Run(owner.Get(), [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(opened.empty());
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(AboutDialogTest, OpensCentredOverItsOwnerOrElseTheWorkArea) {
  RECT dialogRect{}, ownerRect{}, work{};
  GetWindowRect(owner.Get(), &ownerRect);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Run(owner.Get(), [&](HWND dialog) {
    GetWindowRect(dialog, &dialogRect);
    Click(GetDlgItem(dialog, IDOK));
  });
  EXPECT_NEAR(Centre(dialogRect).x, Centre(ownerRect).x, 1);
  EXPECT_NEAR(Centre(dialogRect).y, Centre(ownerRect).y, 1);

  ShowWindow(owner.Get(), SW_HIDE);
  Run(owner.Get(), [&](HWND dialog) {
    GetWindowRect(dialog, &dialogRect);
    Click(GetDlgItem(dialog, IDOK));
  });
  EXPECT_NEAR(Centre(dialogRect).x, Centre(work).x, 1);
  EXPECT_NEAR(Centre(dialogRect).y, Centre(work).y, 1);

  // An owner hanging off the top left: the dialog stays on the work area.
  const OwnerWindow offScreen(RECT{work.left - 500, work.top - 400, work.left + 100, work.top + 100});
  Run(offScreen.Get(), [&](HWND dialog) {
    GetWindowRect(dialog, &dialogRect);
    Click(GetDlgItem(dialog, IDOK));
  });
  EXPECT_EQ(dialogRect.left, work.left);
  EXPECT_EQ(dialogRect.top, work.top);
}

}  // namespace
}  // namespace orlavix::win32
