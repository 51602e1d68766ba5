// The editor and skin.ini on disk: a file that cannot be read when editing
// starts or before a save, another program's changes merged into a save, and
// the list following the file while nothing is edited.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/editor_dialog.h"
#include "platform/files.h"
#include "support/mbtext.h"
#include "support/paths.h"
#include "tests/unit/editor_fixture.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const char kSkin[] =
    "[General]\r\nAuthor=Aoki\r\n[Colors]\r\nMenuText=#ff0000\r\nMenuHighlight=#00ff00\r\n[Foo]\r\nx=1\r\n";

// Turns the file layer's read fault on for one scope.
struct ReadFault {
  explicit ReadFault(platform::FileError error) {
    platform::FileFaults faults;
    faults.failRead = true;
    faults.error = error;
    platform::SetFileFaults(faults);
  }
  ~ReadFault() { platform::ClearFileFaults(); }
};

class FileFollowTest : public ::testing::Test, public EditorFakes {
 protected:
  FileFollowTest() : dialog(list, controls, messages) {
    std::filesystem::create_directories(dir.path() / "Skin");
    ini = dir.File("Skin") + kPathSeparator + "skin.ini";
    WriteBytes(ini, kSkin);
    dialog.skinsFolder = dir.File("") ;
    if (dialog.skinsFolder.back() != kPathSeparator) dialog.skinsFolder += kPathSeparator;
    controls.skinName = "Skin";
    dialog.PrepareCatalogues();
  }

  void StartEditing() {
    dialog.ToggleEditing();
    ASSERT_FALSE(dialog.choosingSkin);
  }
  // A value edited as the value dialog does it.
  void Edit(SettingCatalogue& catalogue, const char* key, const char* value) {
    catalogue.SetFromText(key, value, true);
    dialog.modified = true;
  }
  // Another program writes the file; its stamp changes with the size here.
  void WriteOnDisk(const std::string& bytes) { WriteBytes(ini, bytes); }
  std::string Saved(const char* key) { return dialog.colorItems.ValueTextOf(key); }

  TempDir dir;
  std::string ini;
  EditorDialog dialog;
};

TEST_F(FileFollowTest, UnreadableFileAtStartIsNotTakenForAnEmptySkin) {
  {
    ReadFault fault(platform::FileError::InUse);
    dialog.ToggleEditing();
  }
  EXPECT_TRUE(dialog.choosingSkin);
  ASSERT_EQ(messages.warnings.size(), 1u);
  const std::string warning = AnsiToUtf8(messages.warnings[0]);
  EXPECT_EQ(warning.rfind("skin.ini を読み込めませんでした。", 0), 0u) << warning;
  EXPECT_NE(warning.find(AnsiToUtf8(ini)), std::string::npos) << warning;
  EXPECT_NE(warning.find("ほかのプログラムがファイルを開いています。"), std::string::npos) << warning;

  // Readable again: editing starts on the file's values.
  StartEditing();
  EXPECT_EQ(dialog.generalItems.ValueTextOf("Author"), "Aoki");
  EXPECT_EQ(ReadBytes(ini), kSkin);
}

TEST_F(FileFollowTest, SaveWhoseReadFailsWritesNothingAndKeepsTheEdits) {
  StartEditing();
  Edit(dialog.colorItems, "MenuText", "#0000ff");
  {
    ReadFault fault(platform::FileError::ReadOnly);
    EXPECT_FALSE(dialog.SaveSkinFile());
  }
  EXPECT_EQ(ReadBytes(ini), kSkin);
  EXPECT_FALSE(platform::FileExists(ini + ".000"));
  EXPECT_TRUE(dialog.modified);
  EXPECT_EQ(Saved("MenuText"), "#0000ff");
  ASSERT_EQ(messages.warnings.size(), 1u);
  EXPECT_EQ(AnsiToUtf8(messages.warnings[0]).rfind("skin.ini を保存できませんでした。", 0), 0u);

  // The same save once the file can be read keeps the other sections.
  EXPECT_TRUE(dialog.SaveSkinFile());
  const std::string saved = ReadBytes(ini);
  EXPECT_NE(saved.find("MenuText=#0000ff"), std::string::npos);
  EXPECT_NE(saved.find("[Foo]\r\nx=1\r\n"), std::string::npos);
}

TEST_F(FileFollowTest, SaveTakesWhatAnotherProgramChangedAndAsksWhereBothDid) {
  StartEditing();
  Edit(dialog.colorItems, "MenuText", "#0000ff");
  WriteOnDisk("[General]\r\nAuthor=Aoki\r\n[Colors]\r\nMenuText=#ff0000\r\nMenuHighlight=#123456\r\n");
  ASSERT_TRUE(dialog.SaveSkinFile());
  std::string saved = ReadBytes(ini);
  EXPECT_NE(saved.find("MenuText=#0000ff"), std::string::npos);
  EXPECT_NE(saved.find("MenuHighlight=#123456"), std::string::npos);
  EXPECT_EQ(Saved("MenuHighlight"), "#123456");
  EXPECT_TRUE(messages.saveQuestions.empty());
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(AnsiToUtf8(messages.shown.back()),
            "設定内容を保存しました。\nほかのプログラムで変更された 1 件の設定も取り込みました。");

  // Both sides change the same key: a No leaves the file as the other
  // program wrote it and the editor as it was.
  Edit(dialog.colorItems, "MenuText", "#111111");
  const std::string theirs = "[Colors]\r\nMenuText=#222222\r\nMenuHighlight=#123456\r\n";
  WriteOnDisk(theirs);
  messages.confirmAnswers = {false};
  EXPECT_FALSE(dialog.SaveSkinFile());
  EXPECT_EQ(ReadBytes(ini), theirs);
  EXPECT_TRUE(dialog.modified);
  EXPECT_EQ(Saved("MenuText"), "#111111");
  EXPECT_EQ(dialog.generalItems.ValueTextOf("Author"), "Aoki");
  ASSERT_EQ(messages.saveQuestions.size(), 1u);
  EXPECT_NE(AnsiToUtf8(messages.saveQuestions[0]).find("MenuText: こちら #111111 / ファイル #222222"),
            std::string::npos);

  // Yes: ours for the clash; the Author the file dropped is taken too.
  messages.confirmAnswers = {true};
  ASSERT_TRUE(dialog.SaveSkinFile());
  saved = ReadBytes(ini);
  EXPECT_NE(saved.find("MenuText=#111111"), std::string::npos);
  EXPECT_EQ(saved.find("Author="), std::string::npos);
}

TEST_F(FileFollowTest, ListFollowsTheFileOnlyWhileNothingIsEdited) {
  StartEditing();
  dialog.ShowCategory(SettingCategory::Colors);
  const int row = list.RowOf("MenuHighlight");
  ASSERT_GE(row, 0);
  list.SelectAndReveal(row + 1);

  WriteOnDisk("[Colors]\r\nMenuText=#ff0000\r\nMenuHighlight=#abcdef\r\n");
  dialog.FollowFileOnDisk();
  EXPECT_EQ(list.rows[row].text[2], "#abcdef");
  EXPECT_EQ(Saved("MenuHighlight"), "#abcdef");
  EXPECT_EQ(dialog.generalItems.ValueTextOf("Author"), "");
  EXPECT_EQ(list.selected, row + 1);
  EXPECT_EQ(dialog.currentCategory, SettingCategory::Colors);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(messages.warnings.empty());

  // A box ticked in the list is an edit: the file waits for the save.
  list.Tick(row, false);
  WriteOnDisk("[Colors]\r\nMenuHighlight=#fedcba\r\n");
  dialog.FollowFileOnDisk();
  EXPECT_EQ(list.rows[row].text[2], "#abcdef");
  list.Tick(row, true);

  // So is an edited value.
  Edit(dialog.colorItems, "MenuText", "#0000ff");
  dialog.FollowFileOnDisk();
  EXPECT_EQ(Saved("MenuHighlight"), "#abcdef");
  EXPECT_EQ(Saved("MenuText"), "#0000ff");

  // Choosing a skin: nothing is followed.
  dialog.modified = false;
  messages.answers = {Messages::Answer::No};
  dialog.ToggleEditing();
  ASSERT_TRUE(dialog.choosingSkin);
  WriteOnDisk(kSkin);
  dialog.FollowFileOnDisk();
  EXPECT_TRUE(dialog.colorItems.Empty());
}

}  // namespace
}  // namespace orlavix
