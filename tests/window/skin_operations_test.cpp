// The options' commands on the whole skin, on a copy of the demo host with the
// stand-in browser: starting it with the edited skin (and refusing while it
// or its installer runs), the unused/missing image report, the other sections.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/win32/main_dialog_resource.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "tests/window/host_folder.h"
#include "tests/window/main_dialog_fixture.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::ModalWatcher;
using test::PumpFor;
using test::TextOf;

constexpr char kStandInClass[] = "OrlavixStandInHost";

// A copy of the demo host with the stand-in browser in its bin.
class SkinOperationsTest : public MainDialogFixture {
 protected:
  void SetUp() override {
    MainDialogFixture::SetUp();
    root = temp / "demo";
    test::CopyTree(test::FromUnixPath(ORLAVIX_DEMO_DIR), root);
    executable = root + "\\bin\\Velquor.exe";
    ASSERT_TRUE(CopyFileA(test::FromUnixPath(ORLAVIX_STANDIN_HOST).c_str(), executable.c_str(), FALSE));
    userIni = root + "\\settings\\All Users\\setting\\user.ini";
  }
  void TearDown() override {
    CloseStandIn();
    MainDialogFixture::TearDown();
  }

  // The stand-in's window once it is up (waits up to 10 s), or null.
  static HWND WaitForStandIn() {
    for (int i = 0; i < 200; ++i) {
      if (const HWND window = FindWindowA(kStandInClass, nullptr)) return window;
      PumpFor(50);
    }
    return nullptr;
  }
  // Closes every stand-in window and waits until its mutex is gone.
  static void CloseStandIn() {
    while (const HWND window = FindWindowA(kStandInClass, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
      PostMessageA(window, WM_CLOSE, 0, 0);
      if (handle) {
        WaitForSingleObject(handle, 10000);
        CloseHandle(handle);
      }
    }
  }

  // Selects the skin and starts editing it.
  static void Edit(HWND dialog, const char* skin) {
    SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(skin));
    Click(GetDlgItem(dialog, IDC_START_EDITING));
  }

  std::string ProfileSkin() const {
    char skin[MAX_PATH] = "";
    GetPrivateProfileStringA("General", "Skin", "", skin, sizeof skin, userIni.c_str());
    return skin;
  }

  // Presses OK of the next box, noting what its counting button said.
  void AnswerReport(std::string& buttonText) {
    watcher.Then([&buttonText](const ModalWatcher::Box& box) {
      HWND button = GetDlgItem(box.window, IDOK);
      if (!button) button = GetDlgItem(box.window, IDCANCEL);
      // The countdown shows once the box's own timer has started.
      for (int i = 0; i < 40 && TextOf(button).find('(') == std::string::npos; ++i) PumpFor(50);
      buttonText = TextOf(button);
      test::PressButton(box.window, IDOK);
    });
  }

  std::string root, executable, userIni;
};

// The seconds a report box counts down from, as its button shows them at first.
bool CountsFrom(const std::string& buttonText, int seconds) {
  return buttonText.find("(" + std::to_string(seconds) + ")") != std::string::npos ||
         buttonText.find("(" + std::to_string(seconds - 1) + ")") != std::string::npos;
}

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  const auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::string line;
    for (int column = 0; column < 3; ++column) {
      char text[260] = "";
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
      line += (column ? "|" : "") + std::string(text);
    }
    rows.push_back(line);
  }
  return rows;
}

// The row whose key column holds `key`, or -1.
int RowOfKey(HWND list, const std::string& key) {
  const std::vector<std::string> rows = ListRows(list);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].find("|" + key + "|") != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

// Runs one of the options' commands as a person does: "&OPT", the command's
// row, 編集(&E).
void RunCommand(HWND dialog, const std::string& key) {
  const HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
  Click(GetDlgItem(dialog, IDC_SHOW_OPTIONS));
  const int row = RowOfKey(list, key);
  ASSERT_GE(row, 0) << key;
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Click(GetDlgItem(dialog, IDC_EDIT_ITEM));
}

TEST_F(SkinOperationsTest, StartsTheHostWithTheEditedSkinOnlyWhenNothingIsBusy) {
  const std::string userIniBefore = test::ReadFileText(userIni);
  std::string hostBusyButton, installerBusyButton, startedButton, standInTitle;
  Run(executable, [&](HWND dialog) {
    EXPECT_EQ(SelectedSkin(dialog), "Aqua");
    Edit(dialog, "Zen");
    ASSERT_EQ(TextOf(GetDlgItem(dialog, IDC_SKIN_NAME)), "Zen");

    // The browser is running (the stand-in, started by hand).
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + executable + "\"";
    ASSERT_TRUE(CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_NE(WaitForStandIn(), nullptr);
    AnswerReport(hostBusyButton);
    SendMessageA(dialog, kRunWithThisSkinMessage, 0, 0);
    EXPECT_EQ(test::ReadFileText(userIni), userIniBefore);
    CloseStandIn();

    // An installer of the browser is running.
    const HANDLE installer = CreateMutexA(nullptr, FALSE, "VelquorInstallerFinalMutex");
    AnswerReport(installerBusyButton);
    SendMessageA(dialog, kRunWithThisSkinMessage, 0, 0);
    CloseHandle(installer);
    EXPECT_EQ(test::ReadFileText(userIni), userIniBefore);

    // Nothing busy: user.ini names Zen and the browser starts with it.
    AnswerReport(startedButton);
    RunCommand(dialog, "RunWithThisSkin");
    EXPECT_EQ(ProfileSkin(), "Zen");
    if (const HWND standIn = WaitForStandIn()) standInTitle = TextOf(standIn);
    CloseStandIn();

    // Back to choosing: the host's skin is now preselected.
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    test::DropFiles(dialog, {executable});
    PumpFor(100);
    EXPECT_EQ(SelectedSkin(dialog), "Zen");
  });
  ASSERT_EQ(watcher.Seen().size(), 3u);
  EXPECT_EQ(watcher.Unexpected(), 0);
  for (const auto& box : watcher.Seen()) EXPECT_EQ(box.caption, J("報告"));
  EXPECT_EQ(watcher.Seen()[0].text, J("本体起動処理中のため続行できません。"));
  EXPECT_TRUE(CountsFrom(hostBusyButton, 10)) << hostBusyButton;
  EXPECT_EQ(watcher.Seen()[1].text,
            J("本体起動中のため続行できません。\n\n本体が完全に終了するのを待ってから再度実行してください。"));
  EXPECT_TRUE(CountsFrom(installerBusyButton, 30)) << installerBusyButton;
  EXPECT_EQ(watcher.Seen()[2].text, J("本体起動中です。しばらくそのままでお待ちください。"));
  EXPECT_TRUE(CountsFrom(startedButton, 10)) << startedButton;
  EXPECT_EQ(standInTitle, "Velquor (stand-in) - Zen");
  EXPECT_NE(test::ReadFileText(userIni).find("[General]"), std::string::npos);
}

TEST_F(SkinOperationsTest, ReportRowsAndTheOtherSectionsOfTheDemoSkin) {
  Run(executable, [&](HWND dialog) {
    Edit(dialog, "Aqua");
    const HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);

    RunCommand(dialog, "CheckUnusedSkinFiles");
    EXPECT_EQ(ListRows(list), (std::vector<std::string>{J("存在していないファイル") + "|1|logo.png",
                                                        J("使用されていないファイル") + "|1|unused_old.bmp"}));
    char title[64] = "";
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(std::string(title), J("種別"));
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_FALSE(Enabled(dialog, IDC_EDIT_ITEM));
    for (int id : {IDC_SHOW_OPTIONS, IDC_SHOW_GENERAL, IDC_SHOW_COLORS, IDC_SHOW_CONTROLS, IDC_SHOW_SETTINGS}) {
      EXPECT_TRUE(Enabled(dialog, id)) << id;
    }

    RunCommand(dialog, "ShowExtraData");
    const HWND extra = GetDlgItem(dialog, IDC_EXTRA_TEXT);
    EXPECT_TRUE(IsWindowVisible(extra));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(GetFocus(), extra);
    EXPECT_EQ(TextOf(extra), J("[Sidebar]\r\n; kept as it is by the editor\r\nWidth=240\r\nPanel=bookmarks\r\n\r\n"));
    DWORD start = 1, end = 1;
    SendMessageA(extra, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    EXPECT_TRUE(GetWindowLongPtrA(extra, GWL_STYLE) & ES_READONLY);

    // Any category button puts the list back.
    Click(GetDlgItem(dialog, IDC_SHOW_COLORS));
    EXPECT_FALSE(IsWindowVisible(extra));
    EXPECT_TRUE(IsWindowVisible(list));
  });
  EXPECT_TRUE(watcher.Seen().empty());
}

}  // namespace
}  // namespace orlavix::win32
