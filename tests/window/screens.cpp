// Shows one window the way a person sees it, for tools/screenshots.sh:
//   orlavix_screens about               the version dialog (closes itself after 8 s)
//   orlavix_screens box                 a counting report box over an owner (10 s)
//   orlavix_screens value-text          the value dialog for a text (8 s)
//   orlavix_screens value-number        ... for a number
//   orlavix_screens value-choice        ... for a choice from a list
//   orlavix_screens value-image         ... for an image file, with the browse button
//   orlavix_screens value-colour        the colour chooser that stands in for it (8 s)
//   orlavix_screens value-refused       the value dialog refusing characters 932 cannot hold (9 s)
//   orlavix_screens preview-image DIR [NAME [KEY]]  the preview of DIR\NAME (button.png)
//                                       over a grey ground, with the states of the
//                                       setting KEY if given (8 s)
//   orlavix_screens preview-colour      the preview of a colour (8 s)
//   orlavix_screens preview-properties  the preview of a colour and its properties box (8 s)
//   orlavix_screens main PATH           the main dialog on the host at PATH (12 s)
//   orlavix_screens main-large PATH     the same, made larger
//   orlavix_screens main-max PATH       the same, maximised
//   orlavix_screens edit-colors PATH    editing the host's preselected skin: Colors, a colour previewed
//   orlavix_screens edit-image PATH     ... Controls, an image previewed
//   orlavix_screens edit-states PATH    ... Controls, the button's image of states previewed
//   orlavix_screens edit-value-text PATH    ... the value dialog of a text row
//   orlavix_screens edit-value-number PATH  ... of a number row
//   orlavix_screens edit-value-choice PATH  ... of a choice row
//   orlavix_screens edit-value-image PATH   ... of a control image row, with the browse button
//   orlavix_screens edit-value-colour PATH  ... the colour chooser of a colour row
//   orlavix_screens edit-options PATH   ... the "&OPT" list, the option that keeps the author's lines selected
//   orlavix_screens edit-save-question PATH ... that option off, 適用 pressed: the question before the save
//   orlavix_screens edit-merge-question PATH ... MenuText changed here and in the file: 適用 asks
//   orlavix_screens edit-merge-report PATH  ... MenuHighlight changed in the file: 適用 reports it taken
//   orlavix_screens main-report PATH    editing the skin Aqua: the unused/missing image report
//   orlavix_screens main-extra PATH     editing the skin Aqua: the other sections' text
//   orlavix_screens main-backups PATH   editing the skin Aqua with two backups: their list
//   orlavix_screens main-backup-question PATH  ... the question before the older one comes back
//   orlavix_screens main-row-menu PATH  editing the skin Aqua after an edit: the row menu
//   orlavix_screens notepad FILE        the text file in Notepad (closed after 8 s)
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstring>
#include <string>

#include "editor/win32/main_dialog_resource.h"
#include "values/win32/value_input_resource.h"
#include "editor/win32/main_dialog.h"
#include "model/catalogues.h"
#include "model/image_states.h"
#include "values/win32/preview_window.h"
#include "values/win32/value_input_dialog.h"
#include "model/setting_item.h"
#include "support/mbtext.h"
#include "boxes/win32/about_dialog.h"
#include "boxes/win32/timed_message_box.h"
#include "tests/window/host_folder.h"
#include "tests/window/window_test_support.h"

namespace {

using namespace orlavix;

// Runs the message loop for `ms` milliseconds.
void Linger(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
}

SettingItem ScreenItem(const std::string& what) {
  if (what == "value-number") {
    return SettingItem(SettingKind::Number, true, J("メニュー項目のフォントサイズ"),
                       "MenuItemFontSize", "9");
  }
  if (what == "value-choice") {
    SettingItem item(SettingKind::Choice, true, J("アクティブなタブの文字を太字にする"),
                     "ActiveTabBold", "enable");
    item.allowedChoices = choice::Enable | choice::Disable;
    return item;
  }
  if (what == "value-colour") {
    return SettingItem(SettingKind::Color, true, J("メニューの強調色"), "MenuHighlight", "#3a7bd5");
  }
  if (what == "value-image") {
    return SettingItem(SettingKind::ImageFile, true, J("タブの画像"), "TabSkin", "tab.png");
  }
  return SettingItem(SettingKind::Text, true, J("スキンの説明"), "Description",
                     J("水色のさわやかなスキン"));
}

// Editing mode on the dialog's preselected skin, with one row of a category
// selected as a click selects it.
void ShowRow(win32::MainDialog& dialog, SettingCategory category, const std::string& key) {
  SendMessageA(dialog.Window(), WM_COMMAND, IDC_START_EDITING, 0);
  EditorDialog& editor = dialog.Editor();
  editor.ShowCategory(category);
  const HWND list = dialog.List().Window();
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    if (dialog.List().ItemText(row, 1) != key) continue;
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
  }
  editor.RefreshPreview();
}

void ShowEditing(win32::MainDialog& dialog, const std::string& what) {
  if (what == "edit-colors") ShowRow(dialog, SettingCategory::Colors, "MenuHighlight");
  if (what == "edit-image") ShowRow(dialog, SettingCategory::Controls, "TabSkin");
  if (what == "edit-states") ShowRow(dialog, SettingCategory::Controls, "ButtonSkin");
  if (what == "edit-options") ShowRow(dialog, SettingCategory::Options, option::KeepUnknownLines);
  if (what == "edit-save-question") {
    ShowRow(dialog, SettingCategory::General, "Author");
    dialog.Editor().optionItems.Find(option::KeepUnknownLines).boolValue = false;
  }
  if (what.rfind("edit-merge-", 0) == 0) {
    ShowRow(dialog, SettingCategory::Colors, "MenuText");
    // Edited here; then another program changes the file.
    EditorDialog& editor = dialog.Editor();
    editor.colorItems.SetFromText("MenuText", "#12ab34", true);
    editor.modified = true;
    editor.RefreshPreview();
    std::string text = test::ReadFileText(editor.skinIniPath);
    const std::string from = what == "edit-merge-question" ? "MenuText=#1d2b3a" : "MenuHighlight=#3a7bd5";
    const std::string to = what == "edit-merge-question" ? "MenuText=#999999" : "MenuHighlight=#abcdef";
    if (const std::size_t at = text.find(from); at != std::string::npos) text.replace(at, from.size(), to);
    test::WriteFileText(editor.skinIniPath, text);
  }
  if (what.rfind("edit-value-", 0) != 0) return;
  if (what == "edit-value-text") ShowRow(dialog, SettingCategory::General, "Description");
  if (what == "edit-value-number") ShowRow(dialog, SettingCategory::General, "ButtonWidth");
  if (what == "edit-value-choice") ShowRow(dialog, SettingCategory::Settings, "ActiveTabBold");
  if (what == "edit-value-image") ShowRow(dialog, SettingCategory::Controls, "TabSkin");
  if (what == "edit-value-colour") ShowRow(dialog, SettingCategory::Colors, "MenuHighlight");
}

// Two backups beside the skin.ini of Aqua, as two saves leave them: the older
// by a day with another author and colour, the newer as the file is now.
void MakeBackups(win32::MainDialog& dialog) {
  const std::string ini = dialog.Editor().skinIniPath;
  const std::string older = ini + ".000";
  const HANDLE file = CreateFileA(older.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text =
      "[General]\r\nAuthor=Old Author\r\nVersion=0.9\r\n[Colors]\r\nMenuText=#336699\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER yesterday{};
  yesterday.LowPart = now.dwLowDateTime;
  yesterday.HighPart = now.dwHighDateTime;
  yesterday.QuadPart -= 24ULL * 3600 * 10000000;
  const FILETIME then{yesterday.LowPart, yesterday.HighPart};
  SetFileTime(file, nullptr, nullptr, &then);
  CloseHandle(file);
  CopyFileA(ini.c_str(), (ini + ".001").c_str(), FALSE);
}

// The row menu of the selected row, opened where a right click on it opens it.
void OpenRowMenu(win32::MainDialog& dialog) {
  const HWND list = dialog.List().Window();
  const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  RECT r{};
  ListView_GetItemRect(list, row, &r, LVIR_LABEL);
  POINT at{r.left + 40, (r.top + r.bottom) / 2};
  ClientToScreen(list, &at);
  SetCursorPos(at.x, at.y);
  SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(at.x, at.y));
}

// Notepad on a file, asked to close after `ms`.
int ShowInNotepad(const std::string& file, DWORD ms) {
  std::string command = "notepad.exe \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return 1;
  }
  Sleep(ms);
  EnumThreadWindows(
      process.dwThreadId, [](HWND window, LPARAM) { return PostMessageA(window, WM_CLOSE, 0, 0); }, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  test::InitWindowTests();
  const std::string what = argc > 1 ? argv[1] : "about";
  if (what == "notepad") return ShowInNotepad(argc > 2 ? argv[2] : "", 8000);
  if (what.rfind("main", 0) == 0 || what.rfind("edit-", 0) == 0) {
    CoInitialize(nullptr);
    win32::MainDialog dialog(argc > 2 ? argv[2] : "");
    test::TimerScript script;
    test::WindowSpy spy;
    // Once the dialog has been activated on the virtual desktop: activated
    // later, Wine may raise it over the preview it owns.
    script.At(3000, [&] { ShowEditing(dialog, what); });
    // The value dialog, or the question before a save, once the main dialog
    // has painted its rows.
    if (what.rfind("edit-value-", 0) == 0) {
      script.At(4500, [&] { SendMessageA(dialog.Window(), WM_COMMAND, IDC_EDIT_ITEM, 0); });
    }
    if (what == "edit-save-question" || what.rfind("edit-merge-", 0) == 0) {
      script.At(4500, [&] { SendMessageA(dialog.Window(), WM_COMMAND, IDOK, 0); });
    }
    // Past the question about Aqua's line 1, to the report.
    if (what == "edit-merge-report") {
      for (UINT ms = 5000; ms < 11000; ms += 250) {
        script.At(ms, [&] {
          const HWND box = spy.CurrentDialog();
          if (box && box != dialog.Window() && GetDlgItem(box, IDYES)) test::PressButton(box, IDYES);
        });
      }
    }
    script.At(11500, [&] {
      const HWND box = spy.CurrentDialog();
      if (box && box != dialog.Window() && box != dialog.Preview().Window()) EndDialog(box, IDCANCEL);
    });
    // Once the virtual desktop has settled, so that maximising knows its size.
    script.At(1500, [&] {
      if (what == "main-large") {
        RECT r{};
        GetWindowRect(dialog.Window(), &r);
        SetWindowPos(dialog.Window(), nullptr, r.left - 150, r.top - 120, r.right - r.left + 300,
                     r.bottom - r.top + 240, SWP_NOZORDER);
      } else if (what == "main-max") {
        SendMessageA(dialog.Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      } else if (what == "main-report" || what == "main-extra") {
        const HWND window = dialog.Window();
        SendDlgItemMessageA(window, IDC_SKIN_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>("Aqua"));
        SendMessageA(window, WM_COMMAND, IDC_START_EDITING, 0);
        SendMessageA(window, what == "main-report" ? kCheckUnusedSkinFilesMessage : kShowExtraDataMessage, 0, 0);
      }
    });
    if (what == "main-backups" || what == "main-backup-question" || what == "main-row-menu") {
      script.At(1500, [&] {
        const HWND window = dialog.Window();
        SendDlgItemMessageA(window, IDC_SKIN_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>("Aqua"));
        SendMessageA(window, WM_COMMAND, IDC_START_EDITING, 0);
        if (what == "main-row-menu") {
          // An edit to take back: the Author row, edited as the value dialog would.
          EditorDialog& editor = dialog.Editor();
          const CatalogueValues before = editor.BeginStep();
          editor.generalItems.Find("Author").ParseValue("New Author");
          editor.EndStep(before);
          editor.ShowCategory(SettingCategory::General);
          return;
        }
        MakeBackups(dialog);
        SendMessageA(window, kRestoreBackupMessage, 0, 0);
      });
      if (what == "main-backup-question") {
        script.At(4000, [&] {
          const HWND list = dialog.List().Window();
          const int older = ListView_GetItemCount(list) - 1;
          ListView_SetItemState(list, older, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
          dialog.Editor().ActivateRow(older);
        });
      }
      if (what == "main-row-menu") script.At(4000, [&] { OpenRowMenu(dialog); });
      script.At(11000, [&] { EndMenu(); });
    }
    script.At(12000, [&] { EndDialog(dialog.Window(), 2); });
    dialog.DoModal(nullptr);
    CoUninitialize();
    return 0;
  }
  test::OwnerWindow owner(RECT{200, 120, 1000, 620}, "Orlavix");
  if (what == "box") {
    const std::string text = J("スキンを保存しました。");
    win32::TimedMessageBox(owner.Get(), text.c_str(), J("報告").c_str(), MB_ICONINFORMATION, 10);
    return 0;
  }
  if (what.rfind("preview-", 0) == 0) {
    win32::PreviewWindow preview;
    if (!preview.Create(owner.Get())) return 1;
    if (what == "preview-image") {
      preview.background = RGB(0x50, 0x50, 0x50);
      preview.SetImageFolder(argc > 2 ? argv[2] : ".");
      if (argc > 4) {
        SettingCatalogue controls;
        BuildCatalogue(SettingCategory::Controls, controls);
        preview.SetImageStates(ImageStates(controls.FindCopy(argv[4]).description));
      }
      preview.SetImageName(argc > 3 ? argv[3] : "button.png");
    } else {
      preview.SetColorText("#3a7bd5");
    }
    RedrawWindow(preview.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    preview.ShowPreviewWindow(0);
    if (what == "preview-properties") {
      test::WindowSpy spy;
      test::TimerScript script;
      script.At(8000, [&] {
        if (HWND box = spy.CurrentDialog()) EndDialog(box, IDOK);
      });
      Linger(500);
      SendMessageA(preview.Window(), WM_SYSCOMMAND, 0xE140, 0);
      return 0;
    }
    Linger(8000);
    return 0;
  }
  test::WindowSpy spy;
  test::TimerScript script;
  script.At(8000, [&] {
    if (HWND dialog = spy.CurrentDialog()) EndDialog(dialog, IDCANCEL);
  });
  if (what == "value-refused") {
    script.At(1500, [&] {
      const HWND dialog = spy.CurrentDialog();
      SetWindowTextW(GetDlgItem(dialog, IDC_VALUE_EDIT), L"\u9752\u6728 \U0001F600 \uD55C\uAE00");
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    script.At(8500, [&] {
      if (HWND dialog = spy.CurrentDialog()) EndDialog(dialog, IDCANCEL);
    });
  }
  if (what.rfind("value-", 0) == 0) {
    win32::ValueInputDialog dialog(ScreenItem(what), what == "value-image", ".");
    dialog.useColorChooser = what == "value-colour";
    dialog.DoModal(owner.Get());
    return 0;
  }
  win32::AboutDialog().DoModal(owner.Get());
  return 0;
}
