// The main dialog driven as a person would: naming the host from the command
// line, by shortcut, by dropping files and by browsing; the skin list and its
// preselection; resizing; closing with the question.
#include "editor/win32/main_dialog.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <objbase.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/win32/main_dialog_resource.h"
#include "support/mbtext.h"
#include "support/win32/private_messages.h"
#include "tests/window/host_folder.h"
#include "tests/window/main_dialog_fixture.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::HostFolder;
using test::MakeHostFolder;
using test::ModalWatcher;
using test::PumpFor;
using test::TextOf;

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
RECT ClientRectOf(HWND dialog, int id) { return ClientRectOf(dialog, GetDlgItem(dialog, id)); }

HWND SizeGrip(HWND dialog) { return FindWindowExA(dialog, nullptr, "SCROLLBAR", nullptr); }

using MainDialogTest = MainDialogFixture;

TEST_F(MainDialogTest, CommandLineNamesTheHostAndItsSkinIsPreselected) {
  const HostFolder host = MakeHostFolder(temp / "Velquor Host", "Velquor.exe", {"Aqua", "default", "Zen"}, "zen");
  // Beside it, a folder whose root has no resources\skins\.
  const HostFolder bare = MakeHostFolder(temp / "Bare", "Velquor.exe", {}, "Aqua");
  test::RemoveTree(bare.root + "\\resources");
  ASSERT_TRUE(test::MakeShortcut(temp / "Bare.LNK", bare.executable));

  const INT_PTR result = Run("\"" + host.executable + "\"", [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Orlavix");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), host.executable);
    EXPECT_EQ(SkinListNames(dialog), (std::vector<std::string>{"Aqua", "default", "Zen"}));
    EXPECT_EQ(SelectedSkin(dialog), "Zen");
    EXPECT_TRUE(Enabled(dialog, IDC_SKIN_LIST));
    EXPECT_TRUE(Enabled(dialog, IDC_START_EDITING));
    // Choosing mode shows only what names the host and picks the skin.
    for (int id : {IDC_HOST_LOCATION, IDC_BROWSE, IDC_SKIN_LIST, IDC_START_EDITING, IDCANCEL}) {
      EXPECT_TRUE(Visible(dialog, id)) << id;
    }
    for (int id : {IDC_SKIN_NAME, IDC_SHOW_OPTIONS, IDC_SHOW_GENERAL, IDC_SHOW_COLORS, IDC_SHOW_CONTROLS,
                   IDC_SHOW_SETTINGS, IDC_DETAIL_LABEL, IDC_EXTRA_TEXT, IDC_ITEM_LIST, IDC_SAVE_ONLY_CHECKED,
                   IDC_EDIT_ITEM, IDOK}) {
      EXPECT_FALSE(Visible(dialog, id)) << id;
    }
    EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_SAVE_ONLY_CHECKED));
    EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
    // The system menu starts with the version dialog and a separator.
    const HMENU menu = GetSystemMenu(dialog, FALSE);
    char item[64] = "";
    GetMenuStringA(menu, 0, item, sizeof item, MF_BYPOSITION);
    EXPECT_EQ(item, J("バージョン情報(&A)..."));
    EXPECT_EQ(GetMenuItemID(menu, 0), win32::kSystemMenuItemCommand);
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);

    // The host's skin has lost its folder: default, and without that the first.
    test::WriteFileText(host.userIni, "[General]\r\nSkin=Gone\r\n");
    test::DropFiles(dialog, {host.executable});
    PumpFor(100);
    EXPECT_EQ(SelectedSkin(dialog), "default");
    test::RemoveTree(host.SkinFolder("default"));
    test::DropFiles(dialog, {host.executable});
    PumpFor(100);
    EXPECT_EQ(SelectedSkin(dialog), "Aqua");

    // While a skin is edited, drops change nothing; the dialog is then taller
    // and shows the skin's name instead of the list.
    RECT choosing{}, editing{};
    GetWindowRect(dialog, &choosing);
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    GetWindowRect(dialog, &editing);
    EXPECT_EQ(editing.bottom - editing.top, choosing.bottom - choosing.top + 300);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_SKIN_NAME)), "Aqua");
    EXPECT_FALSE(Visible(dialog, IDC_BROWSE));
    test::DropFiles(dialog, {temp / "Bare.LNK"});
    PumpFor(100);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), host.executable);
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EXPECT_TRUE(Visible(dialog, IDC_BROWSE));

    // Several files dropped: the first that exists wins, its shortcut resolved.
    test::DropFiles(dialog, {temp / "missing.exe", temp / "Bare.LNK", host.executable});
    PumpFor(100);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), bare.executable);
    EXPECT_TRUE(SkinListNames(dialog).empty());
    EXPECT_FALSE(Enabled(dialog, IDC_SKIN_LIST));
    EXPECT_FALSE(Enabled(dialog, IDC_START_EDITING));
  });
  EXPECT_EQ(result, 2);
  for (const auto& box : watcher.Seen()) ADD_FAILURE() << box.caption << " / " << box.text;
}

TEST_F(MainDialogTest, ShortcutOnTheCommandLineAndUserIniUnderApplicationData) {
  const HostFolder host = MakeHostFolder(temp / "Osket", "Osket.exe", {"Aqua", "default", "Zen"}, "Aqua",
                                         "[Setting]\r\nUseAppData=1\r\nMultiUser=0\r\n");
  char appData[MAX_PATH] = "";
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE));
  const std::string maker = std::string(appData) + "\\Brannock & Co";
  test::MakeFolders(maker + "\\Osket\\setting");
  test::WriteFileText(maker + "\\Osket\\setting\\user.ini", "[General]\r\nSkin=zen\r\n");
  ASSERT_TRUE(test::MakeShortcut(temp / "Osket.lnk", host.executable));

  // A lone quote names nothing; then the shortcut, unquoted, names the host.
  Run("\"", [&](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), "");
    EXPECT_FALSE(Enabled(dialog, IDC_SKIN_LIST));
    EXPECT_FALSE(Enabled(dialog, IDC_START_EDITING));
  });
  Run(temp / "Osket.lnk", [&](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), host.executable);
    EXPECT_EQ(SelectedSkin(dialog), "Zen");  // from the application-data user.ini, not "All Users"
  });
  test::RemoveTree(maker);
}

TEST_F(MainDialogTest, BrowsingStartsInProgramFilesOrBesideTheHost) {
  const HostFolder host = MakeHostFolder(temp / "Velquor", "Velquor.exe", {"Aqua", "Zen"}, "Zen");
  char programFiles[MAX_PATH] = "";
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE));
  const std::string makerBin = std::string(programFiles) + "\\Brannock & Co\\Velquor\\bin";

  std::string firstStart, secondStart, thirdStart, filter;
  Run("", [&](HWND dialog) {
    // Cancelled in the program-files folder: nothing changes.
    watcher.Then([&](const ModalWatcher::Box& box) {
      firstStart = test::FolderShown(box.window);
      test::PressButton(box.window, IDCANCEL);
    });
    Click(GetDlgItem(dialog, IDC_BROWSE));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), "");

    // With the maker's folders present it starts in the product's bin; a
    // typed path and OK name the host.
    test::MakeFolders(makerBin);
    watcher.Then([&](const ModalWatcher::Box& box) {
      secondStart = test::FolderShown(box.window);
      char text[256] = "";
      GetDlgItemTextA(box.window, cmb1, text, sizeof text);
      filter = text;
      SetDlgItemTextA(box.window, cmb13, host.executable.c_str());
      SetDlgItemTextA(box.window, edt1, host.executable.c_str());
      test::PressButton(box.window, IDOK);
    });
    Click(GetDlgItem(dialog, IDC_BROWSE));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), host.executable);
    EXPECT_EQ(SkinListNames(dialog), (std::vector<std::string>{"Aqua", "Zen"}));
    EXPECT_EQ(SelectedSkin(dialog), "Zen");

    // Next time it starts beside the host.
    watcher.Then([&](const ModalWatcher::Box& box) {
      thirdStart = test::FolderShown(box.window);
      test::PressButton(box.window, IDCANCEL);
    });
    Click(GetDlgItem(dialog, IDC_BROWSE));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_HOST_LOCATION)), host.executable);
  });
  test::RemoveTree(std::string(programFiles) + "\\Brannock & Co");
  EXPECT_EQ(watcher.Seen().size(), 3u);
  EXPECT_EQ(watcher.Unexpected(), 0);
  EXPECT_EQ(firstStart, programFiles);
  EXPECT_EQ(secondStart, makerBin);
  EXPECT_EQ(thirdStart, host.root + "\\bin");
  EXPECT_EQ(filter, "Velquor/Osket");
}

TEST_F(MainDialogTest, ControlsFollowTheSizeAndColumnsRefitAfterMaximising) {
  Run("", [&](HWND dialog) {
    RECT window{}, client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const int ids[] = {IDC_HOST_LOCATION, IDC_SKIN_LIST, IDC_SKIN_NAME,     IDC_BROWSE,
                       IDC_START_EDITING, IDC_SHOW_OPTIONS, IDC_SHOW_GENERAL, IDC_SHOW_COLORS,
                       IDC_SHOW_CONTROLS, IDC_SHOW_SETTINGS, IDC_EXTRA_TEXT,  IDC_ITEM_LIST,
                       IDC_SAVE_ONLY_CHECKED, IDC_EDIT_ITEM, IDOK,           IDCANCEL};
    std::vector<RECT> before;
    for (int id : ids) before.push_back(ClientRectOf(dialog, id));
    const RECT gripBefore = ClientRectOf(dialog, SizeGrip(dialog));
    EXPECT_EQ(gripBefore.right, client.right);
    EXPECT_EQ(gripBefore.bottom, client.bottom);

    const int dx = 240, dy = 130;
    SetWindowPos(dialog, nullptr, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER);
    struct Shift {
      int left, top, right, bottom;
    };
    const Shift expected[] = {{0, 0, dx, 0},   {0, 0, dx, 0},   {0, 0, dx, 0},   {dx, 0, dx, 0},
                              {dx, 0, dx, 0},  {0, 0, 0, 0},    {-1, 0, -1, 0},  {-1, 0, -1, 0},
                              {-1, 0, -1, 0},  {-1, 0, dx, 0},  {0, 0, dx, dy},  {0, 0, dx, dy},
                              {0, dy, 0, dy},  {dx, dy, dx, dy}, {dx, dy, dx, dy}, {dx, dy, dx, dy}};
    for (std::size_t i = 0; i < std::size(ids); ++i) {
      SCOPED_TRACE(ids[i]);
      const RECT now = ClientRectOf(dialog, ids[i]);
      const Shift& e = expected[i];
      if (e.left >= 0) {
        EXPECT_EQ(now.left, before[i].left + e.left);
      }
      EXPECT_EQ(now.top, before[i].top + e.top);
      if (e.right >= 0) {
        EXPECT_EQ(now.right, before[i].right + e.right);
      }
      EXPECT_EQ(now.bottom, before[i].bottom + e.bottom);
    }
    // The category buttons widen in proportion and keep their gaps.
    const RECT general = ClientRectOf(dialog, IDC_SHOW_GENERAL), colors = ClientRectOf(dialog, IDC_SHOW_COLORS),
               controls = ClientRectOf(dialog, IDC_SHOW_CONTROLS), settings = ClientRectOf(dialog, IDC_SHOW_SETTINGS);
    EXPECT_EQ(general.left, before[6].left);
    EXPECT_EQ(colors.left - general.right, before[7].left - before[6].right);
    EXPECT_EQ(controls.left - colors.right, before[8].left - before[7].right);
    EXPECT_EQ(settings.left - controls.right, before[9].left - before[8].right);
    EXPECT_GT(colors.right - colors.left, before[7].right - before[7].left);
    const RECT grip = ClientRectOf(dialog, SizeGrip(dialog));
    EXPECT_EQ(grip.right, client.right + dx);
    EXPECT_EQ(grip.bottom, client.bottom + dy);

    // It cannot be made smaller than at the start.
    SetWindowPos(dialog, nullptr, 0, 0, width / 2, height / 2, SWP_NOMOVE | SWP_NOZORDER);
    RECT shrunk{};
    GetWindowRect(dialog, &shrunk);
    EXPECT_EQ(shrunk.right - shrunk.left, width);
    EXPECT_EQ(shrunk.bottom - shrunk.top, height);

    // With three columns shown, maximising hides the grip; the columns fill
    // the new width a moment later.
    SendMessageA(dialog, WM_COMMAND, IDC_SHOW_OPTIONS, 0);
    const HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
    auto columnsTotal = [&] {
      int total = 0;
      for (int c = 0; c < 3; ++c) total += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0));
      return total;
    };
    auto listWidth = [&] {
      RECT r{};
      GetWindowRect(list, &r);
      return static_cast<int>(r.right - r.left);
    };
    const int oldWidth = listWidth();
    EXPECT_NEAR(columnsTotal(), oldWidth - 20, 3);
    SendMessageA(dialog, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(dialog));
    EXPECT_FALSE(IsWindowVisible(SizeGrip(dialog)));
    EXPECT_GT(listWidth(), oldWidth);
    EXPECT_NEAR(columnsTotal(), oldWidth - 20, 3);  // refitted before the move
    PumpFor(400);
    EXPECT_NEAR(columnsTotal(), listWidth() - 20, 3);
    SendMessageA(dialog, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsWindowVisible(SizeGrip(dialog)));
  });
}

// The main dialog as a person sees it: its visibility and rectangle after
// every message that any window of this thread receives, kept when they change.
class Appearance {
 public:
  struct State {
    bool visible;
    RECT rect;
  };
  Appearance() : hook_(SetWindowsHookExA(WH_CALLWNDPROCRET, &Hook, nullptr, GetCurrentThreadId())) { self_ = this; }
  ~Appearance() {
    UnhookWindowsHookEx(hook_);
    self_ = nullptr;
  }
  // Every state from the first visible one on.
  std::vector<State> SinceFirstShown() {
    Look(dialog_);
    std::vector<State> shown = states_;
    while (!shown.empty() && !shown.front().visible) shown.erase(shown.begin());
    return shown;
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && self_) self_->Look(reinterpret_cast<const CWPRETSTRUCT*>(lParam)->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  void Look(HWND window) {
    if (!dialog_) {
      const HWND root = GetAncestor(window, GA_ROOT);
      char name[16] = "";
      GetClassNameA(root, name, sizeof name);
      if (std::string(name) != "#32770" || TextOf(root) != "Orlavix") return;
      dialog_ = root;
    }
    if (!IsWindow(dialog_)) return;
    State now{IsWindowVisible(dialog_) != FALSE, {}};
    GetWindowRect(dialog_, &now.rect);
    if (states_.empty() || now.visible != states_.back().visible || !EqualRect(&now.rect, &states_.back().rect)) {
      states_.push_back(now);
    }
  }
  static inline Appearance* self_ = nullptr;
  HHOOK hook_;
  HWND dialog_ = nullptr;
  std::vector<State> states_;
};

TEST_F(MainDialogTest, AppearsOnceAtItsChoosingSizeWithOnlyTheOptionsBuilt) {
  const HostFolder host = MakeHostFolder(temp / "Velquor", "Velquor.exe", {"Aqua", "Zen"}, "Zen");
  for (const std::string& commandLine : {std::string(), host.executable}) {
    SCOPED_TRACE(commandLine);
    Appearance appearance;
    Run(commandLine, [&](HWND dialog) {
      PumpFor(300);
      const std::vector<Appearance::State> shown = appearance.SinceFirstShown();
      ASSERT_EQ(shown.size(), 1u) << "the dialog changed after it was first shown";
      RECT client{}, choosing{0, 0, 420, 139};
      GetClientRect(dialog, &client);
      MapDialogRect(dialog, &choosing);
      EXPECT_EQ(client.right, choosing.right);
      EXPECT_EQ(client.bottom, choosing.bottom);

      // What the start-up leaves: choosing, the options built, the sections
      // empty, the list hidden and disabled.
      EditorDialog& editor = current->Editor();
      EXPECT_TRUE(editor.choosingSkin);
      EXPECT_EQ(editor.currentCategory, SettingCategory::Report);
      EXPECT_GT(editor.optionItems.Count(), 0);
      for (const SettingCatalogue* section :
           {&editor.generalItems, &editor.colorItems, &editor.controlItems, &editor.settingItems}) {
        EXPECT_TRUE(section->Empty());
      }
      EXPECT_FALSE(Visible(dialog, IDC_ITEM_LIST));
      EXPECT_FALSE(Enabled(dialog, IDC_ITEM_LIST));
    });
  }
}

// The selected skin being edited, with one change not yet saved.
void StartEditing(MainDialog& dialog, const std::string& skinIni) {
  Click(GetDlgItem(dialog.Window(), IDC_START_EDITING));
  EXPECT_EQ(dialog.Editor().skinIniPath, skinIni);
  dialog.Editor().modified = true;
}

TEST_F(MainDialogTest, ClosingWithChangesAsksAndEachAnswerDoesItsPart) {
  const HostFolder host = MakeHostFolder(temp / "Velquor", "Velquor.exe", {"Aqua"}, "Aqua");
  const std::string skinIni = host.SkinFolder("Aqua") + "\\skin.ini";
  const std::string original = test::ReadFileText(skinIni);

  // Cancel keeps the dialog and the change; No ends it without saving.
  bool openAfterCancel = false, modifiedAfterCancel = false;
  int defaultButton = 0;
  LONG_PTR boxExStyle = 0;
  watcher.Then([&](const ModalWatcher::Box& box) {
    for (int id : {IDYES, IDNO, IDCANCEL}) {
      const LONG_PTR style = GetWindowLongPtrA(GetDlgItem(box.window, id), GWL_STYLE);
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) defaultButton = id;
    }
    boxExStyle = GetWindowLongPtrA(box.window, GWL_EXSTYLE);
    test::PressButton(box.window, IDCANCEL);
  });
  watcher.Answer(IDNO);
  INT_PTR result = Run(host.executable, [&](HWND dialog) {
    StartEditing(*current, skinIni);
    Click(GetDlgItem(dialog, IDCANCEL));
    openAfterCancel = IsWindow(dialog) && IsWindowVisible(dialog);
    modifiedAfterCancel = current->Editor().modified;
    PostMessageA(dialog, WM_CLOSE, 0, 0);  // the caption's close box
    PumpFor(300);
    EXPECT_FALSE(IsWindowVisible(dialog));
  });
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(openAfterCancel);
  EXPECT_TRUE(modifiedAfterCancel);
  EXPECT_EQ(defaultButton, IDCANCEL);
  EXPECT_TRUE(boxExStyle & WS_EX_TOPMOST);
  ASSERT_EQ(watcher.Seen().size(), 2u);
  EXPECT_EQ(watcher.Seen()[0].caption, J("確認"));
  EXPECT_EQ(watcher.Seen()[0].text, J("変更されていますが、保存されていません。\n変更を保存しますか？"));
  EXPECT_EQ(test::ReadFileText(skinIni), original);

  // Yes with a file that another program holds: a warning, and the dialog
  // stays with its change. Once the file is free, Yes saves and ends.
  watcher.Answer(IDYES);
  watcher.Answer(IDOK);   // the warning
  watcher.Answer(IDYES);
  watcher.Answer(IDOK);   // the saved report
  bool openAfterFailure = false, modifiedAfterFailure = false;
  result = Run(host.executable, [&](HWND dialog) {
    StartEditing(*current, skinIni);
    const HANDLE held =
        CreateFileA(skinIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    Click(GetDlgItem(dialog, IDCANCEL));
    CloseHandle(held);
    openAfterFailure = IsWindow(dialog) && IsWindowVisible(dialog);
    modifiedAfterFailure = current->Editor().modified;
    Click(GetDlgItem(dialog, IDCANCEL));
    PumpFor(200);
  });
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(openAfterFailure);
  EXPECT_TRUE(modifiedAfterFailure);
  ASSERT_EQ(watcher.Seen().size(), 6u);
  EXPECT_EQ(watcher.Seen()[3].caption, J("報告"));
  EXPECT_EQ(watcher.Seen()[3].text.rfind(J("skin.ini を保存できませんでした。"), 0), 0u);
  EXPECT_EQ(watcher.Seen()[5].caption, J("報告"));
  EXPECT_EQ(watcher.Seen()[5].text, J("設定内容を保存しました。"));
  EXPECT_EQ(test::ReadFileText(skinIni + ".000"), original);
  EXPECT_NE(test::ReadFileText(skinIni), original);
  EXPECT_EQ(watcher.Unexpected(), 0);

  // Apply saves at once, without a question, and the dialog stays.
  watcher.Answer(IDOK);
  bool openAfterApply = false;
  Run(host.executable, [&](HWND dialog) {
    StartEditing(*current, skinIni);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    openAfterApply = IsWindowVisible(dialog) && !current->Editor().modified;
  });
  EXPECT_TRUE(openAfterApply);
  ASSERT_EQ(watcher.Seen().size(), 7u);
  EXPECT_EQ(watcher.Seen()[6].text, J("設定内容を保存しました。"));
  EXPECT_EQ(test::ReadFileText(skinIni + ".001"), test::ReadFileText(skinIni));
}

}  // namespace
}  // namespace orlavix::win32
