#include "editors/win32/value_input_dialog.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/resource.h"
#include "editors/win32/color_chooser.h"
#include "support/mbtext.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::OwnerWindow;
using test::TextOf;
using test::TimerScript;
using test::WindowSpy;

constexpr UINT kGuardMs = 15000;
constexpr int kEndedByGuard = 999;

// The colour dialog's red, green and blue boxes and its "add to custom
// colours" button.
constexpr int kColorRed = 706;
constexpr int kColorGreen = 707;
constexpr int kColorBlue = 708;
constexpr int kColorAdd = 712;

SettingItem Item(SettingKind kind, std::string_view value, std::int32_t allowed = 0) {
  SettingItem item(kind, true, J("説明の文"), "Key", value);
  item.allowedChoices = allowed;
  return item;
}

// What the dialog showed when it came up.
struct Seen {
  std::string caption, description, label, editText;
  bool editShown = false, listShown = false, labelShown = false, browseShown = false;
  bool digitsOnly = false, editFocused = false, listFocused = false;
  DWORD selStart = 0, selEnd = 0;
  std::vector<std::string> entries;
  int selection = -1;
};

Seen Look(HWND dialog) {
  Seen seen;
  const HWND edit = GetDlgItem(dialog, IDC_VALUE_EDIT);
  const HWND list = GetDlgItem(dialog, IDC_VALUE_CHOICE);
  const HWND label = GetDlgItem(dialog, IDC_VALUE_LABEL);
  seen.caption = TextOf(dialog);
  seen.description = TextOf(GetDlgItem(dialog, IDC_VALUE_DESCRIPTION));
  seen.label = TextOf(label);
  seen.editText = TextOf(edit);
  seen.editShown = IsWindowVisible(edit);
  seen.listShown = IsWindowVisible(list);
  seen.labelShown = IsWindowVisible(label);
  seen.browseShown = IsWindowVisible(GetDlgItem(dialog, IDC_VALUE_BROWSE));
  seen.digitsOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_NUMBER) != 0;
  seen.editFocused = GetFocus() == edit;
  seen.listFocused = GetFocus() == list;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selStart),
               reinterpret_cast<LPARAM>(&seen.selEnd));
  const auto count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    seen.entries.push_back(text);
  }
  seen.selection = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
  return seen;
}

void PutOnClipboard(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

class ValueInputDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    script.At(kGuardMs, [this] {
      while (HWND dialog = spy.CurrentDialog()) EndDialog(dialog, kEndedByGuard);
    });
  }

  // Runs the dialog; `act` sees the first dialog once it is up.
  INT_PTR Run(ValueInputDialog& dialog, std::function<void(HWND)> act) {
    script.At(300, [this, act] { act(spy.CurrentDialog()); });
    return dialog.DoModal(owner.Get());
  }

  OwnerWindow owner{RECT{100, 100, 800, 600}, "Orlavix"};
  WindowSpy spy;
  TimerScript script;
};

TEST_F(ValueInputDialogTest, TextLikeKindsShowATextBoxAndReadTheTypedText) {
  struct Row {
    SettingItem item;
    const char* label;  // UTF-8, "" for none
    std::string shown;
    bool digitsOnly;
    std::string typed;
    std::string confirmed;
    bool ticked;
  };
  const Row rows[] = {
      {Item(SettingKind::Text, "old"), "テキスト", "old", false, " new ", " new ", true},
      {Item(SettingKind::Text, "old"), "テキスト", "old", false, "", "", false},
      {Item(SettingKind::Color, "#0000FF"), "色", "#0000ff", false, " ff8000 ", "#ff8000", true},
      {Item(SettingKind::Color, "#0000FF"), "色", "#0000ff", false, "#ff800", "#000000", true},
      {Item(SettingKind::Number, "24"), "数値", "24", true, "", "", true},
      {Item(SettingKind::ImageFile, "tab.png"), "", "tab.png", false, "close.png", "close.png", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.item.FormatValue() + " -> [" + row.typed + "]");
    ValueInputDialog dialog(row.item, false, "");
    dialog.useColorChooser = false;
    Seen seen;
    std::string afterLetters;
    const INT_PTR result = Run(dialog, [&](HWND window) {
      seen = Look(window);
      const HWND edit = GetDlgItem(window, IDC_VALUE_EDIT);
      if (row.item.kind == SettingKind::Number) {
        // Letters cannot be typed; a pasted "12px" gets in and reads as 12.
        SendMessageA(edit, WM_CHAR, 'x', 0);
        afterLetters = TextOf(edit);
        SetWindowTextA(edit, "");
        PutOnClipboard(window, "12px");
        SendMessageA(edit, WM_PASTE, 0, 0);
      } else {
        SetWindowTextA(edit, row.typed.c_str());
      }
      Click(GetDlgItem(window, IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(seen.caption, J("入力"));
    EXPECT_EQ(seen.description, J("説明の文"));
    EXPECT_TRUE(seen.editShown);
    EXPECT_FALSE(seen.listShown);
    EXPECT_FALSE(seen.browseShown);
    EXPECT_EQ(seen.labelShown, *row.label != '\0');
    if (*row.label) EXPECT_EQ(seen.label, J(row.label));
    EXPECT_EQ(seen.editText, row.shown);
    EXPECT_EQ(seen.digitsOnly, row.digitsOnly);
    EXPECT_TRUE(seen.editFocused);
    EXPECT_EQ(seen.selStart, row.shown.size());  // caret at the end, nothing selected
    EXPECT_EQ(seen.selEnd, row.shown.size());
    if (row.item.kind == SettingKind::Number) {
      EXPECT_EQ(afterLetters, "24");
      EXPECT_EQ(dialog.item.number, 12);
    } else {
      EXPECT_EQ(dialog.item.FormatValue(), row.confirmed);
    }
    EXPECT_EQ(dialog.item.checked, row.ticked);
  }
}

TEST_F(ValueInputDialogTest, ListKindsOfferTheirWordsAndNoSelectionConfirmsAsNone) {
  struct Row {
    SettingItem item;
    std::vector<std::string> entries;
    int selected;  // at opening
    int choose;    // -1 leaves the list untouched
    std::string confirmed;
  };
  const Row rows[] = {
      {Item(SettingKind::Bool, "true"), {"true", "false"}, 0, 1, "false"},
      {Item(SettingKind::Bool, "false"), {"true", "false"}, 1, 0, "true"},
      {Item(SettingKind::FillMode, ""), {"tile", "stretch"}, -1, -1, ""},
      {Item(SettingKind::FillMode, ""), {"tile", "stretch"}, -1, 1, "stretch"},
      {Item(SettingKind::Choice, "center", 0x180), {"left", "right"}, -1, -1, ""},
      {Item(SettingKind::Choice, "tile", 0x3), {"stretch", "tile"}, 1, 0, "stretch"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.item.FormatValue() + " choosing " + std::to_string(row.choose));
    ValueInputDialog dialog(row.item, false, "");
    dialog.item.checked = false;
    Seen seen;
    const INT_PTR result = Run(dialog, [&](HWND window) {
      seen = Look(window);
      if (row.choose >= 0) {
        SendDlgItemMessageA(window, IDC_VALUE_CHOICE, CB_SETCURSEL, row.choose, 0);
      }
      Click(GetDlgItem(window, IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(seen.listShown);
    EXPECT_TRUE(seen.listFocused);
    EXPECT_FALSE(seen.editShown);
    EXPECT_FALSE(seen.labelShown);
    EXPECT_EQ(seen.entries, row.entries);
    EXPECT_EQ(seen.selection, row.selected);
    EXPECT_EQ(dialog.item.FormatValue(), row.confirmed);
    EXPECT_TRUE(dialog.item.checked);
  }
}

TEST_F(ValueInputDialogTest, CancelEscapeAndTheCloseBoxLeaveTheItemAlone) {
  const SettingItem before = Item(SettingKind::Text, "kept");
  for (int way = 0; way < 3; ++way) {
    ValueInputDialog dialog(before, false, "");
    const INT_PTR result = Run(dialog, [way](HWND window) {
      SetDlgItemTextA(window, IDC_VALUE_EDIT, "changed");
      if (way == 0) Click(GetDlgItem(window, IDCANCEL));
      if (way == 1) PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      if (way == 2) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(result, IDCANCEL) << way;
    EXPECT_EQ(dialog.item.text, "kept") << way;
    EXPECT_TRUE(dialog.item.checked) << way;
  }
}

// A folder under the temporary folder, removed with its files afterwards.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + name;
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(path_.c_str());
  }
  std::string Add(const char* name) {
    const std::string file = path_ + "\\" + name;
    const HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    files_.push_back(file);
    return file;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

TEST_F(ValueInputDialogTest, BrowseOpensInTheImageFolderAndPutsBackOnlyTheFileName) {
  ScratchFolder controls("orlavix-browse-controls");
  controls.Add("tab.png");
  ScratchFolder other("orlavix-browse-other");
  const std::string picked = other.Add("x.png");

  ValueInputDialog dialog(Item(SettingKind::ImageFile, "tab.png"), true, controls.Path());
  Seen seen;
  std::string folderShown, afterCancel, afterPick;
  std::vector<std::string> filters;
  bool focusBack = false;
  const INT_PTR result = Run(dialog, [&](HWND window) {
    seen = Look(window);
    const HWND valueDialog = window;
    // First the file dialog is cancelled, then a file elsewhere is picked.
    script.At(400, [&, valueDialog] {
      const HWND files = spy.CurrentDialog();
      char folder[MAX_PATH] = "";
      SendMessageA(files, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
      folderShown = folder;
      const HWND types = GetDlgItem(files, cmb1);
      const auto count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        char text[128] = "";
        SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        filters.push_back(text);
      }
      Click(GetDlgItem(files, IDCANCEL));
      script.At(300, [&, valueDialog] {
        afterCancel = TextOf(GetDlgItem(valueDialog, IDC_VALUE_EDIT));
        script.At(400, [&, valueDialog] {
          const HWND files = spy.CurrentDialog();
          HWND name = GetDlgItem(files, cmb13);
          if (!name) name = GetDlgItem(files, edt1);
          SetWindowTextA(name, picked.c_str());
          Click(GetDlgItem(files, IDOK));
          script.At(300, [&, valueDialog] {
            afterPick = TextOf(GetDlgItem(valueDialog, IDC_VALUE_EDIT));
            focusBack = GetFocus() == GetDlgItem(valueDialog, IDC_VALUE_EDIT);
            Click(GetDlgItem(valueDialog, IDOK));
          });
        });
        Click(GetDlgItem(valueDialog, IDC_VALUE_BROWSE));
      });
    });
    Click(GetDlgItem(window, IDC_VALUE_BROWSE));
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(seen.browseShown);
  EXPECT_FALSE(seen.labelShown);
  EXPECT_TRUE(EqualsNoCase(folderShown, controls.Path())) << folderShown;
  EXPECT_EQ(filters, (std::vector<std::string>{J("画像(*.png;*.bmp;*.ico)"), J("すべてのファイル(*.*)")}));
  EXPECT_EQ(afterCancel, "tab.png");
  EXPECT_EQ(afterPick, "x.png");
  EXPECT_TRUE(focusBack);
  EXPECT_EQ(dialog.item.text, "x.png");
  EXPECT_TRUE(dialog.item.checked);
}

// Sets the colour dialog's red, green and blue as typing would.
void TypeColour(HWND chooser, int red, int green, int blue) {
  const int ids[] = {kColorRed, kColorGreen, kColorBlue};
  const int values[] = {red, green, blue};
  for (int i = 0; i < 3; ++i) {
    const HWND edit = GetDlgItem(chooser, ids[i]);
    SetWindowTextA(edit, std::to_string(values[i]).c_str());
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(ids[i], EN_UPDATE), reinterpret_cast<LPARAM>(edit));
  }
}

TEST_F(ValueInputDialogTest, WithTheColourChooserOnlyTheColourDialogAppears) {
  ValueInputDialog chosen(Item(SettingKind::Color, "#0000ff"), false, "");
  chosen.item.checked = false;
  std::string redShown, blueShown;
  bool expanded = false;
  INT_PTR result = Run(chosen, [&](HWND chooser) {
    redShown = TextOf(GetDlgItem(chooser, kColorRed));
    blueShown = TextOf(GetDlgItem(chooser, kColorBlue));
    expanded = IsWindowVisible(GetDlgItem(chooser, kColorAdd));
    TypeColour(chooser, 0x12, 0x34, 0x56);
    Click(GetDlgItem(chooser, kColorAdd));  // keeps it as a custom colour
    Click(GetDlgItem(chooser, IDOK));
  });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(spy.Dialogs().size(), 1u);  // never the value dialog itself
  EXPECT_EQ(redShown, "0");  // opened on the item's colour, fully expanded
  EXPECT_EQ(blueShown, "255");
  EXPECT_TRUE(expanded);
  EXPECT_EQ(chosen.item.FormatValue(), "#123456");
  EXPECT_TRUE(chosen.item.checked);
  EXPECT_EQ(ColorChooser::CustomColors()[0], RGB(0x12, 0x34, 0x56));
  for (int i = 1; i < 16; ++i) EXPECT_EQ(ColorChooser::CustomColors()[i], RGB(0xFF, 0xFF, 0xFF));

  // The next edit: cancelled, nothing changes; the custom colour stays.
  ValueInputDialog cancelled(Item(SettingKind::Color, "#ff8000"), false, "");
  result = Run(cancelled, [&](HWND chooser) {
    TypeColour(chooser, 1, 2, 3);
    Click(GetDlgItem(chooser, IDCANCEL));
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(spy.Dialogs().size(), 2u);
  EXPECT_EQ(cancelled.item.FormatValue(), "#ff8000");
  EXPECT_EQ(ColorChooser::CustomColors()[0], RGB(0x12, 0x34, 0x56));

  // Black is the dialog's own start: no CC_RGBINIT for it.
  EXPECT_EQ(ColorChooser(0, CC_FULLOPEN, nullptr).Record().Flags, DWORD{CC_FULLOPEN});
  EXPECT_EQ(ColorChooser(RGB(1, 0, 0), CC_FULLOPEN, nullptr).Record().Flags,
            DWORD{CC_FULLOPEN | CC_RGBINIT});
  EXPECT_EQ(ColorChooser(0, 0, nullptr).Record().lpCustColors, ColorChooser::CustomColors().data());
}

}  // namespace
}  // namespace orlavix::win32
