// The item list's Win32 helpers on their own: the clipboard in both text
// forms, the row menu as a popup, and the list that reports to its parent.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "editor/win32/item_list_subclass.h"
#include "editor/win32/popup_row_menu.h"
#include "editor/win32/windows_clipboard.h"
#include "support/mbtext.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::OwnerWindow;
using test::TimerScript;

std::string RawAnsi() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<not opened>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring RawWide() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<not opened>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void PutRawWide(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(block), text.c_str(), text.size() * sizeof(wchar_t));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

TEST(ItemToolsTest, ClipboardHoldsBothFormsAndIsAlwaysClosedAgain) {
  OwnerWindow owner{RECT{50, 50, 300, 200}};
  WindowsClipboard clipboard(owner.Get());
  const std::string line = J("ツールバーボタンの幅") + "\tButtonWidth\t24\n";
  clipboard.PutText(line);
  EXPECT_EQ(RawAnsi(), line);
  EXPECT_EQ(RawWide(), L"\u30C4\u30FC\u30EB\u30D0\u30FC\u30DC\u30BF\u30F3\u306E\u5E45\tButtonWidth\t24\n");
  EXPECT_EQ(clipboard.GetText(), line);

  // Nothing is put for an empty text: the line stays.
  clipboard.PutText("");
  EXPECT_EQ(clipboard.GetText(), line);

  // Text that only exists in UTF-16 is read in the working code page.
  PutRawWide(L"\u8272\tMenuText\t#ff8000\n");
  EXPECT_EQ(clipboard.GetText(), J("色") + "\tMenuText\t#ff8000\n");

  // A clipboard without text reads as empty.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(clipboard.GetText(), "");
  // Every path closed it: another program can open it now.
  ASSERT_TRUE(OpenClipboard(nullptr));
  CloseClipboard();
}

// The popup menu of the thread, once it is up.
HWND FindMenuWindow() { return FindWindowA("#32768", nullptr); }

std::vector<std::string> MenuTexts(HWND menuWindow) {
  std::vector<std::string> texts;
  const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    char text[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    texts.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
  }
  return texts;
}

TEST(ItemToolsTest, RowMenuShowsItsEntriesAndReturnsTheChoice) {
  OwnerWindow owner{RECT{50, 50, 400, 300}};
  SetForegroundWindow(owner.Get());
  PopupRowMenu menu(owner.Get());
  TimerScript script;
  std::vector<std::string> texts;
  script.At(300, [&] {
    HWND window = FindMenuWindow();
    texts = MenuTexts(window);
    // The mnemonic of "追加コピー(&A)".
    PostMessageA(window, WM_KEYDOWN, 'A', 0);
  });
  EXPECT_EQ(menu.Choose(RowMenuEntries(false, true, false)), 5);
  EXPECT_EQ(texts, (std::vector<std::string>{"1 " + J("編集(&E)"), "2 " + J("選択(&S)"), "0 ", "4 " + J("コピー(&C)"),
                                             "5 " + J("追加コピー(&A)"), "0 ", "6 " + J("元に戻す(&Z)\tCtrl+Z"),
                                             "7 " + J("やり直し(&Y)\tCtrl+Y")}));
  EXPECT_EQ(FindMenuWindow(), nullptr);

  script.At(300, [&] {
    texts = MenuTexts(FindMenuWindow());
    PostMessageA(FindMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(menu.Choose(RowMenuEntries(true, false, false)), 0);
  ASSERT_EQ(texts.size(), 8u);
  EXPECT_EQ(texts[1], "3 " + J("選択解除(&U)"));
}

}  // namespace
}  // namespace orlavix::win32
