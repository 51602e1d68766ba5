// The options' commands on the whole skin: starting the host with the skin
// (the order of its checks), the unused/missing file report as list rows, and
// the other sections' text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "support/paths.h"
#include "tests/unit/editor_fixture.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::TempDir;
using testing::WriteBytes;

// A host installation with one skin being edited.
class SkinOperationsTest : public ::testing::Test, public EditorFakes {
 protected:
  SkinOperationsTest() : dialog(list, controls, messages, hostControls, host) {
    root = dir.File("Velquor");
    const std::string bin = JoinPath(root, "bin");
    std::filesystem::create_directories(bin);
    hostControls.location = JoinPath(bin, "Velquor.exe");
    WriteBytes(hostControls.location, "MZ");
    WriteBytes(JoinPath(bin, "Velquor.Property"), "");
    userIni = JoinPath(JoinPath(JoinPath(JoinPath(root, "settings"), "All Users"), "setting"), "user.ini");
    std::filesystem::create_directories(RemoveFileSpec(userIni));
    WriteBytes(userIni, "");
    skinFolder = JoinPath(JoinPath(JoinPath(root, "resources"), "skins"), "Zen");
    controls_ = JoinPath(skinFolder, "controls");
    std::filesystem::create_directories(controls_);
  }

  void Edit(const std::string& skinIni) {
    WriteBytes(JoinPath(skinFolder, "skin.ini"), skinIni);
    dialog.skinFolder = skinFolder + kPathSeparator;
    dialog.skinIniPath = JoinPath(skinFolder, "skin.ini");
    dialog.choosingSkin = false;
    dialog.ShowCategory(SettingCategory::Options);
    dialog.ShowCategory(SettingCategory::General);
  }
  void AddFile(const std::string& name) { WriteBytes(JoinPath(controls_, name), "x"); }

  // The rows as "description|number|file".
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (const auto& row : list.rows) out.push_back(row.text[0] + "|" + row.text[1] + "|" + row.text[2]);
    return out;
  }

  TempDir dir;
  std::string root, userIni, skinFolder, controls_;
  EditorDialog dialog;
};

TEST_F(SkinOperationsTest, StartingTheHostChecksInOrderAndWritesOnlyAtTheEnd) {
  Edit("[General]\r\n");
  const std::string skinName = J("スキン名が取得できません。");
  const std::string noHost = J("本体の場所が指定されていません。");
  const std::string hostBusy = J("本体起動処理中のため続行できません。");
  const std::string installerBusy =
      J("本体起動中のため続行できません。\n\n本体が完全に終了するのを待ってから再度実行してください。");
  const std::string noUserIni = J("user.ini の場所が特定できなかったため、変更できませんでした。");
  const std::string writeFailed = J("user.ini が変更できませんでした。");
  const std::string notStarted = J("本体を起動できませんでした。\n\nuser.ini のスキン名は変更済みです。");
  const std::string started = J("本体起動中です。しばらくそのままでお待ちください。");

  struct Case {
    const char* what;
    std::function<void()> arrange;
    std::string message;
    int seconds;
    bool written;
  };
  const std::string exe = hostControls.location;
  const Case cases[] = {
      {"no skin", [&] { dialog.skinFolder.clear(); }, skinName, 10, false},
      {"no host", [&] { hostControls.location.clear(); }, noHost, 10, false},
      {"host running", [&] { host.heldMutexes = {"Velquor200Mutex"}; }, hostBusy, 10, false},
      {"installer running", [&] { host.heldMutexes = {"VelquorInstallerFinalMutex"}; }, installerBusy, 30, false},
      {"both", [&] { host.heldMutexes = {"Velquor200Mutex", "VelquorInstallerFinalMutex"}; }, hostBusy, 10, false},
      {"no user.ini", [&] { std::filesystem::remove(userIni); }, noUserIni, 10, false},
      {"no property file", [&] { std::filesystem::remove(JoinPath(RemoveFileSpec(exe), "Velquor.Property")); },
       noUserIni, 10, false},
      {"write fails", [&] { host.writeSucceeds = false; }, writeFailed, 10, true},
      {"start fails", [&] { host.openSucceeds = false; }, notStarted, 10, true},
      {"started", [] {}, started, 10, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Everything in place, then the one thing the case breaks.
    dialog.skinFolder = skinFolder + kPathSeparator;
    hostControls.location = exe;
    host = FakeHostServices();
    WriteBytes(userIni, "");
    WriteBytes(JoinPath(RemoveFileSpec(exe), "Velquor.Property"), "");
    messages.shown.clear();
    messages.seconds.clear();
    c.arrange();

    dialog.RunHostWithSkin();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], c.message);
    EXPECT_EQ(messages.seconds[0], c.seconds);
    EXPECT_EQ(host.writes.empty(), !c.written);
    if (c.written) {
      EXPECT_EQ(host.writes, std::vector<std::string>{userIni + "|General|Skin|Zen"});
    }
    const bool opened = c.message == started || c.message == notStarted;
    EXPECT_EQ(host.opened, opened ? std::vector<std::string>{exe} : std::vector<std::string>{});
  }
}

TEST_F(SkinOperationsTest, ReportPairsNamesInLowerCaseAndNumbersEachGroup) {
  Edit("[Controls]\r\nTabSkin=Tab.PNG\r\nTabCloseSkin=tab.png\r\nButtonSkin=button.png\r\n"
       "ReBarSkin=rebar.png\r\nLogoSkin=Logo.png\r\nStatusBarSkin=status.bmp\r\n");
  for (const char* name : {"tab.png", "Button.PNG", "rebar.png", "old.bmp", "toolbar_drop_down_glass.png",
                           "Aaa.ico"}) {
    AddFile(name);
  }
  std::filesystem::create_directories(JoinPath(controls_, "sub.png"));  // a folder is no file
  // An unticked item does not use its file.
  dialog.ShowCategory(SettingCategory::Controls);
  for (int row = 0; row < list.GetItemCount(); ++row) {
    if (list.rows[row].text[1] == "ReBarSkin") list.Tick(row, false);
  }

  dialog.CheckSkinFiles();
  const std::string missing = J("存在していないファイル"), unused = J("使用されていないファイル");
  EXPECT_EQ(Rows(), (std::vector<std::string>{missing + "|1|logo.png", missing + "|2|status.bmp",
                                               unused + "|1|aaa.ico", unused + "|2|old.bmp",
                                               unused + "|3|rebar.png"}));
  EXPECT_EQ(dialog.currentCategory, SettingCategory::Report);
  ASSERT_EQ(list.columns.size(), 3u);
  EXPECT_EQ(list.columns[0].title, J("種別"));
  EXPECT_EQ(list.columns[2].title, J("ファイル"));
  for (const auto& row : list.rows) EXPECT_EQ(row.state, kUncheckedStateImage);
  EXPECT_FALSE(controls.editEnabled);
  EXPECT_EQ(list.selected, 0);
  for (SettingCategory button : {SettingCategory::Options, SettingCategory::General, SettingCategory::Colors,
                                 SettingCategory::Controls, SettingCategory::Settings}) {
    EXPECT_TRUE(controls.categoryEnabled[button]);
  }
  // The tick given in the list reached the catalogue on the way.
  EXPECT_FALSE(dialog.controlItems.FindCopy("ReBarSkin").checked);

  // Without a controls folder every used name is missing, in the order of
  // the names as written (capitals sort first); nothing to report gives an
  // empty list.
  std::filesystem::remove_all(controls_);
  dialog.CheckSkinFiles();
  EXPECT_EQ(Rows(), (std::vector<std::string>{missing + "|1|logo.png", missing + "|2|tab.png",
                                               missing + "|3|button.png", missing + "|4|status.bmp"}));
  Edit("[General]\r\n");
  dialog.controlItems.Clear();
  dialog.CheckSkinFiles();
  EXPECT_TRUE(list.rows.empty());
}

TEST_F(SkinOperationsTest, ExtraTextIsReadAgainWithCrLfAndHiddenByTheNextCategory) {
  Edit("[General]\nAuthor=a\n[Sidebar]\nWidth=240\nPanel=bookmarks\n[Colors]\n[Extra]\r\nKey=1\r\n");
  // Changed on disk after the skin was opened: the view shows the file as it is now.
  WriteBytes(JoinPath(skinFolder, "skin.ini"), "[General]\n[Sidebar]\nWidth=300\n[Extra]\r\nKey=1\r\n");
  dialog.ShowExtraText();
  EXPECT_TRUE(controls.extraTextShown);
  EXPECT_EQ(controls.extraText, "[Sidebar]\r\nWidth=300\r\n\r\n[Extra]\r\nKey=1\r\n\r\n");
  EXPECT_EQ(controls.extraText.find("\r\r"), std::string::npos);
  EXPECT_FALSE(list.shown);
  EXPECT_TRUE(list.rows.empty());
  EXPECT_EQ(dialog.currentCategory, SettingCategory::Report);

  dialog.ShowCategory(SettingCategory::Colors);
  EXPECT_FALSE(controls.extraTextShown);
  EXPECT_TRUE(list.shown);

  // A skin without other sections shows an empty text.
  WriteBytes(JoinPath(skinFolder, "skin.ini"), "[General]\r\nAuthor=a\r\n");
  dialog.ShowExtraText();
  EXPECT_TRUE(controls.extraTextShown);
  EXPECT_EQ(controls.extraText, "");
}

}  // namespace
}  // namespace orlavix
