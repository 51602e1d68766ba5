// Going back in the real main dialog on a copy of the demo host: undo and
// redo from the keyboard and the row menu, and a numbered backup brought
// back from its list. Texts a person reads are read as UTF-16.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "editor/win32/main_dialog_resource.h"
#include "platform/win32/wide_text.h"
#include "support/mbtext.h"
#include "tests/window/host_folder.h"
#include "tests/window/main_dialog_fixture.h"
#include "tests/window/window_test_support.h"
#include "values/win32/value_input_resource.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::PumpFor;
using test::TextOf;
using Box = test::ModalWatcher::Box;

// A key pressed on `window` as the dialog's loop meets it: the loop's
// message filter sees it before anything else. True when it was taken.
bool PressInLoop(HWND window, UINT key, bool control, bool shift = false) {
  BYTE saved[256] = {};
  GetKeyboardState(saved);
  BYTE state[256] = {};
  std::copy(saved, saved + 256, state);
  state[VK_CONTROL] = control ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  MSG msg{window, WM_KEYDOWN, key, 1, GetTickCount(), {}};
  const bool taken = CallMsgFilterW(&msg, MSGF_DIALOGBOX) != FALSE;
  SetKeyboardState(saved);
  return taken;
}

// The value dialog answered with a new text.
void AnswerWithText(test::ModalWatcher& watcher, const char* text) {
  watcher.Then([text](const Box& box) {
    SetWindowTextA(GetDlgItem(box.window, IDC_VALUE_EDIT), text);
    test::PressButton(box.window, IDOK);
  });
}

// The row menu of the selected row: its entries and whether each is greyed,
// then the entry of `mnemonic` chosen (0: the menu dismissed).
std::vector<std::string> ChooseFromRowMenu(HWND dialog, char mnemonic) {
  std::vector<std::string> entries;
  test::TimerScript script;
  script.At(200, [&] {
    const HWND menuWindow = FindWindowA("#32768", nullptr);
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = L"";
      GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      const bool greyed = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0;
      const std::string entry = Narrow(text).text;
      entries.push_back(entry.empty() || !greyed ? entry : entry + " (grey)");
    }
    PostMessageA(menuWindow, WM_KEYDOWN, mnemonic ? static_cast<WPARAM>(mnemonic) : VK_ESCAPE, 0);
  });
  RECT r{};
  ListView_GetItemRect(List(dialog), Selected(dialog), &r, LVIR_LABEL);
  POINT at{r.left + 4, r.top + 4};
  ClientToScreen(List(dialog), &at);
  SendMessageA(List(dialog), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List(dialog)), MAKELPARAM(at.x, at.y));
  return entries;
}

class GoingBackTest : public AquaHostFixture {
 protected:
  void RunOnHost(std::function<void(HWND)> walk) {
    Run("\"" + host.executable + "\"", [&](HWND dialog) {
      watcher.Ignore(current->Preview().Window());
      Click(GetDlgItem(dialog, IDC_START_EDITING));
      walk(dialog);
    });
  }

  const std::string aquaAuthor = J("青木 ひかり");
};

TEST_F(GoingBackTest, CtrlZTakesBackAnEditAndATickAndCtrlYDoesThemAgain) {
  const std::string original = test::ReadFileText(ini);
  RunOnHost([&](HWND dialog) {
    EditorDialog& editor = current->Editor();
    AnswerWithText(watcher, "Undo Tester");
    DoubleClickRow(dialog, RowOf(dialog, "Author"));
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "Author"), 2), "Undo Tester");

    // A click in an empty box of the colours ticks it.
    Click(GetDlgItem(dialog, IDC_SHOW_COLORS));
    int colour = -1;
    for (int row = 0; row < Rows(dialog) && colour < 0; ++row) {
      if (!Ticked(dialog, row)) colour = row;
    }
    ASSERT_GE(colour, 0);
    const std::string key = Cell(dialog, colour, 1);
    ListView_SetItemState(List(dialog), colour, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    EXPECT_TRUE(editor.colorItems.Find(key).checked);
    EXPECT_TRUE(editor.modified);

    // Ctrl+Z in the list: the tick goes, its row shown and selected.
    Click(GetDlgItem(dialog, IDC_SHOW_GENERAL));
    EXPECT_TRUE(PressInLoop(List(dialog), 'Z', true));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SHOW_COLORS)));  // Colors is shown
    EXPECT_EQ(Selected(dialog), RowOf(dialog, key));
    EXPECT_FALSE(Ticked(dialog, RowOf(dialog, key)));
    // Ctrl+Z with the focus on a button: the edit goes too, and with it the
    // last difference from the file.
    SetFocus(GetDlgItem(dialog, IDC_EDIT_ITEM));
    EXPECT_TRUE(PressInLoop(GetDlgItem(dialog, IDC_EDIT_ITEM), 'Z', true));
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "Author"), 2), aquaAuthor);
    EXPECT_EQ(Selected(dialog), RowOf(dialog, "Author"));
    EXPECT_FALSE(editor.modified);
    // Z alone is left to the control; nothing is left to undo.
    EXPECT_FALSE(PressInLoop(List(dialog), 'Z', false));
    EXPECT_TRUE(PressInLoop(List(dialog), 'Z', true));
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "Author"), 2), aquaAuthor);

    // Ctrl+Y does the edit again; the row menu then offers both ways.
    EXPECT_TRUE(PressInLoop(List(dialog), 'Y', true));
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "Author"), 2), "Undo Tester");
    const std::vector<std::string> entries = ChooseFromRowMenu(dialog, 'Z');
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[5], "");
    EXPECT_EQ(entries[6], J("元に戻す(&Z)\tCtrl+Z"));
    EXPECT_EQ(entries[7], J("やり直し(&Y)\tCtrl+Y"));
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "Author"), 2), aquaAuthor);
    EXPECT_EQ(ChooseFromRowMenu(dialog, 0)[6], J("元に戻す(&Z)\tCtrl+Z") + " (grey)");

    // Back where the file is: closing asks nothing.
    EXPECT_FALSE(editor.modified);
    Click(GetDlgItem(dialog, IDCANCEL));
    PumpFor(50);
  });
  EXPECT_EQ(watcher.Unexpected(), 0);
  EXPECT_EQ(watcher.Seen().size(), 1u);  // the value dialog only
  EXPECT_EQ(test::ReadFileText(ini), original);
}

TEST_F(GoingBackTest, ABackupChosenFromItsListComesBackUntilApplied) {
  // The save keeps the demo's line 1 without asking, and reports.
  watcher.Answer(IDOK);
  RunOnHost([&](HWND dialog) {
    EditorDialog& editor = current->Editor();
    Click(GetDlgItem(dialog, IDOK));
    const std::string saved = test::ReadFileText(ini);
    const std::string backup = test::ReadFileText(ini + ".000");
    ASSERT_FALSE(backup.empty());
    AnswerWithText(watcher, "Someone Else");
    DoubleClickRow(dialog, RowOf(dialog, "Author"));

    Click(GetDlgItem(dialog, IDC_SHOW_OPTIONS));
    const int command = RowOf(dialog, "RestoreBackup");
    ASSERT_GE(command, 0);
    EXPECT_EQ(Cell(dialog, command, 0), J("バックアップから戻す"));
    EXPECT_EQ(Cell(dialog, command, 2), J("[編集] ボタンで動作"));
    ClickRow(dialog, command);
    Click(GetDlgItem(dialog, IDC_EDIT_ITEM));
    EXPECT_EQ(ColumnTitle(dialog, 0), J("バックアップ"));
    EXPECT_EQ(ColumnTitle(dialog, 1), J("日時"));
    EXPECT_EQ(ColumnTitle(dialog, 2), J("違い"));
    ASSERT_EQ(Rows(dialog), 1);
    EXPECT_EQ(Cell(dialog, 0, 0), "skin.ini.000");
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char today[16];
    wsprintfA(today, "%04d/%02d/%02d", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(Cell(dialog, 0, 1).substr(0, 10), today);
    EXPECT_EQ(Cell(dialog, 0, 1).size(), 16u);
    EXPECT_EQ(Cell(dialog, 0, 2), J("違い 1 件"));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_EDIT_ITEM)));

    // No: the list stays as it is.
    watcher.Answer(IDNO);
    DoubleClickRow(dialog, 0);
    EXPECT_EQ(Cell(dialog, 0, 0), "skin.ini.000");

    // Enter on the row, Yes: the backup's Author is back, and only in the editor.
    Box question{};
    watcher.Then([&](const Box& box) {
      question = box;
      test::PressButton(box.window, IDYES);
    });
    ClickRow(dialog, 0);
    SetFocus(List(dialog));
    EXPECT_TRUE(PressInLoop(List(dialog), VK_RETURN, false));
    EXPECT_EQ(question.caption, J("確認"));
    EXPECT_EQ(question.text, J("skin.ini.000 の内容に戻しますか？\nAuthor: 今 Someone Else → バックアップ ") +
                                 aquaAuthor + "\n" + J("適用するまで skin.ini は変わりません。"));
    EXPECT_EQ(Selected(dialog), RowOf(dialog, "Author"));
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "Author"), 2), aquaAuthor);
    // The save changed no value: the backup's values are those saved.
    EXPECT_FALSE(editor.modified);
    EXPECT_TRUE(editor.CanUndo());
    EXPECT_EQ(test::ReadFileText(ini), saved);
    EXPECT_EQ(test::ReadFileText(ini + ".000"), backup);

    // 適用 writes it, after a backup of its own.
    watcher.Answer(IDOK);
    Click(GetDlgItem(dialog, IDOK));
    EXPECT_NE(test::ReadFileText(ini).find("Author=" + std::string(u8"青木 ひかり")), std::string::npos);
    EXPECT_EQ(test::ReadFileText(ini + ".001"), saved);
    EXPECT_EQ(test::ReadFileText(ini + ".000"), backup);
  });
  EXPECT_EQ(watcher.Unexpected(), 0);
  ASSERT_EQ(watcher.Seen().size(), 5u);
  EXPECT_EQ(watcher.Seen()[2].caption, J("確認"));
  EXPECT_NE(watcher.Seen()[2].text.find("Author"), std::string::npos);
}

}  // namespace
}  // namespace orlavix::win32
