// Runs the real main dialog for a window test: the test's walk drives it
// from inside its modal loop, a watcher answers the boxes it opens.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/win32/main_dialog.h"
#include "editor/win32/main_dialog_resource.h"
#include "tests/window/host_folder.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {

class MainDialogFixture : public ::testing::Test {
 protected:
  static constexpr UINT kGuardMs = 30000;

  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }

  // Runs the dialog with a command line; `walk` drives it once it is up and
  // it is ended afterwards if it is still open. Returns its end value.
  INT_PTR Run(const std::string& commandLine, std::function<void(HWND)> walk) {
    MainDialog dialog(commandLine);
    current = &dialog;
    test::TimerScript script;
    script.Guard(kGuardMs, [&] {
      ADD_FAILURE() << "the dialog was still open";
      if (IsWindow(dialog.Window())) EndDialog(dialog.Window(), 99);
    });
    script.At(200, [&] {
      const HWND window = dialog.Window();
      watcher.SetOwner(window);
      walk(window);
      if (IsWindow(window)) EndDialog(window, 2);
    });
    const INT_PTR result = dialog.DoModal(owner.Get());
    current = nullptr;
    return result;
  }

  static std::vector<std::string> SkinListNames(HWND dialog) {
    std::vector<std::string> names;
    const auto count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char name[MAX_PATH] = "";
      SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
      names.push_back(name);
    }
    return names;
  }

  static std::string SelectedSkin(HWND dialog) {
    const auto selected = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0));
    if (selected < 0) return "(none)";
    char name[MAX_PATH] = "";
    SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(name));
    return name;
  }

  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
  static bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

  test::OwnerWindow owner{RECT{50, 50, 900, 700}, "Owner"};
  test::TempFolder temp;
  test::ModalWatcher watcher;
  MainDialog* current = nullptr;
};

}  // namespace orlavix::win32
