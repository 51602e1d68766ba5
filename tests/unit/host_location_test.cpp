// Naming the host and choosing a skin: the command-line rule, the host
// layout, where user.ini lives, the preselection, the mutex probes, the
// browse dialog's start folder, the save warning and the resize computation.
// The whole walks (drops, shortcuts, closing) are the main dialog's window
// tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/dialog_layout.h"
#include "editor/editor_dialog.h"
#include "editor/host_location.h"
#include "support/paths.h"
#include "tests/unit/editor_fakes.h"
#include "tests/unit/host_fakes.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::TempDir;
using testing::WriteBytes;

std::string Join(std::initializer_list<std::string> parts) {
  std::string path;
  for (const std::string& part : parts) path = path.empty() ? part : JoinPath(path, part);
  return path;
}

TEST(CommandLinePathTest, DropsOnePairOfEnclosingQuotesAndNeverSplits) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"C:\\a b\\Velquor.exe", "C:\\a b\\Velquor.exe"},
      {"\"C:\\a b\\Velquor.exe\"", "C:\\a b\\Velquor.exe"},
      {"\"\"x\"\"", "\"x\""},
      {"\"", "\""},
      {"\"\"", ""},
      {"\"C:\\a.exe", "\"C:\\a.exe"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandLinePath(c.in), c.out) << c.in;
}

TEST(HostLayoutTest, RootIsTheExecutableFoldersParent) {
  const std::string exe = Join({"C:", "Apps", "Velquor", "bin", "Velquor.exe"});
  const HostLayout layout = LayoutOf(exe);
  EXPECT_EQ(layout.executableFolder, Join({"C:", "Apps", "Velquor", "bin"}));
  EXPECT_EQ(layout.root, Join({"C:", "Apps", "Velquor"}));
  EXPECT_EQ(layout.propertyFile, Join({"C:", "Apps", "Velquor", "bin", "Velquor.Property"}));
  EXPECT_EQ(layout.skinsFolder, Join({"C:", "Apps", "Velquor", "resources", "skins"}) + kPathSeparator);
}

TEST(PreselectedSkinTest, NamedSkinThenDefaultThenFirst) {
  const std::vector<std::string> all{"Aqua", "default", "Zen"};
  const struct {
    std::vector<std::string> listed;
    const char* current;
    int expected;
  } cases[] = {
      {all, "zen", 2},       {all, "ZEN", 2},         {all, "Missing", 1},
      {all, "", 1},          {{"Aqua", "Zen"}, "x", 0}, {{"Aqua", "DEFAULT"}, "x", 1},
      {{}, "Aqua", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(PreselectedSkin(c.listed, c.current), c.expected) << c.current;
}

TEST(HostProbesTest, EachExecutableProbesItsOwnSet) {
  const struct {
    const char* file;
    std::set<std::string> held;
    bool hostIdle;
    bool installerIdle;
    std::vector<std::string> probes;  // host probes, then installer probes
  } cases[] = {
      {"velquor.exe", {}, true, true, {"Velquor200Mutex", "VelquorInstallerFinalMutex"}},
      {"velquor.exe", {"Velquor200Mutex"}, false, true, {"Velquor200Mutex", "VelquorInstallerFinalMutex"}},
      {"velquor.exe", {"VelquorInstallerFinalMutex"}, true, false,
       {"Velquor200Mutex", "VelquorInstallerFinalMutex"}},
      {"osket.exe", {"VelquorInstallerFinalMutex"}, true, true, {"Velquor200Mutex", "OsketInstallerFinalMutex"}},
      {"osket.exe", {"OsketInstallerFinalMutex"}, true, false, {"Velquor200Mutex", "OsketInstallerFinalMutex"}},
      {"qx4.exe", {}, true, true, {"Velquor200Mutex", "QX4InstallerMutex", "QX4InstallerFinalMutex"}},
      {"qx4.exe", {"QX4InstallerMutex", "QX4InstallerFinalMutex"}, false, false,
       {"Velquor200Mutex", "QX4InstallerMutex", "QX4InstallerFinalMutex"}},
      {"other.exe", {"OsketInstallerFinalMutex"}, true, true, {"Velquor200Mutex"}},
  };
  for (const auto& c : cases) {
    FakeHostServices host;
    host.heldMutexes = c.held;
    EXPECT_EQ(HostIdle(c.file, host), c.hostIdle) << c.file;
    EXPECT_EQ(InstallerIdle(c.file, host), c.installerIdle) << c.file;
    EXPECT_EQ(host.probed, c.probes) << c.file;
  }
}

TEST(ShortcutTest, OnlyLnkFilesInAnyCaseAreResolved) {
  FakeHostServices host;
  host.shortcuts["a.LNK"] = "target.exe";
  host.shortcuts["b.lnk"] = "other.exe";
  host.shortcuts["c.exe"] = "never.exe";
  std::string path = "a.LNK";
  EXPECT_TRUE(ResolveShortcut(path, host));
  EXPECT_EQ(path, "target.exe");
  path = "c.exe";
  EXPECT_FALSE(ResolveShortcut(path, host));
  EXPECT_EQ(path, "c.exe");
  path = "broken.lnk";  // unreadable: stays the shortcut's path
  EXPECT_FALSE(ResolveShortcut(path, host));
  EXPECT_EQ(path, "broken.lnk");
}

// A host installation on disk: bin/<exe> with its property file, skins under
// resources/skins/, and the user.ini of "All Users".
class HostFolderTest : public ::testing::Test {
 protected:
  explicit HostFolderTest(const char* exeName = "Velquor.exe") {
    root = dir.File("Velquor");
    exe = Join({root, "bin", exeName});
    std::filesystem::create_directories(Join({root, "bin"}));
    WriteBytes(exe, "MZ");
    WriteBytes(Join({root, "bin", "Velquor.Property"}), "");
    allUsersIni = Join({root, "settings", "All Users", "setting", "user.ini"});
    std::filesystem::create_directories(RemoveFileSpec(allUsersIni));
    WriteBytes(allUsersIni, "");
  }
  void AddSkin(const std::string& name) {
    std::filesystem::create_directories(Join({root, "resources", "skins", name}));
  }
  void Property(const char* key, const char* value) {
    host.profiles[Join({root, "bin", "Velquor.Property"})][std::string("Setting/") + key] = value;
  }

  TempDir dir;
  std::string root, exe, allUsersIni;
  FakeHostServices host;
};

TEST_F(HostFolderTest, UserIniFollowsThePropertyFile) {
  const std::string appData = dir.File("AppData");
  host.specialFolders[platform::SpecialFolder::AppData] = appData;
  host.userName = "hikari";
  const std::string appDataIni = Join({appData, "Brannock & Co", "Velquor", "setting", "user.ini"});
  const std::string userIni = Join({root, "settings", "hikari", "setting", "user.ini"});
  const std::string defaultUserIni = Join({root, "settings", "default", "setting", "user.ini"});
  for (const std::string& file : {appDataIni, userIni, defaultUserIni}) {
    std::filesystem::create_directories(RemoveFileSpec(file));
    WriteBytes(file, "");
  }
  const struct {
    const char* useAppData;
    const char* multiUser;
    bool hasAppData;
    const char* user;
    std::string expected;
  } cases[] = {
      {"0", "0", true, "hikari", allUsersIni},  {"1", "0", true, "hikari", appDataIni},
      {"1", "1", true, "hikari", appDataIni},   {"1", "0", false, "hikari", allUsersIni},
      {"0", "1", true, "hikari", userIni},      {"0", "1", true, "", defaultUserIni},
      {"0", "7", true, "hikari", userIni},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.useAppData) + c.multiUser + c.user);
    Property("UseAppData", c.useAppData);
    Property("MultiUser", c.multiUser);
    if (!c.hasAppData) host.specialFolders.clear();
    host.userName = c.user;
    std::string found;
    ASSERT_TRUE(LocateUserIni(exe, host, found));
    EXPECT_EQ(found, c.expected);
    host.specialFolders[platform::SpecialFolder::AppData] = appData;
  }

  // No property file, or no user.ini where it points: not found.
  std::string found = "unchanged";
  std::filesystem::remove(userIni);
  EXPECT_FALSE(LocateUserIni(exe, host, found));
  std::filesystem::remove(Join({root, "bin", "Velquor.Property"}));
  Property("MultiUser", "0");
  EXPECT_FALSE(LocateUserIni(exe, host, found));
  EXPECT_EQ(found, "unchanged");
  EXPECT_EQ(CurrentSkinName(exe, host), "default");
}

// The editor with a host installation on disk.
class EditorHostTest : public HostFolderTest {
 protected:
  EditorHostTest() : dialog(list, controls, messages, hostControls, host) {}

  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  FakeHostControls hostControls;
  EditorDialog dialog;
};

TEST_F(EditorHostTest, RescanListsSkinFoldersAndPreselectsTheHostsSkin) {
  for (const char* skin : {"Zen", "default", "Aqua"}) AddSkin(skin);
  WriteBytes(Join({root, "resources", "skins", "readme.txt"}), "not a skin");
  host.profiles[allUsersIni]["General/Skin"] = "zen";

  dialog.commandLine = "\"" + exe + "\"";
  dialog.TakeCommandLine();
  EXPECT_EQ(hostControls.location, exe);
  EXPECT_EQ(hostControls.skins, (std::vector<std::string>{"Aqua", "default", "Zen"}));
  EXPECT_EQ(hostControls.SelectedSkin(), "Zen");
  EXPECT_TRUE(hostControls.skinListEnabled);
  EXPECT_TRUE(hostControls.startEnabled);
  EXPECT_EQ(dialog.skinsFolder, Join({root, "resources", "skins"}) + kPathSeparator);

  // A skin that has no folder falls back to default, then to the first entry.
  host.profiles[allUsersIni]["General/Skin"] = "Gone";
  dialog.RescanSkins();
  EXPECT_EQ(hostControls.SelectedSkin(), "default");
  std::filesystem::remove(Join({root, "resources", "skins", "default"}));
  dialog.RescanSkins();
  EXPECT_EQ(hostControls.SelectedSkin(), "Aqua");

  // A location whose root has no skins folder: empty, disabled, and the old
  // skins folder is kept.
  const std::string elsewhere = Join({dir.File("Other"), "bin", "Velquor.exe"});
  std::filesystem::create_directories(RemoveFileSpec(elsewhere));
  WriteBytes(elsewhere, "MZ");
  hostControls.location = elsewhere;
  dialog.RescanSkins();
  EXPECT_TRUE(hostControls.skins.empty());
  EXPECT_FALSE(hostControls.skinListEnabled);
  EXPECT_FALSE(hostControls.startEnabled);
  EXPECT_EQ(dialog.skinsFolder, Join({root, "resources", "skins"}) + kPathSeparator);

  // An empty skins folder also leaves both disabled.
  std::filesystem::create_directories(Join({dir.File("Other"), "resources", "skins"}));
  dialog.RescanSkins();
  EXPECT_FALSE(hostControls.skinListEnabled);
  EXPECT_FALSE(hostControls.startEnabled);
}

TEST_F(EditorHostTest, BrowsingStartsBesideTheHostOrDeepInProgramFiles) {
  AddSkin("Aqua");
  const std::string programFiles = dir.File("Program Files");
  host.specialFolders[platform::SpecialFolder::ProgramFiles] = programFiles;
  std::filesystem::create_directories(programFiles);

  dialog.BrowseForHost();  // cancelled
  const std::string maker = Join({programFiles, "Brannock & Co"});
  std::filesystem::create_directories(Join({maker, "Osket", "bin"}));
  dialog.BrowseForHost();
  std::filesystem::create_directories(Join({maker, "Velquor"}));
  dialog.BrowseForHost();
  EXPECT_EQ(hostControls.browseStarts,
            (std::vector<std::string>{programFiles, Join({maker, "Osket", "bin"}), Join({maker, "Velquor"})}));
  EXPECT_EQ(hostControls.location, "");

  hostControls.browseAnswer = exe;
  dialog.BrowseForHost();
  EXPECT_EQ(hostControls.location, exe);
  EXPECT_EQ(hostControls.SelectedSkin(), "Aqua");
  dialog.BrowseForHost();
  EXPECT_EQ(hostControls.browseStarts.back(), Join({root, "bin"}));
}

TEST(SaveFailureTextTest, NamesTheReasonWhereOneIsKnown) {
  const struct {
    SaveError error;
    const char* text;
  } rows[] = {
      {SaveError::Other, "skin.ini を保存できませんでした。"},
      {SaveError::None, "skin.ini を保存できませんでした。"},
      {SaveError::InUse, "skin.ini を保存できませんでした。\n\nほかのプログラムがファイルを開いています。"},
      {SaveError::ReadOnly, "skin.ini を保存できませんでした。\n\nファイルが読み取り専用です。"},
      {SaveError::Backup, "skin.ini を保存できませんでした。\n\nバックアップを作成できませんでした。"},
      {SaveError::DiskFull, "skin.ini を保存できませんでした。\n\nディスクの空き容量が足りません。"},
  };
  for (const auto& row : rows) EXPECT_EQ(SaveFailureText(row.error), J(row.text)) << row.text;
}

TEST(RelayoutTest, ControlsFollowTheTableAndTheGroupKeepsItsGaps) {
  // Four buttons 72 wide with gaps of 8, as the category buttons are.
  const std::vector<LayoutItem> items = {
      {1, Follow::Widen, {10, 10, 100, 20}},   {2, Follow::MoveRight, {110, 10, 150, 20}},
      {3, Follow::Grow, {10, 30, 150, 80}},    {4, Follow::MoveDown, {10, 90, 60, 100}},
      {5, Follow::MoveCorner, {100, 90, 150, 100}},
      {11, Follow::Group, {100, 40, 172, 54}}, {12, Follow::Group, {180, 40, 252, 54}},
      {13, Follow::Group, {260, 40, 332, 54}}, {14, Follow::Group, {340, 40, 412, 54}},
  };
  const struct {
    int dx, dy;
  } changes[] = {{0, 0}, {100, 50}, {313, 7}, {1, 1}, {999, 300}};
  for (const auto& change : changes) {
    SCOPED_TRACE(change.dx);
    const std::vector<LayoutRect> r = Relayout(items, change.dx, change.dy);
    ASSERT_EQ(r.size(), items.size());
    EXPECT_EQ(r[0], (LayoutRect{10, 10, 100 + change.dx, 20}));
    EXPECT_EQ(r[1], (LayoutRect{110 + change.dx, 10, 150 + change.dx, 20}));
    EXPECT_EQ(r[2], (LayoutRect{10, 30, 150 + change.dx, 80 + change.dy}));
    EXPECT_EQ(r[3], (LayoutRect{10, 90 + change.dy, 60, 100 + change.dy}));
    EXPECT_EQ(r[4], (LayoutRect{100 + change.dx, 90 + change.dy, 150 + change.dx, 100 + change.dy}));
    // The group spans its old left edge to the new right edge, gaps kept.
    EXPECT_EQ(r[5].left, 100);
    EXPECT_EQ(r[8].right, 412 + change.dx);
    for (int i = 5; i < 8; ++i) EXPECT_EQ(r[i + 1].left - r[i].right, 8);
    for (int i = 5; i < 9; ++i) {
      EXPECT_EQ(r[i].top, 40);
      EXPECT_EQ(r[i].bottom, 54);
    }
    // Members' left edges in proportion, with MulDiv's rounding.
    EXPECT_EQ(r[6].left, 100 + MulDivRounded(80, 312 + change.dx, 312));
  }
  EXPECT_EQ(MulDivRounded(5, 3, 2), 8);   // 7.5 rounds up
  EXPECT_EQ(MulDivRounded(-5, 3, 2), -8); // and away from zero
  EXPECT_EQ(MulDivRounded(7, 1, 0), -1);
}

}  // namespace
}  // namespace orlavix
