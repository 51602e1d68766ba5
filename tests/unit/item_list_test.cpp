// The item list's own behaviour: entering and leaving editing mode, the
// preview of the selected row, sorting and the keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/editor_dialog.h"
#include "editor/key_search.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "support/paths.h"
#include "tests/unit/editor_fakes.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr char kAquaIni[] =
    "[General]\r\nButtonWidth=30\r\n"
    "[Colors]\r\nMenuText=#ff0000\r\nMenuHighlight=#00ff00\r\n"
    "[Controls]\r\nTabSkin=tab.png\r\n";

class ItemListTest : public ::testing::Test {
 protected:
  ItemListTest() : dialog(list, controls, messages) {
    std::filesystem::create_directories(dir.path() / "skins" / "Aqua");
    std::filesystem::create_directories(dir.path() / "skins" / "NoIni");
    WriteBytes(dir.path() / "skins" / "Aqua" / "skin.ini", kAquaIni);
    dialog.skinsFolder = dir.File("skins") + kPathSeparator;
    controls.skinName = "Aqua";
    dialog.AttachItemTools({&preview, &editor, nullptr, nullptr});
    // As the dialog starts up: the options are built while no skin is chosen.
    dialog.choosingSkin = false;
    dialog.ShowCategory(SettingCategory::Options);
    dialog.currentCategory = SettingCategory::Report;
    dialog.choosingSkin = true;
  }

  std::string AquaFolder() const { return dir.File("skins") + kPathSeparator + "Aqua" + kPathSeparator; }
  int RowOf(const std::string& key) const { return list.RowOf(key); }
  std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    for (const auto& row : list.rows) keys.push_back(row.text[1]);
    return keys;
  }

  TempDir dir;
  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  FakePreview preview;
  FakeValueEditor editor;
  EditorDialog dialog;
};

TEST_F(ItemListTest, EnteringAndLeavingEditingWithEachAnswer) {
  dialog.ToggleEditing();
  EXPECT_FALSE(dialog.choosingSkin);
  EXPECT_EQ(dialog.skinFolder, AquaFolder());
  EXPECT_EQ(dialog.skinIniPath, AquaFolder() + "skin.ini");
  EXPECT_EQ(controls.startButtonText, J("変更(&H)"));
  EXPECT_EQ(controls.chosenSkinText, "Aqua");
  EXPECT_TRUE(controls.editingControlsShown);
  EXPECT_EQ(controls.height, 300);
  EXPECT_TRUE(list.enabled);
  EXPECT_GE(list.focused, 1);
  EXPECT_EQ(list.selected, 0);
  // Every section was read from the skin, and the list ends on General.
  EXPECT_EQ(dialog.currentCategory, SettingCategory::General);
  EXPECT_EQ(list.rows[RowOf("ButtonWidth")].text[2], "30");
  EXPECT_TRUE(dialog.colorItems.Find("MenuHighlight").checked);
  EXPECT_EQ(dialog.controlItems.Find("TabSkin").text, "tab.png");
  EXPECT_EQ(dialog.settingItems.Count(), 1);

  // Cancel keeps editing mode, the edits and the list's category; a later
  // save still sees the ticks given in the list.
  dialog.modified = true;
  dialog.generalItems.Find("Author").ParseValue("me");
  list.Tick(RowOf("ButtonHeight"), true);
  messages.answers = {Messages::Answer::Cancel};
  dialog.ToggleEditing();
  EXPECT_FALSE(dialog.choosingSkin);
  EXPECT_TRUE(dialog.modified);
  EXPECT_EQ(dialog.currentCategory, SettingCategory::General);
  EXPECT_EQ(dialog.generalItems.Find("Author").text, "me");
  EXPECT_EQ(controls.height, 300);
  ASSERT_EQ(messages.questions, std::vector<bool>{false});  // Yes is the default here

  // No leaves without saving: the sections are emptied, the options kept.
  messages.answers = {Messages::Answer::No};
  dialog.ToggleEditing();
  EXPECT_TRUE(dialog.choosingSkin);
  EXPECT_EQ(dialog.currentCategory, SettingCategory::Report);
  EXPECT_EQ(controls.startButtonText, J("編集開始(&H)"));
  EXPECT_FALSE(controls.editingControlsShown);
  EXPECT_EQ(controls.height, 0);
  EXPECT_FALSE(list.enabled);
  EXPECT_TRUE(dialog.generalItems.Empty() && dialog.colorItems.Empty() && dialog.controlItems.Empty() &&
              dialog.settingItems.Empty());
  EXPECT_EQ(dialog.optionItems.Count(), 9);
  EXPECT_EQ(ReadBytes(dialog.skinIniPath), kAquaIni);

  // Entering again reads the file afresh and clears `modified`; Yes saves,
  // ticks from the list included, then leaves.
  dialog.modified = true;
  dialog.ToggleEditing();
  EXPECT_FALSE(dialog.modified);
  EXPECT_TRUE(dialog.generalItems.Find("Author").text.empty());
  dialog.modified = true;
  list.Tick(RowOf("ButtonHeight"), true);
  messages.answers = {Messages::Answer::Yes};
  dialog.ToggleEditing();
  EXPECT_TRUE(dialog.choosingSkin);
  EXPECT_NE(ReadBytes(dialog.skinIniPath).find("ButtonHeight=24"), std::string::npos);
  EXPECT_EQ(messages.shown.back(), J("設定内容を保存しました。"));
}

TEST_F(ItemListTest, AFailedSaveOnLeavingKeepsEditing) {
  dialog.ToggleEditing();
  dialog.modified = true;
  // A folder where the file should be: nothing can be written there.
  std::filesystem::remove(dialog.skinIniPath);
  std::filesystem::create_directory(dialog.skinIniPath);
  messages.answers = {Messages::Answer::Yes};
  dialog.ToggleEditing();
  EXPECT_FALSE(dialog.choosingSkin);
  EXPECT_TRUE(dialog.modified);
  EXPECT_EQ(dialog.generalItems.Find("ButtonWidth").number, 30);
  EXPECT_EQ(controls.height, 300);

  // Answering No leaves, even though the file is gone.
  messages.answers = {Messages::Answer::No};
  dialog.ToggleEditing();
  EXPECT_TRUE(dialog.choosingSkin);
}

TEST_F(ItemListTest, NoSkinFileOrAnEmptyNameChangesNothing) {
  for (const char* name : {"NoIni", "Missing", ""}) {
    SCOPED_TRACE(name);
    controls.skinName = name;
    dialog.ToggleEditing();
    EXPECT_TRUE(dialog.choosingSkin);
    EXPECT_EQ(controls.height, 0);
    EXPECT_TRUE(controls.startButtonText.empty());
    EXPECT_TRUE(dialog.skinIniPath.empty());
  }
  // Without a selection the paths stay as they are and the mode still changes,
  // as at start-up when no host is named yet.
  controls.skinSelected = false;
  dialog.ToggleEditing();
  EXPECT_FALSE(dialog.choosingSkin);
  EXPECT_TRUE(dialog.skinIniPath.empty());
  EXPECT_TRUE(controls.chosenSkinText.empty());
  dialog.ToggleEditing();
  EXPECT_TRUE(dialog.choosingSkin);
  EXPECT_TRUE(messages.questions.empty());
}

TEST_F(ItemListTest, PreviewFollowsTheSelectedRow) {
  dialog.ToggleEditing();
  const std::string controlsFolder = AquaFolder() + "controls";
  const std::string white = std::to_string(0xFFFFFF);
  struct Case {
    const char* what;
    SettingCategory category;
    const char* key;  // the selected row's key, or "" for no selection
    bool tick;
    std::vector<std::string> calls;
    bool editEnabled;
  };
  const Case cases[] = {
      {"no selection", SettingCategory::Colors, "", false, {"hide"}, false},
      {"not previewable", SettingCategory::General, "ButtonWidth", true, {"hide"}, true},
      {"empty image", SettingCategory::Controls, "LeftTabSkin", true, {"hide"}, true},
      {"unticked colour", SettingCategory::Colors, "MenuText", false, {"hide"}, true},
      {"ticked colour", SettingCategory::Colors, "MenuText", true, {"hide", "color #ff0000", "show"}, true},
      {"unticked image", SettingCategory::Controls, "TabSkin", false,
       {"image " + controlsFolder + "|tab.png on " + white, "show"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialog.ShowCategory(c.category);
    const int row = c.key[0] ? RowOf(c.key) : -1;
    if (row >= 0) list.Tick(row, c.tick);
    list.selected = row;
    preview.calls.clear();
    controls.editEnabled = !c.editEnabled;
    const int focused = list.focused;
    dialog.RefreshPreview();
    EXPECT_EQ(preview.calls, c.calls);
    EXPECT_EQ(controls.editEnabled, c.editEnabled);
    EXPECT_EQ(list.focused - focused, c.calls.back() == "show" ? 1 : 0);
  }

  // The colour follows the box as it is ticked and cleared; another row's box
  // does not touch the preview.
  dialog.ShowCategory(SettingCategory::Colors);
  list.selected = RowOf("MenuText");
  list.Tick(list.selected, true);
  preview.calls.clear();
  dialog.CheckBoxChanged(list.selected);
  EXPECT_EQ(preview.calls, (std::vector<std::string>{"hide", "color #ff0000", "show"}));
  list.Tick(list.selected, false);
  preview.calls.clear();
  dialog.CheckBoxChanged(list.selected);
  dialog.CheckBoxChanged(list.selected + 1);
  EXPECT_EQ(preview.calls, std::vector<std::string>{"hide"});

  // The background comes from the option.
  dialog.optionItems.Find(option::PreviewBackground).ParseValue("#102030");
  dialog.ShowCategory(SettingCategory::Controls);
  list.selected = RowOf("TabSkin");
  preview.calls.clear();
  dialog.RefreshPreview();
  EXPECT_EQ(preview.calls.front(), "image " + controlsFolder + "|tab.png on " + std::to_string(0x302010));
  EXPECT_TRUE(preview.states.empty());  // the four tab keys are no states
  // An image of states comes with their names.
  dialog.controlItems.Find("ButtonSkin").ParseValue("button.png");
  list.selected = RowOf("ButtonSkin");
  dialog.RefreshPreview();
  ASSERT_EQ(preview.states.size(), 5u);
  EXPECT_EQ(preview.states.front(), J("通常"));
  EXPECT_EQ(preview.states.back(), J("ホバー"));

  // A report hides it and disables editing.
  dialog.currentCategory = SettingCategory::Report;
  preview.calls.clear();
  dialog.RefreshPreview();
  EXPECT_EQ(preview.calls, std::vector<std::string>{"hide"});
  EXPECT_FALSE(controls.editEnabled);

  // With the option off, or no window, nothing at all changes, not even "編集(&E)".
  dialog.ShowCategory(SettingCategory::Colors);
  list.selected = -1;
  for (int round = 0; round < 2; ++round) {
    dialog.optionItems.Find(option::ShowPreview).boolValue = round != 0;
    preview.exists = round == 0;
    preview.calls.clear();
    controls.editEnabled = true;
    dialog.RefreshPreview();
    EXPECT_TRUE(preview.calls.empty());
    EXPECT_TRUE(controls.editEnabled);
  }
}

TEST_F(ItemListTest, SortingTogglesPerCatalogueAndKeepsTheSelectedKey) {
  dialog.ToggleEditing();
  dialog.ShowCategory(SettingCategory::General);
  const int widthRow = RowOf("ButtonWidth");
  list.selected = widthRow;
  list.Tick(RowOf("Version"), true);  // not yet in the catalogue

  dialog.SortByColumn(1);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"Author", "ButtonDropDown", "ButtonHeight", "ButtonText",
                                              "ButtonWidth", "ClientMinVersion", "Description", "Version"}));
  EXPECT_EQ(list.selected, RowOf("ButtonWidth"));
  EXPECT_TRUE(list.Ticked(RowOf("Version")));
  EXPECT_TRUE(list.Ticked(RowOf("ButtonWidth")));  // read from the skin
  EXPECT_FALSE(list.Ticked(RowOf("Author")));

  dialog.SortByColumn(1);
  EXPECT_EQ(Keys().front(), "Version");
  EXPECT_EQ(list.selected, RowOf("ButtonWidth"));
  dialog.SortByColumn(1);
  EXPECT_EQ(Keys().front(), "Author");
  // The order belongs to the catalogue: another column after ascending is descending.
  dialog.SortByColumn(2);
  EXPECT_EQ(list.rows[0].text[2], "true");
  EXPECT_EQ(list.rows[7].text[2], "");
  EXPECT_EQ(dialog.generalItems.sortOrder, SortOrder::Descending);
  // The writer finds the items in the new order too.
  EXPECT_EQ(dialog.generalItems.At(0).key, list.rows[0].text[1]);

  // Without a selected row, or on a report, the list stays as it is.
  const auto before = Keys();
  list.selected = -1;
  dialog.SortByColumn(1);
  EXPECT_EQ(Keys(), before);
  list.selected = 0;
  dialog.currentCategory = SettingCategory::Report;
  dialog.SortByColumn(1);
  EXPECT_EQ(Keys(), before);
  EXPECT_EQ(dialog.generalItems.sortOrder, SortOrder::Descending);
}

TEST_F(ItemListTest, ArrowKeysPreviewTheRowTheyAreAboutToSelect) {
  dialog.ToggleEditing();
  dialog.ShowCategory(SettingCategory::Colors);
  const int last = list.GetItemCount() - 1;
  for (int row = 0; row <= last; ++row) list.Tick(row, true);
  list.rows[0].text[2] = "#000001";  // the list's text is not what is previewed:
  dialog.colorItems.At(0).ParseValue("#000000");  // the catalogue's value is
  dialog.colorItems.At(1).ParseValue("#010101");
  dialog.colorItems.At(last - 1).ParseValue("#fefefe");
  dialog.colorItems.At(last).ParseValue("#ffffff");

  struct Case {
    int selected;
    int key;
    std::vector<int> selections;  // rows selected for the moment, then again
    const char* previewed;        // "" when the preview was not touched
  };
  const Case cases[] = {
      {0, 0x28, {1, 0}, "color #010101"},           // down
      {1, 0x26, {0, 1}, "color #000000"},           // up
      {last, 0x28, {}, ""},                         // down on the last row
      {0, 0x26, {}, ""},                            // up on the first row
      {last - 1, 0x20, {}, "color #fefefe"},        // space: the row itself
      {last, 0x0D, {}, "color #ffffff"},            // Enter
      {3, 0x41, {}, ""},                            // any other key
      {-1, 0x28, {}, ""},                           // no row selected
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.selected) + " " + std::to_string(c.key));
    list.selected = c.selected;
    list.selections.clear();
    preview.calls.clear();
    dialog.HandleListKey(c.selected, c.key);
    EXPECT_EQ(list.selections, c.selections);
    EXPECT_EQ(list.selected, c.selected);
    if (c.previewed[0]) {
      ASSERT_EQ(preview.calls.size(), 3u);
      EXPECT_EQ(preview.calls[1], c.previewed);
    } else {
      EXPECT_TRUE(preview.calls.empty());
    }
  }
}

TEST(KeySearchTest, TypedLettersFindTheFirstKeyBeginningWithThemCaseBlindAnewAfterAPause) {
  const std::vector<std::string> keys = {"TabSkin", "TabBgSkin", "TabCloseSkin", "MenuText"};
  std::int64_t now = 0;
  KeySearch search([&now] { return now; });
  struct Step { std::int64_t at; int character; bool searches; const char* prefix; int row; };
  const Step steps[] = {
      {5000, 't', true, "t", 0},       {5100, 'A', true, "tA", 0},       {5300, 'b', true, "tAb", 0},
      {5400, 'C', true, "tAbC", 2},    {5500, 'x', true, "tAbCx", -1},   {5600, '\b', true, "tAbC", 2},
      {6600, 'l', true, "tAbCl", 2},   {7601, 'm', true, "m", 3},        {7700, '.', false, "m", 3},
      {7800, '\b', false, "", -1},     {7900, '_', true, "_", -1},       {8901, '\b', false, "", -1},
  };
  for (const auto& step : steps) {
    now = step.at;
    EXPECT_EQ(search.Take(step.character), step.searches) << step.at;
    EXPECT_EQ(search.Prefix(), step.prefix) << step.at;
    EXPECT_EQ(search.FirstMatch(keys), step.row) << step.at;
  }
}

}  // namespace
}  // namespace orlavix
