// Editing the demo's Aqua while another program holds or changes its
// skin.ini, and while Windows signs out.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/mbtext.h"
#include "tests/window/main_dialog_fixture.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::ReadFileText;
using test::WriteFileText;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class FileFollowWalk : public AquaHostFixture {
 protected:
  INT_PTR RunOnHost(std::function<void(HWND)> walk) {
    return Run("\"" + host.executable + "\"", [this, walk](HWND dialog) {
      // The preview is the dialog's own window, not a box to answer.
      watcher.Ignore(current->Preview().Window());
      walk(dialog);
    });
  }

  // MenuText changed as the value dialog changes it.
  void EditMenuText() {
    current->Editor().colorItems.SetFromText("MenuText", "#12ab34", true);
    current->Editor().modified = true;
  }
  bool EditKept() {
    return current->Editor().modified && current->Editor().colorItems.FindCopy("MenuText").FormatValue() == "#12ab34";
  }
  // The value cell of the row showing `key`, read as a person reads it.
  std::string ShownValue(const std::string& key) {
    const ListView& list = current->List();
    for (int row = 0; row < list.ItemCount(); ++row) {
      if (list.ItemText(row, 1) == key) return list.ItemText(row, 2);
    }
    return "(no row)";
  }
  void ExpectReport(const std::string& text) {
    watcher.Then([text](const test::ModalWatcher::Box& box) {
      EXPECT_EQ(box.text, text);
      test::PressButton(box.window, IDOK);
    });
  }
};

TEST_F(FileFollowWalk, FileHeldOpenBySomeoneElseIsEditedAndNothingIsLostOnSaving) {
  // A sync client or a scanner: it reads the file and lets everybody else in.
  const HANDLE held = CreateFileW(std::wstring(ini.begin(), ini.end()).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string author;
  watcher.Then([](const test::ModalWatcher::Box& box) {
    EXPECT_EQ(box.text, J("skin.ini を保存できませんでした。\n\nほかのプログラムがファイルを開いています。"));
    test::PressButton(box.window, IDOK);
  });
  ExpectReport(J("設定内容を保存しました。"));
  RunOnHost([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    ASSERT_FALSE(current->Editor().choosingSkin);
    author = ShownValue("Author");
    EditMenuText();
    // Still held: refused with its reason, the file and the edit as they were.
    Click(GetDlgItem(dialog, IDOK));
    EXPECT_EQ(ReadFileText(ini), original);
    EXPECT_TRUE(EditKept());
    CloseHandle(held);
    Click(GetDlgItem(dialog, IDOK));
  });
  EXPECT_EQ(author, J("青木 ひかり"));
  const std::string saved = ReadFileText(ini);
  EXPECT_NE(saved.find("MenuText=#12ab34\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Author=\xE9\x9D\x92\xE6\x9C\xA8 \xE3\x81\xB2\xE3\x81\x8B\xE3\x82\x8A\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[Sidebar]\r\n"), std::string::npos);
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(FileFollowWalk, ApplyKeepsWhatAnotherProgramChangedMeanwhile) {
  ExpectReport(J("設定内容を保存しました。\nほかのプログラムで変更された 1 件の設定も取り込みました。"));
  std::string shown;
  RunOnHost([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    Click(GetDlgItem(dialog, IDC_SHOW_COLORS));
    EditMenuText();
    // A setting changed and a key this editor does not know added: both stay.
    WriteFileText(ini, Replaced(original, "MenuHighlight=#3a7bd5", "MenuHighlight=#abcdef\r\nGlowText=#fafafa"));
    Click(GetDlgItem(dialog, IDOK));
    shown = ShownValue("MenuHighlight");
  });
  const std::string saved = ReadFileText(ini);
  EXPECT_NE(saved.find("MenuText=#12ab34\r\n"), std::string::npos);
  EXPECT_NE(saved.find("MenuHighlight=#abcdef\r\n"), std::string::npos);
  EXPECT_NE(saved.find("GlowText=#fafafa\r\n"), std::string::npos);
  EXPECT_EQ(shown, "#abcdef");
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(FileFollowWalk, SameSettingChangedOnBothSidesAsksAndNoLeavesTheirFile) {
  const std::string theirs = Replaced(original, "MenuText=#1d2b3a", "MenuText=#999999");
  bool noIsDefault = false;
  watcher.Then([&](const test::ModalWatcher::Box& box) {
    EXPECT_EQ(box.caption, J("確認"));
    EXPECT_EQ(box.text, J("skin.ini は読み込んだ後でほかのプログラムに変更されています。\n"
                          "MenuText: こちら #12ab34 / ファイル #999999\n"
                          "はい: こちらの値で保存します。いいえ: 保存しません。"));
    noIsDefault = (GetWindowLongPtrA(GetDlgItem(box.window, IDNO), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    test::PressButton(box.window, IDNO);
  });
  bool stillEditing = false;
  RunOnHost([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EditMenuText();
    WriteFileText(ini, theirs);
    Click(GetDlgItem(dialog, IDOK));
    stillEditing = !current->Editor().choosingSkin && EditKept();
  });
  EXPECT_TRUE(noIsDefault);
  EXPECT_TRUE(stillEditing);
  EXPECT_EQ(ReadFileText(ini), theirs);
  EXPECT_FALSE(Exists(ini + ".000"));
  EXPECT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(FileFollowWalk, ListFollowsTheFileWhenTheDialogIsActivatedWithNothingEdited) {
  int selectedBefore = -1, selectedAfter = -2, topBefore = -1, topAfter = -2;
  std::string shown, category;
  RunOnHost([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    Click(GetDlgItem(dialog, IDC_SHOW_CONTROLS));
    const HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
    int row = -1;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      if (current->List().ItemText(i, 1) == "MenuItemFontSize") row = i;
    }
    ASSERT_GE(row, 0);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
    selectedBefore = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    topBefore = ListView_GetTopIndex(list);
    // Another length, so that the file's stamp changes within a second too.
    WriteFileText(ini, Replaced(original, "MenuItemFontSize=9", "MenuItemFontSize=12"));
    SendMessageW(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
    shown = ShownValue("MenuItemFontSize");
    selectedAfter = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    topAfter = ListView_GetTopIndex(list);
    category = current->Editor().currentCategory == SettingCategory::Controls ? "Controls" : "other";
  });
  EXPECT_EQ(shown, "12");
  EXPECT_EQ(selectedAfter, selectedBefore);
  EXPECT_EQ(topAfter, topBefore);
  EXPECT_EQ(category, "Controls");
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_FALSE(Exists(ini + ".000"));
}

// WM_QUERYENDSESSION as Windows sends it: from another thread, waiting while
// the dialog's thread asks its question.
class EndSession {
 public:
  explicit EndSession(HWND dialog) {
    thread_ = std::thread([this, dialog] {
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(dialog, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 20000, &answer);
      answer_ = static_cast<LONG_PTR>(answer);
      done_ = true;
    });
  }
  // Runs the dialog's messages until the answer came.
  LONG_PTR Answer() {
    for (int i = 0; i < 400 && !done_; ++i) test::PumpFor(25);
    thread_.join();
    return answer_;
  }

 private:
  std::thread thread_;
  std::atomic<bool> done_{false};
  std::atomic<LONG_PTR> answer_{-1};
};

TEST_F(FileFollowWalk, SigningOutAsksAboutUnsavedEdits) {
  watcher.Then([](const test::ModalWatcher::Box& box) {
    EXPECT_EQ(box.text, J("変更されていますが、保存されていません。\n変更を保存しますか？"));
    EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(box.window, IDCANCEL), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    test::PressButton(box.window, IDCANCEL);
  });
  watcher.Answer(IDNO);
  LONG_PTR unedited = -1, cancelled = -1, declined = -1;
  bool openWithTheEdit = false;
  const INT_PTR result = RunOnHost([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    unedited = EndSession(dialog).Answer();  // nothing to lose: no question
    EditMenuText();
    cancelled = EndSession(dialog).Answer();
    openWithTheEdit = IsWindowVisible(dialog) && EditKept();
    declined = EndSession(dialog).Answer();
    SendMessageW(dialog, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    test::PumpFor(50);
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(unedited, TRUE);
  EXPECT_EQ(cancelled, FALSE);
  EXPECT_TRUE(openWithTheEdit);
  EXPECT_EQ(declined, TRUE);
  EXPECT_EQ(watcher.Seen().size(), 2u);
  EXPECT_EQ(watcher.Unexpected(), 0);
  EXPECT_EQ(ReadFileText(ini), original);
  EXPECT_FALSE(Exists(ini + ".000"));
}

}  // namespace
}  // namespace orlavix::win32
