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
#include "support/mbtext.h"
#include "tests/window/host_folder.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {

// The main dialog's item list, read as a person reads it: texts as UTF-16,
// in the working code page.
inline HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_ITEM_LIST); }
inline int Rows(HWND dialog) { return ListView_GetItemCount(List(dialog)); }
inline int Selected(HWND dialog) { return ListView_GetNextItem(List(dialog), -1, LVNI_SELECTED); }

inline std::string Cell(HWND dialog, int row, int column) {
  wchar_t text[512] = L"";
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(List(dialog), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return Narrow(text).text;
}

inline std::string ColumnTitle(HWND dialog, int column) {
  wchar_t text[128] = L"";
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = 128;
  SendMessageW(ListView_GetHeader(List(dialog)), HDM_GETITEMW, static_cast<WPARAM>(column),
               reinterpret_cast<LPARAM>(&item));
  return Narrow(text).text;
}

// The row that shows `key`; -1 when none does.
inline int RowOf(HWND dialog, const std::string& key) {
  for (int row = 0; row < Rows(dialog); ++row) {
    if (Cell(dialog, row, 1) == key) return row;
  }
  return -1;
}

inline bool Ticked(HWND dialog, int row) {
  return (ListView_GetItemState(List(dialog), row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

// A click on a row: the row is selected and the list tells its dialog.
inline void ClickRow(HWND dialog, int row) {
  ListView_SetItemState(List(dialog), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  NMITEMACTIVATE click{};
  click.hdr = {List(dialog), IDC_ITEM_LIST, static_cast<UINT>(NM_CLICK)};
  click.iItem = row;
  SendMessageA(dialog, WM_NOTIFY, IDC_ITEM_LIST, reinterpret_cast<LPARAM>(&click));
}

inline void DoubleClickRow(HWND dialog, int row) {
  ClickRow(dialog, row);
  RECT r{};
  ListView_GetItemRect(List(dialog), row, &r, LVIR_LABEL);
  SendMessageA(List(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2));
}

// Runs `dialog` owned by `owner`: `walk` drives it once it is up, with
// `watcher` answering the boxes it opens, and it is ended afterwards if it is
// still open; still open after `guardMs`, it fails the test. Its end value.
inline INT_PTR RunMainDialog(MainDialog& dialog, HWND owner, test::ModalWatcher& watcher, UINT guardMs,
                             const std::function<void(HWND)>& walk) {
  test::TimerScript script;
  script.Guard(guardMs, [&] {
    ADD_FAILURE() << "the dialog was still open";
    if (IsWindow(dialog.Window())) EndDialog(dialog.Window(), 99);
  });
  script.At(200, [&] {
    const HWND window = dialog.Window();
    watcher.SetOwner(window);
    walk(window);
    if (IsWindow(window)) EndDialog(window, 2);
  });
  return dialog.DoModal(owner);
}

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
    const INT_PTR result = RunMainDialog(dialog, owner.Get(), watcher, kGuardMs, walk);
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

// The dialog on a host "Velquor" whose one skin, and its own, is a copy of
// the demo's Aqua that the test may change.
class AquaHostFixture : public MainDialogFixture {
 protected:
  void SetUp() override {
    MainDialogFixture::SetUp();
    host = test::MakeHostFolder(temp / "Velquor", "Velquor.exe", {"Aqua"}, "Aqua");
    test::CopyTree(test::FromUnixPath(ORLAVIX_DEMO_DIR) + "\\resources\\skins\\Aqua", host.SkinFolder("Aqua"));
    ini = host.SkinFolder("Aqua") + "\\skin.ini";
    original = test::ReadFileText(ini);
  }

  test::HostFolder host;
  std::string ini;       // Aqua's skin.ini
  std::string original;  // its bytes before the walk
};

}  // namespace orlavix::win32
