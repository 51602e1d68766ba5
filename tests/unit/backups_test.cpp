// Bringing back a numbered backup: which files are listed and in what order,
// how they are read, the question, and the restore as one undo step.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/backups.h"
#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "support/paths.h"
#include "tests/unit/editor_fixture.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

platform::FileTime At(std::int64_t stamp) {
  platform::FileTime time;
  time.stamp = stamp;
  return time;
}

TEST(BackupsTest, ListedNewestFirstAndOfEqualTimesTheHigherNumber) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  FakeHostServices host;
  // name on disk, its time (0: the file's own)
  const std::pair<const char*, std::int64_t> files[] = {
      {"skin.ini", 900},       {"skin.ini.000", 100},  {"skin.ini.001", 300}, {"skin.ini.002", 300},
      {"skin.ini.010", 200},   {"SKIN.INI.003", 50},   {"skin.ini.1", 999},   {"skin.ini.0000", 999},
      {"skin.ini.00a", 999},   {"other.ini.005", 999}, {"skin.ini.bak", 999},
  };
  for (const auto& [name, stamp] : files) {
    WriteBytes(dir.path() / name, "[General]\r\n");
    host.fileTimes[dir.File(name)] = At(stamp);
  }
  std::filesystem::create_directory(dir.path() / "skin.ini.004");  // a folder is no backup
  host.fileTimes[dir.File("skin.ini.004")] = At(999);

  std::vector<std::string> names;
  for (const BackupFile& backup : FindBackups(ini, host)) {
    names.push_back(backup.name);
    EXPECT_EQ(backup.path, dir.File(backup.name));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"skin.ini.002", "skin.ini.001", "skin.ini.010", "skin.ini.000",
                                             "SKIN.INI.003"}));

  // A folder that cannot be listed has none.
  EXPECT_TRUE(FindBackups(dir.File("gone/skin.ini"), host).empty());

  // The times of the disk, in local time.
  platform::FileTime time;
  ASSERT_TRUE(platform::LastWriteTime(dir.File("skin.ini.000"), time));
  EXPECT_GE(time.year, 2026);
  EXPECT_FALSE(platform::LastWriteTime(dir.File("missing"), time));
  time = {0, 2026, 3, 4, 5, 6};
  EXPECT_EQ(BackupTimeText(time), "2026/03/04 05:06");
}

TEST(BackupsTest, ReadLikeSkinIniShiftJisIncluded) {
  TempDir dir;
  // The Shift_JIS bytes of the working code page, as an older editor saved them.
  const std::string author = J("山田太郎のスキン「和風」");
  WriteBytes(dir.path() / "skin.ini.000",
             "[General]\r\nAuthor=" + author + "\r\nVersion=\r\n[Colors]\r\nMenuText=#00ff00\r\n");
  RecordingMessages messages;
  CatalogueValues values;
  ASSERT_TRUE(ReadBackupValues(dir.File("skin.ini.000"), values, messages));
  const SettingItem read = values.Of(SettingCategory::General).FindCopy("Author");
  EXPECT_EQ(read.text, author);
  EXPECT_TRUE(read.checked);
  EXPECT_FALSE(values.Of(SettingCategory::General).FindCopy("Version").checked);
  // What the file leaves out keeps its built default.
  EXPECT_EQ(values.Of(SettingCategory::General).FindCopy("ButtonWidth").number, 24);
  EXPECT_EQ(values.Of(SettingCategory::Colors).FindCopy("MenuText").FormatValue(), "#00ff00");
  EXPECT_GT(values.Of(SettingCategory::Controls).Count(), 0);
  EXPECT_EQ(values.Of(SettingCategory::Options).Count(), 0);

  EXPECT_FALSE(ReadBackupValues(dir.File("skin.ini.001"), values, messages));
}

TEST(BackupsTest, TheQuestionNamesTwelveChangesAndCountsTheRest) {
  EditStep changes;
  for (int i = 0; i < 14; ++i) {
    SettingChange change;
    change.category = SettingCategory::General;
    change.before = SettingItem(SettingKind::Text, true, "", "Key" + std::to_string(i), "now");
    change.after = SettingItem(SettingKind::Text, true, "", "Key" + std::to_string(i), "then");
    changes.push_back(change);
  }
  changes[1].after = SettingItem(SettingKind::Text, false, "", "Key1", "");
  changes[2].before = SettingItem(SettingKind::Text, false, "", "Key2", "now");

  const std::vector<std::string> lines = testing::LinesOf(RestoreQuestion("skin.ini.007", changes));
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], J("skin.ini.007 の内容に戻しますか？"));
  EXPECT_EQ(lines[1], J("Key0: 今 now → バックアップ then"));
  EXPECT_EQ(lines[2], J("Key1: 今 now → バックアップ (空) (チェックなし)"));
  EXPECT_EQ(lines[3], J("Key2: 今 now (チェックなし) → バックアップ then"));
  EXPECT_EQ(lines[12], J("Key11: 今 now → バックアップ then"));
  EXPECT_EQ(lines[13], J("ほか 2 件"));
  EXPECT_EQ(lines[14], J("適用するまで skin.ini は変わりません。"));

  changes.resize(12);
  const std::string twelve = RestoreQuestion("skin.ini.007", changes);
  EXPECT_EQ(twelve.find(J("ほか")), std::string::npos);
}

// The editor on a skin that has been saved once, then changed.
class RestoreBackupTest : public ::testing::Test, public EditorFakes {
 protected:
  RestoreBackupTest() : dialog(list, controls, messages, hostControls, host) {
    ini = StartEditingAqua(dialog, controls, dir);
  }

  int RowOf(const std::string& key) const { return list.RowOf(key); }
  void SetAuthor(const std::string& author) {
    dialog.ShowCategory(SettingCategory::General);
    const int row = RowOf("Author");
    dialog.generalItems.At(row).text = author;  // as a reload would, outside the item commands
  }

  TempDir dir;
  std::string ini;
  EditorDialog dialog;
};

TEST_F(RestoreBackupTest, ChosenFromTheListAsOneUndoStep) {
  // Bob is saved (skin.ini.000 keeps Ann), then Carol and an untick follow.
  const CatalogueValues before = dialog.BeginStep();
  SetAuthor("Bob");
  dialog.EndStep(before);
  EXPECT_TRUE(dialog.modified);
  ASSERT_TRUE(dialog.SaveSkinFile());
  const std::string saved = ReadBytes(ini);
  const std::string backup = ReadBytes(ini + ".000");
  const CatalogueValues again = dialog.BeginStep();
  SetAuthor("Carol");
  dialog.colorItems.Find("MenuText").checked = false;
  dialog.EndStep(again);
  EXPECT_EQ(list.rows[RowOf("Author")].text[2], "Carol");  // the list follows
  dialog.ShowCategory(SettingCategory::Options);

  dialog.ShowBackups();
  EXPECT_EQ(dialog.currentCategory, SettingCategory::Report);
  ASSERT_EQ(list.columns.size(), 3u);
  EXPECT_EQ(list.columns[0].title, J("バックアップ"));
  EXPECT_EQ(list.columns[1].title, J("日時"));
  EXPECT_EQ(list.columns[2].title, J("違い"));
  ASSERT_EQ(list.rows.size(), 1u);
  EXPECT_EQ(list.rows[0].text[0], "skin.ini.000");
  EXPECT_EQ(list.rows[0].text[1].size(), 16u);  // yyyy/mm/dd hh:mm
  EXPECT_EQ(list.rows[0].text[2], J("違い 2 件"));
  EXPECT_FALSE(controls.editEnabled);

  // No: nothing changes, the list stays.
  EXPECT_FALSE(dialog.ActivateRow(0));
  ASSERT_EQ(messages.yesNoQuestions.size(), 1u);
  EXPECT_EQ(messages.yesNoQuestions[0], J("skin.ini.000 の内容に戻しますか？\n"
                                          "Author: 今 Carol → バックアップ Ann\n"
                                          "MenuText: 今 #ff0000 (チェックなし) → バックアップ #ff0000\n"
                                          "適用するまで skin.ini は変わりません。"));
  EXPECT_EQ(dialog.generalItems.FindCopy("Author").text, "Carol");
  EXPECT_EQ(list.rows[0].text[0], "skin.ini.000");

  // Yes, by Enter in the list: the backup's values, the first difference shown.
  messages.yesNoAnswers = {true};
  EXPECT_TRUE(dialog.DialogKey(0x0D, false, false, false, true));
  EXPECT_EQ(dialog.generalItems.FindCopy("Author").text, "Ann");
  EXPECT_TRUE(dialog.colorItems.FindCopy("MenuText").checked);
  EXPECT_EQ(dialog.currentCategory, SettingCategory::General);
  EXPECT_EQ(list.selected, RowOf("Author"));
  EXPECT_EQ(list.rows[RowOf("Author")].text[2], "Ann");
  EXPECT_TRUE(dialog.modified);
  EXPECT_EQ(ReadBytes(ini), saved);
  EXPECT_EQ(ReadBytes(ini + ".000"), backup);

  // One step: undone whole, back to Carol; once more, to Bob as saved.
  dialog.Undo();
  EXPECT_EQ(dialog.generalItems.FindCopy("Author").text, "Carol");
  EXPECT_FALSE(dialog.colorItems.FindCopy("MenuText").checked);
  dialog.Undo();
  EXPECT_EQ(dialog.generalItems.FindCopy("Author").text, "Bob");
  EXPECT_FALSE(dialog.modified);
  EXPECT_EQ(messages.warnings.size(), 0u);
}

TEST_F(RestoreBackupTest, NoneUnreadableAndUnchangedBackups) {
  dialog.ShowBackups();
  ASSERT_EQ(list.rows.size(), 1u);
  EXPECT_EQ(list.rows[0].text[0], J("バックアップはありません"));
  EXPECT_FALSE(dialog.ActivateRow(0));
  EXPECT_FALSE(dialog.DialogKey(0x0D, false, false, false, true));
  EXPECT_TRUE(messages.yesNoQuestions.empty());

  // A backup equal to the values now: said so, nothing asked.
  ASSERT_TRUE(dialog.SaveSkinFile());
  dialog.ShowBackups();
  EXPECT_EQ(list.rows[0].text[2], J("違い 0 件"));
  EXPECT_FALSE(dialog.ActivateRow(0));
  EXPECT_TRUE(messages.yesNoQuestions.empty());
  EXPECT_FALSE(dialog.CanUndo());

  // Gone since it was listed: a warning that names it, nothing changes.
  std::filesystem::remove(ini + ".000");
  messages.yesNoAnswers = {true};
  EXPECT_FALSE(dialog.ActivateRow(0));
  ASSERT_EQ(messages.warnings.size(), 1u);
  EXPECT_NE(messages.warnings[0].find("skin.ini.000"), std::string::npos);
  EXPECT_TRUE(messages.yesNoQuestions.empty());
  EXPECT_FALSE(dialog.CanUndo());
  EXPECT_FALSE(dialog.modified);
}

}  // namespace
}  // namespace orlavix
