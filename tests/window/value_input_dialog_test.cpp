#include "values/win32/value_input_dialog.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "values/win32/value_input_resource.h"
#include "values/win32/color_chooser.h"
#include "support/mbtext.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::ModalWatcher;
using test::PressButton;
using test::OwnerWindow;
using test::TextOf;
using test::TimerScript;
using test::WindowSpy;

constexpr UINT kGuardMs = 15000;
constexpr int kEndedByGuard = 999;

// The colour dialog's red, green and blue boxes and its "add to custom
// colours" button.
enum ColorDialogControl : int { kColorRed = 706, kColorGreen = 707, kColorBlue = 708, kColorAdd = 712 };

SettingItem Item(SettingKind kind, std::string_view value, std::int32_t allowed = 0) {
  SettingItem item(kind, true, J("説明の文"), "Key", value);
  item.allowedChoices = allowed;
  return item;
}

// What the dialog shows, one word per visible control, e.g.
// "edit[old] caret 3-3 focused label[...]" or "list[true,false] sel 0 focused".
std::string Look(HWND dialog) {
  const HWND edit = GetDlgItem(dialog, IDC_VALUE_EDIT);
  const HWND list = GetDlgItem(dialog, IDC_VALUE_CHOICE);
  const HWND label = GetDlgItem(dialog, IDC_VALUE_LABEL);
  std::string out;
  if (IsWindowVisible(edit)) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    out += "edit[" + TextOf(edit) + "] caret " + std::to_string(start) + "-" + std::to_string(end);
    if (GetWindowLongA(edit, GWL_STYLE) & ES_NUMBER) out += " digits";
    if (GetFocus() == edit) out += " focused";
  }
  if (IsWindowVisible(list)) {
    out += "list[";
    const auto count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = "";
      SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      out += std::string(i ? "," : "") + text;
    }
    out += "] sel " + std::to_string(SendMessageA(list, CB_GETCURSEL, 0, 0));
    if (GetFocus() == list) out += " focused";
  }
  if (IsWindowVisible(label)) out += " label[" + TextOf(label) + "]";
  if (IsWindowVisible(GetDlgItem(dialog, IDC_VALUE_BROWSE))) out += " browse";
  return out;
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
    script.Guard(kGuardMs, [this] {
      while (HWND dialog = spy.CurrentDialog()) EndDialog(dialog, kEndedByGuard);
    });
  }

  // Runs the dialog; `act` sees the first dialog once it shows.
  INT_PTR Run(ValueInputDialog& dialog, std::function<void(HWND)> act) {
    ModalWatcher watcher(owner.Get());
    watcher.Then([act](const ModalWatcher::Box& box) { act(box.window); });
    const INT_PTR result = dialog.DoModal(owner.Get());
    shown = watcher.Seen().size();
    return result;
  }

  OwnerWindow owner{RECT{100, 100, 800, 600}, "Orlavix"};
  WindowSpy spy;
  TimerScript script;
  std::size_t shown = 0;  // dialogs the last run showed
};

TEST_F(ValueInputDialogTest, EachKindShowsItsControlAndConfirmsWhatIsLeftInIt) {
  struct Row {
    SettingItem item;
    std::string look;     // UTF-8
    const char* typed;    // put into the text box, or null
    int choose;           // selected in the list, or -1 to leave it
    std::string confirmed;
    bool ticked;
  };
  const Row rows[] = {
      {Item(SettingKind::Text, "old"), "edit[old] caret 3-3 focused label[テキスト]", " new ", -1, " new ", true},
      {Item(SettingKind::Text, "old"), "edit[old] caret 3-3 focused label[テキスト]", "", -1, "", false},
      {Item(SettingKind::ImageFile, "a.png"), "edit[a.png] caret 5-5 focused", "b.png", -1, "b.png", true},
      {Item(SettingKind::Color, "#0000FF"), "edit[#0000ff] caret 7-7 focused label[色]", " ff8000 ", -1, "#ff8000", true},
      // Letters cannot be typed; a pasted "12px" gets in and reads as 12.
      {Item(SettingKind::Number, "24"), "edit[24] caret 2-2 digits focused label[数値]", nullptr, -1, "12", true},
      {Item(SettingKind::Bool, "true"), "list[true,false] sel 0 focused", nullptr, 1, "false", true},
      {Item(SettingKind::FillMode, ""), "list[tile,stretch] sel -1 focused", nullptr, -1, "", true},
      {Item(SettingKind::FillMode, ""), "list[tile,stretch] sel -1 focused", nullptr, 1, "stretch", true},
      {Item(SettingKind::Choice, "center", 0x180), "list[left,right] sel -1 focused", nullptr, -1, "", true},
      {Item(SettingKind::Choice, "tile", 0x3), "list[stretch,tile] sel 1 focused", nullptr, 0, "stretch", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.look);
    ValueInputDialog dialog(row.item, false, "");
    dialog.useColorChooser = false;
    dialog.item.checked = !row.ticked;
    std::string caption, description, look, afterLetter;
    const INT_PTR result = Run(dialog, [&](HWND window) {
      caption = TextOf(window);
      description = TextOf(GetDlgItem(window, IDC_VALUE_DESCRIPTION));
      look = Look(window);
      const HWND edit = GetDlgItem(window, IDC_VALUE_EDIT);
      if (row.typed) SetWindowTextA(edit, row.typed);
      if (row.choose >= 0) SendDlgItemMessageA(window, IDC_VALUE_CHOICE, CB_SETCURSEL, row.choose, 0);
      if (row.item.kind == SettingKind::Number) {
        SendMessageA(edit, WM_CHAR, 'x', 0);
        afterLetter = TextOf(edit);
        SetWindowTextA(edit, "");
        PutOnClipboard(window, "12px");
        SendMessageA(edit, WM_PASTE, 0, 0);
      }
      Click(GetDlgItem(window, IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, J("入力"));
    EXPECT_EQ(description, J("説明の文"));
    EXPECT_EQ(look, J(row.look));
    if (row.item.kind == SettingKind::Number) EXPECT_EQ(afterLetter, "24");
    EXPECT_EQ(dialog.item.FormatValue(), row.confirmed);
    EXPECT_EQ(dialog.item.checked, row.ticked);
  }

  // Cancel, Escape and the close box leave the item alone.
  for (int way = 0; way < 3; ++way) {
    ValueInputDialog dialog(Item(SettingKind::Text, "kept"), false, "");
    const INT_PTR result = Run(dialog, [way](HWND window) {
      SetDlgItemTextA(window, IDC_VALUE_EDIT, "changed");
      if (way == 0) Click(GetDlgItem(window, IDCANCEL));
      if (way == 1) PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      if (way == 2) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(result, IDCANCEL) << way;
    EXPECT_EQ(dialog.item.text, "kept") << way;
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

// A character that code page 932 cannot hold would be saved as '?': OK names
// it and the dialog stays open until the text can be kept.
TEST_F(ValueInputDialogTest, TextThatCannotBeKeptIsRefusedWithTheCharactersNamed) {
  ValueInputDialog dialog(Item(SettingKind::Text, "old"), false, "");
  HWND valueDialog = nullptr;
  std::string refusal;
  const auto later = [&](int id) {
    PostMessageW(valueDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(valueDialog, id)));
  };
  ModalWatcher watcher(owner.Get());
  watcher.Then([&](const ModalWatcher::Box& box) {
    valueDialog = box.window;
    watcher.SetOwner(valueDialog);  // the refusal belongs to it
    SetWindowTextW(GetDlgItem(valueDialog, IDC_VALUE_EDIT), L"\u9752 \U0001F600\uD55C");  // 青, an emoji, Hangul
    later(IDOK);
  });
  watcher.Then([&](const ModalWatcher::Box& box) {
    refusal = box.caption + "|" + box.text;
    EXPECT_TRUE(IsWindow(valueDialog)) << "still open under its refusal";
    PressButton(box.window, IDOK);
    SetWindowTextW(GetDlgItem(valueDialog, IDC_VALUE_EDIT), L"\u9752 ok");
    later(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(owner.Get()), IDOK);
  EXPECT_NE(refusal.find(J("報告|この値には、skin.ini に保存できない文字があります。")), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("(U+1F600)"), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("(U+D55C)"), std::string::npos) << refusal;
  EXPECT_EQ(refusal.find("U+9752"), std::string::npos) << "a character 932 holds is not named";
  EXPECT_EQ(dialog.item.text, J("青 ok"));
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(ValueInputDialogTest, BrowseOpensInTheImageFolderAndPutsBackOnlyTheFileName) {
  ScratchFolder controls("orlavix-browse-controls");
  controls.Add("tab.png");
  ScratchFolder other("orlavix-browse-other");
  const std::string picked = other.Add("x.png");

  ValueInputDialog dialog(Item(SettingKind::ImageFile, "tab.png"), true, controls.Path());
  std::string look, folderShown, afterCancel;
  std::vector<std::string> filters;
  HWND valueDialog = nullptr;
  // Presses a button of the value dialog once the running action is over.
  const auto later = [&](int id) {
    PostMessageA(valueDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(valueDialog, id)));
  };
  ModalWatcher watcher(owner.Get());
  watcher.Then([&](const ModalWatcher::Box& box) {
    valueDialog = box.window;
    look = Look(valueDialog);
    watcher.SetOwner(valueDialog);  // the file dialogs belong to it
    later(IDC_VALUE_BROWSE);
  });
  // First the file dialog is cancelled, then a file elsewhere is picked.
  watcher.Then([&](const ModalWatcher::Box& files) {
    folderShown = test::FolderShown(files.window);
    const HWND types = GetDlgItem(files.window, cmb1);
    const auto count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[128] = "";
      SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      filters.push_back(text);
    }
    PressButton(files.window, IDCANCEL);
    later(IDC_VALUE_BROWSE);
  });
  watcher.Then([&](const ModalWatcher::Box& files) {
    afterCancel = TextOf(GetDlgItem(valueDialog, IDC_VALUE_EDIT));
    HWND name = GetDlgItem(files.window, cmb13);
    if (!name) name = GetDlgItem(files.window, edt1);
    SetWindowTextA(name, picked.c_str());
    PressButton(files.window, IDOK);
    later(IDOK);
  });
  const INT_PTR result = dialog.DoModal(owner.Get());
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(look, "edit[tab.png] caret 7-7 focused browse");
  EXPECT_TRUE(EqualsNoCase(folderShown, controls.Path())) << folderShown;
  EXPECT_EQ(filters, (std::vector<std::string>{J("画像(*.png;*.bmp;*.ico)"), J("すべてのファイル(*.*)")}));
  EXPECT_EQ(afterCancel, "tab.png");
  EXPECT_EQ(watcher.Unexpected(), 0);
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
  ASSERT_EQ(shown, 1u);  // never the value dialog itself
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
  EXPECT_EQ(shown, 1u);
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
