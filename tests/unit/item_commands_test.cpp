// The commands on one row: editing, the row menu, copying.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "tests/unit/editor_fakes.h"

namespace orlavix {
namespace {

class ItemCommandsTest : public ::testing::Test {
 protected:
  ItemCommandsTest() : dialog(list, controls, messages) {
    dialog.AttachItemTools({&preview, &editor, &clipboard, &menu});
    // Editing a skin with no file: every catalogue holds its defaults.
    dialog.choosingSkin = false;
    dialog.skinFolder = "skins/Aqua/";
    dialog.skinIniPath = "skins/Aqua/skin.ini";
    for (SettingCategory c : {SettingCategory::Options, SettingCategory::General}) dialog.ShowCategory(c);
  }
  void Select(SettingCategory category, const std::string& key) {
    dialog.ShowCategory(category);
    for (int row = 0; row < list.GetItemCount(); ++row) {
      if (list.rows[row].text[1] == key) list.selected = row;
    }
  }

  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  FakePreview preview;
  FakeValueEditor editor;
  FakeClipboard clipboard;
  FakeRowMenu menu;
  EditorDialog dialog;
};

TEST_F(ItemCommandsTest, AnAcceptedEditReachesRowCatalogueAndPreview) {
  Select(SettingCategory::Colors, "MenuText");
  const int row = list.selected;
  preview.calls.clear();  // showing the category hid it
  editor.edit = [](SettingItem& item) {
    item.ParseValue("#ff8000");
    item.checked = true;
  };
  dialog.EditSelectedItem();

  ASSERT_EQ(editor.requests.size(), 1u);
  const EditRequest& request = editor.requests[0];
  EXPECT_EQ(request.item.key, "MenuText");
  EXPECT_EQ(request.item.kind, SettingKind::Color);
  EXPECT_FALSE(request.showBrowse);
  EXPECT_EQ(request.imageFolder, "skins/Aqua/controls");
  EXPECT_TRUE(request.useColorChooser);

  EXPECT_TRUE(dialog.modified);
  EXPECT_EQ(list.rows[row].text[2], "#ff8000");
  EXPECT_TRUE(list.Ticked(row));
  EXPECT_EQ(dialog.colorItems.At(row).color, 0x0080FFu);
  EXPECT_TRUE(dialog.colorItems.At(row).checked);
  EXPECT_EQ(list.selected, row);
  EXPECT_EQ(preview.calls, (std::vector<std::string>{"hide", "color #ff8000", "show"}));

  // Cancelled: nothing changes but the selection comes back.
  dialog.modified = false;
  editor.answer = EditAnswer::Cancel;
  editor.edit = [](SettingItem& item) { item.ParseValue("#000000"); };
  dialog.EditSelectedItem();
  EXPECT_FALSE(dialog.modified);
  EXPECT_EQ(list.rows[row].text[2], "#ff8000");
  EXPECT_EQ(dialog.colorItems.At(row).color, 0x0080FFu);
  EXPECT_EQ(list.selected, row);
}

TEST_F(ItemCommandsTest, WhatEachRowKindOpens) {
  dialog.optionItems.Find(option::UseColorDialog).boolValue = false;
  editor.answer = EditAnswer::Cancel;
  struct Case {
    SettingCategory category;
    const char* key;
    bool opensEditor;
    bool showBrowse;
    std::int32_t sent;  // message sent to the dialog, or 0
  };
  const Case cases[] = {
      {SettingCategory::Controls, "TabSkin", true, true, 0},
      {SettingCategory::General, "Author", true, false, 0},
      {SettingCategory::General, "ButtonWidth", true, false, 0},
      {SettingCategory::Settings, "ActiveTabBold", true, false, 0},
      {SettingCategory::Options, "RunWithThisSkin", false, false, kRunWithThisSkinMessage},
      {SettingCategory::Options, "CheckUnusedSkinFiles", false, false, kCheckUnusedSkinFilesMessage},
      {SettingCategory::Options, "ShowExtraData", false, false, kShowExtraDataMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Select(c.category, c.key);
    editor.requests.clear();
    controls.sent.clear();
    dialog.EditSelectedItem();
    ASSERT_EQ(editor.requests.size(), c.opensEditor ? 1u : 0u);
    if (c.opensEditor) {
      EXPECT_EQ(editor.requests[0].showBrowse, c.showBrowse);
      EXPECT_FALSE(editor.requests[0].useColorChooser);
    }
    EXPECT_EQ(controls.sent, c.sent ? std::vector<std::int32_t>{c.sent} : std::vector<std::int32_t>{});
  }
  // The item handed over carries the row's text, read back with the item's kind.
  Select(SettingCategory::Controls, "TabSkin");
  list.rows[list.selected].text[2] = "shown.png";
  EXPECT_EQ(dialog.SelectedRowItem(list.selected).text, "shown.png");
  EXPECT_EQ(dialog.SelectedRowItem(list.selected).kind, SettingKind::ImageFile);

  // Nothing selected, an empty list, a report row: nothing opens.
  editor.requests.clear();
  list.selected = -1;
  dialog.EditSelectedItem();
  dialog.currentCategory = SettingCategory::Report;
  list.selected = 0;
  EXPECT_EQ(dialog.SelectedRowItem(0).kind, SettingKind::None);
  dialog.EditSelectedItem();
  list.rows.clear();
  dialog.EditSelectedItem();
  EXPECT_TRUE(editor.requests.empty());
  EXPECT_FALSE(dialog.modified);
}

TEST_F(ItemCommandsTest, RowMenuTicksEditsAndCopies) {
  Select(SettingCategory::General, "ButtonWidth");
  const int row = list.selected;

  // An empty box offers 選択, which ticks the list and the catalogue.
  menu.choice = row_menu::Check;
  dialog.ShowRowMenu(row);
  ASSERT_EQ(menu.shown.size(), 8u);
  EXPECT_EQ(menu.shown[1].id, row_menu::Check);
  EXPECT_STREQ(menu.shown[1].text, "選択(&S)");
  EXPECT_TRUE(list.Ticked(row));
  EXPECT_TRUE(dialog.generalItems.At(row).checked);
  EXPECT_TRUE(dialog.modified);
  // A ticked box offers 選択解除.
  menu.choice = row_menu::Uncheck;
  dialog.ShowRowMenu(row);
  EXPECT_STREQ(menu.shown[1].text, "選択解除(&U)");
  EXPECT_FALSE(list.Ticked(row));
  EXPECT_FALSE(dialog.generalItems.At(row).checked);
  list.Tick(row, true);
  dialog.StoreCheckMarks();
  EXPECT_TRUE(dialog.generalItems.At(row).checked);

  // コピー, then 追加コピー on another row.
  menu.choice = row_menu::Copy;
  clipboard.text = "old";
  dialog.ShowRowMenu(row);
  EXPECT_EQ(clipboard.text, J("ツールバーボタンの幅") + "\tButtonWidth\t24\n");
  menu.choice = row_menu::AppendCopy;
  dialog.ShowRowMenu(row + 1);
  EXPECT_EQ(clipboard.text, J("ツールバーボタンの幅") + "\tButtonWidth\t24\n" + J("ツールバーボタンの高さ") +
                                "\tButtonHeight\t24\n");

  // 編集 edits the selected row; dismissing the menu or a row outside the list does nothing.
  menu.choice = row_menu::Edit;
  dialog.ShowRowMenu(row);
  EXPECT_EQ(editor.requests.size(), 1u);
  menu.choice = row_menu::None;
  const int puts = clipboard.puts;
  dialog.ShowRowMenu(row);
  menu.shown.clear();
  menu.choice = row_menu::Copy;
  dialog.ShowRowMenu(-1);
  dialog.ShowRowMenu(list.GetItemCount());
  EXPECT_TRUE(menu.shown.empty());
  EXPECT_EQ(clipboard.puts, puts);
  EXPECT_TRUE(list.Ticked(row));
}

TEST(RowLineTest, CellsJoinedByTabsEndedByOneLineFeed) {
  const struct {
    std::vector<std::string> cells;
    const char* line;
  } cases[] = {
      {{"a", "b", "c"}, "a\tb\tc\n"},
      {{"a", "", "c"}, "a\t\tc\n"},
      {{"", "b", "c"}, "b\tc\n"},  // no tab before anything collected
      {{"", "", ""}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RowLine(c.cells), c.line);
}

}  // namespace
}  // namespace orlavix
