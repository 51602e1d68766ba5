// Saving the demo's Aqua, whose line 1 stands before [General] and whose
// [Colors] holds a comment and a key the editor does not know: kept without a
// question by default; with the option off, the question before the save, on
// 適用 and on closing; and Enter while choosing a skin.
#include <gtest/gtest.h>

#include <string>

#include "model/catalogues.h"
#include "support/mbtext.h"
#include "tests/window/main_dialog_fixture.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::ReadFileText;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class SaveQuestionTest : public AquaHostFixture {
 protected:
  INT_PTR RunOnHost(std::function<void(HWND)> walk) { return Run("\"" + host.executable + "\"", walk); }

  // Editing Aqua, with MenuText changed as the value dialog changes it;
  // unless `keep`, with the option that keeps Aqua's own lines turned off.
  void EditAqua(HWND dialog, bool keep = false) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    current->Editor().optionItems.Find(option::KeepUnknownLines).boolValue = keep;
    current->Editor().colorItems.SetFromText("MenuText", "#12ab34", true);
    current->Editor().modified = true;
  }
  bool EditKept() {
    return current->Editor().modified && current->Editor().colorItems.FindCopy("MenuText").FormatValue() == "#12ab34";
  }
  // Answers the question, noting whether No was its default button.
  void AnswerQuestion(int answer) {
    watcher.Then([this, answer](const test::ModalWatcher::Box& box) {
      noIsDefault.push_back((GetWindowLongPtrA(GetDlgItem(box.window, IDNO), GWL_STYLE) & BS_TYPEMASK) ==
                            BS_DEFPUSHBUTTON);
      test::PressButton(box.window, answer);
    });
  }

  std::vector<bool> noIsDefault;
  const std::string question = J(
      "保存すると、skin.ini の次の内容は書き戻されません。\n"
      "1 行目: # Aqua: a demo skin for Orlavix: 最初のセクションより前にあり、どのセクションにも属しません\n"
      "12 行目: # 文字は紺、ハイライトは空色でそろえる: コメント行です\n"
      "19 行目: TabHoverText: [Colors] のどの設定でもないキーです\n"
      "元のファイルは skin.ini.000 として残ります。保存しますか？");
};

TEST_F(SaveQuestionTest, EnterWhileChoosingWritesAndShowsNothing) {
  RunOnHost([&](HWND dialog) {
    // Enter in the skin list, as the dialog's own loop hands the key on:
    // before any skin was opened, and after one was left.
    MSG enter{GetDlgItem(dialog, IDC_SKIN_LIST), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    IsDialogMessageA(dialog, &enter);
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EXPECT_TRUE(current->Editor().choosingSkin);
    IsDialogMessageA(dialog, &enter);
    test::PumpFor(100);
  });
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_EQ(ReadFileText(ini), original);
  EXPECT_FALSE(Exists(ini + ".000"));
}

TEST_F(SaveQuestionTest, ApplyKeepsAquasOwnLinesWithoutAsking) {
  watcher.Answer(IDOK);  // saved
  watcher.Answer(IDOK);  // saved again
  std::string first;
  RunOnHost([&](HWND dialog) {
    EditAqua(dialog, true);
    Click(GetDlgItem(dialog, IDOK));
    first = ReadFileText(ini);
    EXPECT_EQ(ReadFileText(ini + ".000"), original);
    current->Editor().modified = true;
    Click(GetDlgItem(dialog, IDOK));  // nothing moves
    EXPECT_EQ(ReadFileText(ini), first);
  });
  ASSERT_EQ(watcher.Seen().size(), 2u);
  EXPECT_EQ(watcher.Seen()[0].text, J("設定内容を保存しました。"));
  // Line 1 still first, the comment still before MenuText (and its help
  // line), the unknown key still last in [Colors].
  EXPECT_EQ(first.rfind("# Aqua: a demo skin for Orlavix\r\n#===", 0), 0u) << first;
  EXPECT_NE(first.find("[Colors]\r\n# 文字は紺、ハイライトは空色でそろえる\r\n# メニューの文字色\r\nMenuText=#12ab34\r\n"),
            std::string::npos)
      << first;
  EXPECT_NE(first.find("# ステータスバー文字列\r\nStatusBarText=#223344\r\nTabHoverText=#2a6fb0\r\n\r\n\r\n#==="),
            std::string::npos)
      << first;
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(SaveQuestionTest, ApplyAsksUntilTheFileHoldsNothingItWouldLose) {
  AnswerQuestion(IDNO);
  AnswerQuestion(IDYES);
  watcher.Answer(IDOK);  // saved
  watcher.Answer(IDOK);  // saved again, with no question
  RunOnHost([&](HWND dialog) {
    EditAqua(dialog);
    Click(GetDlgItem(dialog, IDOK));  // No: nothing written, still editing
    EXPECT_EQ(ReadFileText(ini), original);
    EXPECT_FALSE(Exists(ini + ".000"));
    EXPECT_FALSE(current->Editor().choosingSkin);
    EXPECT_TRUE(EditKept());
    Click(GetDlgItem(dialog, IDOK));  // Yes
    const std::string saved = ReadFileText(ini);
    EXPECT_NE(saved.find("MenuText=#12ab34\r\n"), std::string::npos);
    EXPECT_EQ(ReadFileText(ini + ".000"), original);
    Click(GetDlgItem(dialog, IDOK));  // no question now
    EXPECT_EQ(ReadFileText(ini + ".001"), saved);
  });
  ASSERT_EQ(watcher.Seen().size(), 4u);
  EXPECT_EQ(watcher.Seen()[0].caption, J("確認"));
  EXPECT_EQ(watcher.Seen()[0].text + watcher.Seen()[1].text, question + question);
  EXPECT_EQ(noIsDefault, (std::vector<bool>{true, true}));
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(SaveQuestionTest, ClosingStaysOpenWhenTheSaveIsDeclined) {
  watcher.Answer(IDYES);  // save the changes?
  AnswerQuestion(IDNO);
  watcher.Answer(IDNO);  // save the changes? No: the dialog ends
  bool openWithTheEdit = false;
  const INT_PTR result = RunOnHost([&](HWND dialog) {
    EditAqua(dialog);
    Click(GetDlgItem(dialog, IDCANCEL));
    openWithTheEdit = IsWindowVisible(dialog) && EditKept();
    Click(GetDlgItem(dialog, IDCANCEL));
  });
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(openWithTheEdit);
  ASSERT_EQ(watcher.Seen().size(), 3u);
  EXPECT_EQ(watcher.Seen()[1].text, question);
  EXPECT_EQ(ReadFileText(ini), original);
  EXPECT_FALSE(Exists(ini + ".000"));
}

}  // namespace
}  // namespace orlavix::win32
