// Saving the demo's Aqua, whose first line stands before [General] and is
// lost by a save: the question before the save and its answers, on 適用 and
// on closing; and Enter (the hidden 適用) while a skin is being chosen.
#include <gtest/gtest.h>

#include <string>

#include "editor/win32/main_dialog.h"
#include "support/mbtext.h"
#include "tests/window/main_dialog_fixture.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::ModalWatcher;
using test::PumpFor;
using test::ReadFileText;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Enter in a control, as the dialog's own loop hands the key on.
void PressEnter(HWND dialog, int id) {
  MSG key{GetDlgItem(dialog, id), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  IsDialogMessageA(dialog, &key);
  key.message = WM_KEYUP;
  IsDialogMessageA(dialog, &key);
  PumpFor(100);
}

class SaveQuestionTest : public MainDialogFixture {
 protected:
  void SetUp() override {
    MainDialogFixture::SetUp();
    host = test::MakeHostFolder(temp / "Velquor", "Velquor.exe", {"Aqua"}, "Aqua");
    test::CopyTree(test::FromUnixPath(ORLAVIX_DEMO_DIR) + "\\resources\\skins\\Aqua", host.SkinFolder("Aqua"));
    ini = host.SkinFolder("Aqua") + "\\skin.ini";
    original = ReadFileText(ini);
  }
  INT_PTR RunOnHost(std::function<void(HWND)> walk) { return Run("\"" + host.executable + "\"", walk); }

  // Editing Aqua, with MenuText changed as the value dialog would.
  EditorDialog& EditAqua(HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EditorDialog& editor = current->Editor();
    editor.colorItems.SetFromText("MenuText", "#12ab34", true);
    editor.modified = true;
    return editor;
  }

  // Answers the question before a save with `answer`, noting its default button.
  void AnswerQuestion(int answer) {
    watcher.Then([this, answer](const ModalWatcher::Box& box) {
      const LONG_PTR style = GetWindowLongPtrA(GetDlgItem(box.window, IDNO), GWL_STYLE);
      noIsDefault.push_back((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      test::PressButton(box.window, answer);
    });
  }

  test::HostFolder host;
  std::string ini, original;
  std::vector<bool> noIsDefault;
  const std::string question = J(
      "保存すると、skin.ini の次の内容は書き戻されません。\n"
      "1 行目: # Aqua: a demo skin for Orlavix: 最初のセクションより前にあり、どのセクションにも属しません\n"
      "元のファイルは skin.ini.000 として残ります。保存しますか？");
};

TEST_F(SaveQuestionTest, EnterWhileChoosingWritesAndShowsNothing) {
  RunOnHost([&](HWND dialog) {
    PressEnter(dialog, IDC_SKIN_LIST);  // before any skin was opened
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EXPECT_TRUE(current->Editor().choosingSkin);
    PressEnter(dialog, IDC_SKIN_LIST);  // after leaving one
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    PumpFor(100);
  });
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_EQ(watcher.Unexpected(), 0);
  EXPECT_EQ(ReadFileText(ini), original);
  EXPECT_FALSE(Exists(ini + ".000"));
}

TEST_F(SaveQuestionTest, ApplyAsksUntilTheFileHoldsNothingItWouldLose) {
  AnswerQuestion(IDNO);
  AnswerQuestion(IDYES);
  watcher.Answer(IDOK);  // saved
  watcher.Answer(IDOK);  // saved again, without a question
  RunOnHost([&](HWND dialog) {
    EditorDialog& editor = EditAqua(dialog);
    Click(GetDlgItem(dialog, IDOK));
    // No: nothing written, no backup, still editing with the edit.
    EXPECT_EQ(ReadFileText(ini), original);
    EXPECT_FALSE(Exists(ini + ".000"));
    EXPECT_FALSE(editor.choosingSkin);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.colorItems.FindCopy("MenuText").FormatValue(), "#12ab34");

    Click(GetDlgItem(dialog, IDOK));
    EXPECT_FALSE(editor.modified);
    const std::string saved = ReadFileText(ini);
    EXPECT_NE(saved.find("MenuText=#12ab34\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("# Aqua"), std::string::npos);
    EXPECT_EQ(ReadFileText(ini + ".000"), original);

    Click(GetDlgItem(dialog, IDOK));
    EXPECT_EQ(ReadFileText(ini + ".001"), saved);
  });
  ASSERT_EQ(watcher.Seen().size(), 4u);
  for (int i : {0, 1}) {
    EXPECT_EQ(watcher.Seen()[i].caption, J("確認"));
    EXPECT_EQ(watcher.Seen()[i].text, question);
  }
  EXPECT_EQ(noIsDefault, (std::vector<bool>{true, true}));
  EXPECT_EQ(watcher.Seen()[2].text, J("設定内容を保存しました。"));
  EXPECT_EQ(watcher.Seen()[3].text, J("設定内容を保存しました。"));
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(SaveQuestionTest, ClosingStaysOpenWhenTheSaveIsDeclined) {
  watcher.Answer(IDYES);  // save the changes?
  AnswerQuestion(IDNO);
  watcher.Answer(IDNO);   // save the changes? No: the dialog ends
  bool openAfterNo = false, editKept = false;
  const INT_PTR result = RunOnHost([&](HWND dialog) {
    EditorDialog& editor = EditAqua(dialog);
    Click(GetDlgItem(dialog, IDCANCEL));
    openAfterNo = IsWindow(dialog) && IsWindowVisible(dialog);
    editKept = editor.modified && editor.colorItems.FindCopy("MenuText").FormatValue() == "#12ab34";
    Click(GetDlgItem(dialog, IDCANCEL));
    PumpFor(200);
    EXPECT_FALSE(IsWindowVisible(dialog));
  });
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(openAfterNo);
  EXPECT_TRUE(editKept);
  ASSERT_EQ(watcher.Seen().size(), 3u);
  EXPECT_EQ(watcher.Seen()[1].text, question);
  EXPECT_EQ(ReadFileText(ini), original);
  EXPECT_FALSE(Exists(ini + ".000"));
  EXPECT_EQ(watcher.Unexpected(), 0);
}

}  // namespace
}  // namespace orlavix::win32
