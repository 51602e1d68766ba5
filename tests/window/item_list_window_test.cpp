// The item list of the real main dialog on a copy of the demo host: editing
// mode, categories, sorting, keys and the preview; editing values through the
// value dialog; the row menu and the clipboard.
#include "editor/win32/main_dialog.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "editor/win32/main_dialog_resource.h"
#include "values/win32/value_input_resource.h"
#include "model/catalogues.h"
#include "platform/win32/wide_text.h"
#include "support/mbtext.h"
#include "tests/window/host_folder.h"
#include "tests/window/main_dialog_fixture.h"
#include "tests/window/picture_support.h"
#include "tests/window/window_test_support.h"

namespace orlavix::win32 {
namespace {

using test::Click;
using test::ClientSize;
using test::HostFolder;
using test::ModalWatcher;
using test::OwnerWindow;
using test::PixelAt;
using test::PumpFor;
using test::TextOf;
using test::TimerScript;

constexpr UINT kGuardMs = 60000;

int Columns(HWND dialog) { return Header_GetItemCount(ListView_GetHeader(List(dialog))); }

std::vector<std::string> Keys(HWND dialog) {
  std::vector<std::string> keys;
  for (int row = 0; row < Rows(dialog); ++row) keys.push_back(Cell(dialog, row, 1));
  return keys;
}


// A mouse click on a column header: the header tells the list, which tells the dialog.
void ClickColumn(HWND dialog, int column) {
  const HWND header = ListView_GetHeader(List(dialog));
  RECT r{};
  Header_GetItemRect(header, column, &r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
}

void Key(HWND dialog, UINT key) {
  SendMessageA(List(dialog), WM_KEYDOWN, key, 0);
  PumpFor(30);
}

// Types as a person does: each key goes down, then its character follows.
void Type(HWND dialog, const std::string& text) {
  for (const char c : text) {
    SendMessageW(List(dialog), WM_KEYDOWN, c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c, 1);
    SendMessageW(List(dialog), WM_CHAR, static_cast<WPARAM>(c), 1);
  }
}

void ShowCategory(HWND dialog, int button) { Click(GetDlgItem(dialog, button)); }

class ItemListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    host = test::MakeHostFolder(temp / "Velquor", "Velquor.exe", {"Aqua", "Zen"}, "Aqua");
    // The demo's skins, copied so that the tests may change them.
    const std::string demo = test::FromUnixPath(ORLAVIX_DEMO_DIR) + "\\resources\\skins";
    for (const char* skin : {"Aqua", "Zen"}) test::CopyTree(demo + "\\" + skin, host.SkinFolder(skin));
    aquaIni = host.SkinFolder("Aqua") + "\\skin.ini";
  }
  void TearDown() override { CoUninitialize(); }

  // Runs the dialog on the host; `walk` drives it once it is up.
  void Run(std::function<void(HWND)> walk) {
    MainDialog dialog("\"" + host.executable + "\"");
    current = &dialog;
    RunMainDialog(dialog, owner.Get(), watcher, kGuardMs, [&](HWND window) {
      watcher.Ignore(dialog.Preview().Window());
      walk(window);
    });
    current = nullptr;
  }
  HWND PreviewWindowOf() { return current->Preview().Window(); }

  OwnerWindow owner{RECT{20, 20, 1000, 800}, "Owner"};
  test::TempFolder temp;
  HostFolder host;
  std::string aquaIni;
  ModalWatcher watcher;
  MainDialog* current = nullptr;
};

TEST_F(ItemListWindowTest, EditingCategoriesSortingKeysAndThePreview) {
  Run([&](HWND dialog) {
    RECT choosing{};
    GetWindowRect(dialog, &choosing);
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_START_EDITING)), J("変更(&H)"));
    EXPECT_TRUE(IsWindowVisible(List(dialog)));
    EXPECT_TRUE(IsWindowEnabled(List(dialog)));
    EXPECT_EQ(GetFocus(), List(dialog));
    EXPECT_EQ(Selected(dialog), 0);
    const DWORD styles = ListView_GetExtendedListViewStyle(List(dialog));
    EXPECT_EQ(styles & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP),
              static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP));

    // Every category: its rows and three columns; the list starts on General.
    EXPECT_EQ(Rows(dialog), 8);
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "Author"), 2), J("青木 ひかり"));
    const struct {
      int button;
      int rows;
      const char* valueTitle;
    } categories[] = {{IDC_SHOW_OPTIONS, 9, "値"},    {IDC_SHOW_GENERAL, 8, "値"},
                      {IDC_SHOW_COLORS, 39, "色"},    {IDC_SHOW_CONTROLS, 118, "画像・設定値"},
                      {IDC_SHOW_SETTINGS, 1, "値"}};
    for (const auto& category : categories) {
      ShowCategory(dialog, category.button);
      EXPECT_EQ(Rows(dialog), category.rows) << category.button;
      EXPECT_EQ(Columns(dialog), 3);
      EXPECT_EQ(current->List().ColumnTitle(2), J(category.valueTitle));
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, category.button)));
    }
    EXPECT_EQ(Cell(dialog, 0, 2), "enable");
    EXPECT_TRUE(Ticked(dialog, 0));

    // Sorting General by key: ascending, descending, ascending; the selected
    // key stays selected wherever it goes.
    ShowCategory(dialog, IDC_SHOW_GENERAL);
    ClickRow(dialog, RowOf(dialog, "ButtonText"));
    ClickColumn(dialog, 1);
    std::vector<std::string> keys = Keys(dialog);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(Cell(dialog, Selected(dialog), 1), "ButtonText");
    ClickColumn(dialog, 1);
    keys = Keys(dialog);
    EXPECT_TRUE(std::is_sorted(keys.rbegin(), keys.rend()));
    EXPECT_EQ(Cell(dialog, Selected(dialog), 1), "ButtonText");
    ClickColumn(dialog, 1);
    keys = Keys(dialog);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(Keys(dialog).front(), "Author");

    // Colours: the preview shows the row an arrow is about to select.
    ShowCategory(dialog, IDC_SHOW_COLORS);
    const HWND preview = PreviewWindowOf();
    const int menuText = RowOf(dialog, "MenuText");
    ClickRow(dialog, menuText);
    PumpFor(100);
    ASSERT_TRUE(IsWindowVisible(preview));
    EXPECT_EQ(ClientSize(preview).cx, 100);
    EXPECT_EQ(ClientSize(preview).cy, 50);
    EXPECT_EQ(PixelAt(preview, 50, 25), RGB(0x1d, 0x2b, 0x3a));
    EXPECT_EQ(GetFocus(), List(dialog));
    Key(dialog, VK_DOWN);
    EXPECT_EQ(Selected(dialog), menuText + 1);
    EXPECT_EQ(PixelAt(preview, 99, 49), RGB(0x3a, 0x7b, 0xd5));  // MenuHighlight
    // An unticked colour shows nothing; down on the last row touches nothing.
    ShowWindow(preview, SW_HIDE);
    ClickRow(dialog, Rows(dialog) - 2);
    EXPECT_FALSE(IsWindowVisible(preview));
    Key(dialog, VK_DOWN);
    EXPECT_EQ(Selected(dialog), Rows(dialog) - 1);
    ListView_SetItemState(List(dialog), Rows(dialog) - 1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(preview));  // the box ticked: its colour appears
    ShowWindow(preview, SW_HIDE);
    Key(dialog, VK_DOWN);
    EXPECT_FALSE(IsWindowVisible(preview));

    // Images at their own size over the background option, whether ticked or not.
    current->Editor().optionItems.Find(option::PreviewBackground).ParseValue("#203040");
    ShowCategory(dialog, IDC_SHOW_CONTROLS);
    // The button's strip of five states: five frames of 72 x 24 with gaps of
    // 6, the ground between them, the states' names under them.
    ClickRow(dialog, RowOf(dialog, "ButtonSkin"));
    PumpFor(100);
    ASSERT_TRUE(IsWindowVisible(preview));
    EXPECT_EQ(ClientSize(preview).cx, 5 * 72 + 4 * 6);
    EXPECT_GT(ClientSize(preview).cy, 24 + 8);
    for (int gap = 1; gap < 5; ++gap) EXPECT_EQ(PixelAt(preview, gap * 78 - 3, 12), RGB(0x20, 0x30, 0x40)) << gap;
    // Saved over by a paint program: drawn again as soon as the dialog is
    // active again.
    const COLORREF red = RGB(0xFF, 0, 0);
    ASSERT_TRUE(test::WriteStripPng(host.SkinFolder("Aqua") + "\\controls\\button.png", 80, 20, {red, red, red, red, red}));
    SendMessageW(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(ClientSize(preview).cx, 5 * 80 + 4 * 6);
    PumpFor(50);
    EXPECT_EQ(PixelAt(preview, 4 * 86 + 40, 10), red);
    ASSERT_TRUE(test::WritePng(host.SkinFolder("Aqua") + "\\controls\\logo.png", 300, 40, RGB(0xFF, 0, 0)));
    const int logo = RowOf(dialog, "LogoSkin");
    ListView_SetItemState(List(dialog), logo, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    ClickRow(dialog, logo);
    PumpFor(100);
    EXPECT_EQ(ClientSize(preview).cx, 300);
    EXPECT_EQ(ClientSize(preview).cy, 40);
    EXPECT_EQ(PixelAt(preview, 0, 0), RGB(0x20, 0x30, 0x40));  // transparent
    EXPECT_EQ(PixelAt(preview, 150, 20), RGB(0xFF, 0, 0));
    // The file renamed away: the next paint hides the window.
    ASSERT_TRUE(MoveFileA((host.SkinFolder("Aqua") + "\\controls\\logo.png").c_str(),
                          (host.SkinFolder("Aqua") + "\\controls\\gone.png").c_str()));
    RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(50);
    EXPECT_FALSE(IsWindowVisible(preview));
    // A row without an image, and a report, hide it.
    ClickRow(dialog, RowOf(dialog, "TabCloseSkin"));
    PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(preview));
    ClickRow(dialog, RowOf(dialog, "MenuItemFontSize"));
    EXPECT_FALSE(IsWindowVisible(preview));

    // Back to choosing: the dialog shrinks, the list is disabled. The ticks
    // given above are changes: leaving asks, and No lets them go.
    watcher.Answer(IDNO);
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    RECT after{};
    GetWindowRect(dialog, &after);
    EXPECT_EQ(after.bottom - after.top, choosing.bottom - choosing.top);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_START_EDITING)), J("編集開始(&H)"));
    EXPECT_FALSE(IsWindowEnabled(List(dialog)));
    EXPECT_TRUE(current->Editor().colorItems.Empty());
  });
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].caption, J("確認"));
  EXPECT_EQ(watcher.Unexpected(), 0);
}

TEST_F(ItemListWindowTest, TypingTheStartOfAKeySelectsItsRow) {
  Run([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    ShowCategory(dialog, IDC_SHOW_CONTROLS);
    Type(dialog, "g");  // the list's own search would find a description "Glass ..."; no key begins so
    EXPECT_EQ(Selected(dialog), 0);
    Key(dialog, VK_END);  // from the far end; moving starts a new search
    Type(dialog, "tabc");
    EXPECT_EQ(Cell(dialog, Selected(dialog), 1), "TabCloseSkin");
    EXPECT_TRUE(ListView_IsItemVisible(List(dialog), Selected(dialog)));
    EXPECT_TRUE(IsWindowVisible(PreviewWindowOf()));  // its close.png
    Type(dialog, "q\b\b");  // "tabcq" finds nothing, "tab" the first Tab row
    EXPECT_EQ(Cell(dialog, Selected(dialog), 1), "TabSkin");
    Type(dialog, " ");
    EXPECT_FALSE(Ticked(dialog, Selected(dialog)));  // the space bar still ticks (here: unticks), once
  });
}

TEST_F(ItemListWindowTest, AMissingFileOfTheReportLeadsToTheSettingThatNamesIt) {
  std::string text = test::ReadFileText(aquaIni);  // the logo named in capitals
  test::WriteFileText(aquaIni, text.replace(text.find("=logo.png"), 9, "=Logo.PNG"));
  Run([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    SendMessageA(dialog, kCheckUnusedSkinFilesMessage, 0, 0);
    DoubleClickRow(dialog, 1);  // an unused file: nothing happens, or the next click would edit
    DoubleClickRow(dialog, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SHOW_CONTROLS)));
    EXPECT_EQ(Cell(dialog, Selected(dialog), 1), "LogoSkin");
    EXPECT_TRUE(ListView_IsItemVisible(List(dialog), Selected(dialog)));
  });
}

// The value dialog that the watcher found: its caption and what it shows.
struct ValueBox {
  std::string caption, description;
  bool browseShown = false;
  LONG editStyle = 0;
};

ValueBox Look(HWND box) {
  return {TextOf(box), TextOf(GetDlgItem(box, IDC_VALUE_DESCRIPTION)),
          IsWindowVisible(GetDlgItem(box, IDC_VALUE_BROWSE)) != FALSE,
          static_cast<LONG>(GetWindowLongPtrA(GetDlgItem(box, IDC_VALUE_EDIT), GWL_STYLE))};
}

// Sets the colour dialog's red, green and blue as typing would.
void TypeColour(HWND chooser, int red, int green, int blue) {
  const int ids[] = {706, 707, 708};
  const int values[] = {red, green, blue};
  for (int i = 0; i < 3; ++i) {
    const HWND edit = GetDlgItem(chooser, ids[i]);
    SetWindowTextA(edit, std::to_string(values[i]).c_str());
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(ids[i], EN_UPDATE), reinterpret_cast<LPARAM>(edit));
  }
}

TEST_F(ItemListWindowTest, EditingValuesThroughTheValueDialogAndApplying) {
  std::vector<ValueBox> boxes;
  // Each answer types into the box (or picks from its list) and presses a button.
  auto type = [&](const std::string& text, int button) {
    watcher.Then([&boxes, text, button](const ModalWatcher::Box& box) {
      boxes.push_back(Look(box.window));
      SetWindowTextA(GetDlgItem(box.window, IDC_VALUE_EDIT), text.c_str());
      test::PressButton(box.window, button);
    });
  };
  auto pick = [&](int index) {
    watcher.Then([&boxes, index](const ModalWatcher::Box& box) {
      boxes.push_back(Look(box.window));
      SendDlgItemMessageA(box.window, IDC_VALUE_CHOICE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      test::PressButton(box.window, IDOK);
    });
  };
  Run([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EditorDialog& editor = current->Editor();

    // The colour dialog option off, through the options' own row.
    ShowCategory(dialog, IDC_SHOW_OPTIONS);
    pick(1);  // "false"
    DoubleClickRow(dialog, RowOf(dialog, option::UseColorDialog));
    EXPECT_EQ(Cell(dialog, RowOf(dialog, option::UseColorDialog), 2), "false");

    // A colour typed with blanks around it.
    ShowCategory(dialog, IDC_SHOW_COLORS);
    const int row = RowOf(dialog, "TabUnreadText");
    EXPECT_FALSE(Ticked(dialog, row));
    type(" ff8000 ", IDOK);
    DoubleClickRow(dialog, row);
    EXPECT_EQ(Cell(dialog, row, 2), "#ff8000");
    EXPECT_TRUE(Ticked(dialog, row));
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.colorItems.Find("TabUnreadText").color, RGB(0xFF, 0x80, 0x00));
    EXPECT_EQ(Selected(dialog), row);

    // "適用(&A)" writes it, after a backup, asking nothing: Aqua's own lines
    // (its line 1, its comment and unknown key in [Colors]) are kept.
    watcher.Answer(IDOK);  // the saved report
    Click(GetDlgItem(dialog, IDOK));
    EXPECT_FALSE(editor.modified);
    const std::string saved = test::ReadFileText(aquaIni);
    EXPECT_NE(saved.find("TabUnreadText=#ff8000"), std::string::npos);
    EXPECT_EQ(saved.rfind("# Aqua: a demo skin for Orlavix\r\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("[Colors]\r\n# 文字は紺、ハイライトは空色でそろえる\r\n# メニューの文字色\r\nMenuText="),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("TabHoverText=#2a6fb0\r\n\r\n\r\n#==="), std::string::npos) << saved;
    EXPECT_NE(test::ReadFileText(aquaIni + ".000").find("MenuText=#1d2b3a"), std::string::npos);

    // Cancel changes nothing, and the row is selected again.
    type("#000000", IDCANCEL);
    DoubleClickRow(dialog, row);
    EXPECT_EQ(Cell(dialog, row, 2), "#ff8000");
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(Selected(dialog), row);

    // A number: digits only; a pasted "12px" is read as 12.
    ShowCategory(dialog, IDC_SHOW_GENERAL);
    type("12px", IDOK);
    ClickRow(dialog, RowOf(dialog, "ButtonWidth"));
    Click(GetDlgItem(dialog, IDC_EDIT_ITEM));
    EXPECT_TRUE(boxes.back().editStyle & ES_NUMBER);
    EXPECT_FALSE(boxes.back().browseShown);
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "ButtonWidth"), 2), "12");

    // A fill mode and a choice confirmed with nothing chosen give 0.
    ShowCategory(dialog, IDC_SHOW_CONTROLS);
    pick(-1);
    DoubleClickRow(dialog, RowOf(dialog, "InformationDockSkinType"));
    EXPECT_EQ(editor.controlItems.Find("InformationDockSkinType").fillMode, 0);
    // Control images get the browse button; a text elsewhere does not. The
    // image stays in view while its name is edited.
    bool previewWhileEditing = false;
    watcher.Then([&](const ModalWatcher::Box& box) {
      previewWhileEditing = IsWindowVisible(PreviewWindowOf()) != FALSE;
      boxes.push_back(Look(box.window));
      SetWindowTextA(GetDlgItem(box.window, IDC_VALUE_EDIT), "logo2.png");
      test::PressButton(box.window, IDOK);
    });
    DoubleClickRow(dialog, RowOf(dialog, "TabSkin"));
    EXPECT_TRUE(previewWhileEditing);
    EXPECT_TRUE(boxes.back().browseShown);
    EXPECT_EQ(Cell(dialog, RowOf(dialog, "TabSkin"), 2), "logo2.png");
    PumpFor(50);
    EXPECT_FALSE(IsWindowVisible(PreviewWindowOf()));  // no such file
    ShowCategory(dialog, IDC_SHOW_SETTINGS);
    pick(-1);
    DoubleClickRow(dialog, 0);
    EXPECT_EQ(editor.settingItems.At(0).choice, 0);
    ShowCategory(dialog, IDC_SHOW_GENERAL);
    type("", IDOK);
    DoubleClickRow(dialog, RowOf(dialog, "Author"));
    EXPECT_FALSE(boxes.back().browseShown);
    EXPECT_FALSE(Ticked(dialog, RowOf(dialog, "Author")));  // an empty text is not written

    // With the colour dialog on, only the colour dialog appears.
    editor.optionItems.Find(option::UseColorDialog).boolValue = true;
    ShowCategory(dialog, IDC_SHOW_COLORS);
    std::string chooserCaption;
    watcher.Then([&](const ModalWatcher::Box& box) {
      chooserCaption = box.caption;
      EXPECT_EQ(GetDlgItem(box.window, IDC_VALUE_DESCRIPTION), nullptr);
      TypeColour(box.window, 0x12, 0x34, 0x56);
      test::PressButton(box.window, IDOK);
    });
    DoubleClickRow(dialog, row);
    EXPECT_EQ(Cell(dialog, row, 2), "#123456");
    watcher.Answer(IDCANCEL);
    DoubleClickRow(dialog, row);
    EXPECT_EQ(Cell(dialog, row, 2), "#123456");

    // The options' commands open no value dialog: their message reaches the
    // dialog, which shows the skin's other sections here.
    ShowCategory(dialog, IDC_SHOW_OPTIONS);
    const size_t seen = boxes.size();
    ClickRow(dialog, RowOf(dialog, "ShowExtraData"));
    Click(GetDlgItem(dialog, IDC_EDIT_ITEM));
    EXPECT_EQ(boxes.size(), seen);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_EXTRA_TEXT)));

    // Leaving with the changes unsaved, and discarding them.
    watcher.Answer(IDNO);
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EXPECT_TRUE(editor.choosingSkin);
  });
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].caption, J("入力"));
  EXPECT_EQ(boxes[1].description, J("未読タブの文字色"));
  EXPECT_EQ(watcher.Unexpected(), 0);
  EXPECT_EQ(test::ReadFileText(aquaIni).find("#123456"), std::string::npos);
}

// The popup menu of this thread once it is up.
HWND MenuWindow() { return FindWindowA("#32768", nullptr); }

// Opens the row menu of the selected row and picks an entry by its mnemonic.
void ChooseFromRowMenu(HWND dialog, char mnemonic, std::vector<std::string>* texts = nullptr) {
  TimerScript script;
  script.At(200, [&] {
    const HWND menu = MenuWindow();
    if (texts) {
      const auto handle = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
      texts->clear();
      for (int i = 0; i < GetMenuItemCount(handle); ++i) {
        char text[64] = "";
        GetMenuStringA(handle, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts->push_back(text);
      }
    }
    PostMessageA(menu, WM_KEYDOWN, static_cast<WPARAM>(mnemonic), 0);
  });
  RECT r{};
  ListView_GetItemRect(List(dialog), Selected(dialog), &r, LVIR_LABEL);
  POINT at{r.left + 4, r.top + 4};
  ClientToScreen(List(dialog), &at);
  SendMessageA(List(dialog), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List(dialog)), MAKELPARAM(at.x, at.y));
}

std::string ClipboardAnsi() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<closed>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string ClipboardWideInAnsi() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<closed>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = win32::Narrow(static_cast<const wchar_t*>(GlobalLock(data))).text;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST_F(ItemListWindowTest, RowMenuTicksEditsAndCopiesInBothFormats) {
  Run([&](HWND dialog) {
    Click(GetDlgItem(dialog, IDC_START_EDITING));
    EditorDialog& editor = current->Editor();
    const int height = RowOf(dialog, "ButtonHeight");
    const int width = RowOf(dialog, "ButtonWidth");

    // 選択解除 on a ticked row clears the box and the catalogue's tick at once.
    ClickRow(dialog, width);
    std::vector<std::string> texts;
    ChooseFromRowMenu(dialog, 'U', &texts);
    EXPECT_EQ(texts, (std::vector<std::string>{J("編集(&E)"), J("選択解除(&U)"), "", J("コピー(&C)"),
                                               J("追加コピー(&A)"), "", J("元に戻す(&Z)\tCtrl+Z"),
                                               J("やり直し(&Y)\tCtrl+Y")}));
    EXPECT_FALSE(Ticked(dialog, width));
    EXPECT_FALSE(editor.generalItems.Find("ButtonWidth").checked);
    ChooseFromRowMenu(dialog, 'S', &texts);
    EXPECT_EQ(texts[1], J("選択(&S)"));
    EXPECT_TRUE(Ticked(dialog, width));

    // コピー, then 追加コピー of the next row: both lines in both formats.
    ChooseFromRowMenu(dialog, 'C');
    const std::string first = J("ツールバーボタンの幅") + "\tButtonWidth\t24\n";
    EXPECT_EQ(ClipboardAnsi(), first);
    EXPECT_EQ(ClipboardWideInAnsi(), first);
    ClickRow(dialog, height);
    ChooseFromRowMenu(dialog, 'A');
    const std::string both = first + J("ツールバーボタンの高さ") + "\tButtonHeight\t24\n";
    EXPECT_EQ(ClipboardAnsi(), both);
    EXPECT_EQ(ClipboardWideInAnsi(), both);

    // 編集 opens the value dialog for the row.
    watcher.Answer(IDCANCEL);
    ChooseFromRowMenu(dialog, 'E');
    EXPECT_EQ(watcher.Seen().size(), 1u);

    ListView_SetItemState(List(dialog), height, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    ShowCategory(dialog, IDC_SHOW_COLORS);
    EXPECT_FALSE(editor.generalItems.Find("ButtonHeight").checked);
  });
  EXPECT_EQ(watcher.Unexpected(), 0);
}

}  // namespace
}  // namespace orlavix::win32
