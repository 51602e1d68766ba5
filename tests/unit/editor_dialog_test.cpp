#include "editor/editor_dialog.h"

#include <gtest/gtest.h>

#include "model/catalogues.h"
#include "support/mbtext.h"
#include "tests/unit/editor_fakes.h"

namespace orlavix {
namespace {

constexpr SettingCategory kShown[] = {SettingCategory::Options, SettingCategory::General, SettingCategory::Colors,
                                      SettingCategory::Controls, SettingCategory::Settings};

class EditorDialogTest : public ::testing::Test {
 protected:
  EditorDialogTest() : dialog(list, controls, messages) {
    // Editing a skin whose file does not exist: every catalogue keeps its defaults.
    dialog.choosingSkin = false;
    dialog.skinIniPath = "no-such-folder/skin.ini";
  }

  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  EditorDialog dialog;
};

TEST_F(EditorDialogTest, EachCategoryShowsItsColumnsRowsAndButtons) {
  struct Expected {
    SettingCategory category;
    const char* valueTitle;
    int widths[3];
    int rows;
  };
  const Expected all[] = {{SettingCategory::Options, "値", {240, 180, 165}, 8},
                          {SettingCategory::General, "値", {305, 120, 160}, 8},
                          {SettingCategory::Colors, "色", {360, 170, 55}, 39},
                          {SettingCategory::Controls, "画像・設定値", {265, 190, 130}, 118},
                          {SettingCategory::Settings, "値", {255, 230, 100}, 1}};
  for (const Expected& expected : all) {
    SCOPED_TRACE(static_cast<int>(expected.category));
    list.calls.clear();
    dialog.ShowCategory(expected.category);
    EXPECT_EQ(dialog.currentCategory, expected.category);

    // Every set adds up to the list's width less the scroll bar, so the refit keeps the widths.
    ASSERT_EQ(list.columns.size(), 3u);
    EXPECT_EQ(list.columns[0].title, J("項目"));
    EXPECT_EQ(list.columns[1].title, J("キー"));
    EXPECT_EQ(list.columns[2].title, J(expected.valueTitle));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(list.columns[c].width, expected.widths[c]);
    // Each column starts as wide as its title plus 15.
    EXPECT_EQ(list.calls[list.calls.size() - 1],
              "insert 2 " + std::to_string(7 * J(expected.valueTitle).size() + 15));

    const SettingCatalogue& catalogue = dialog.CurrentCatalogue();
    ASSERT_EQ(list.GetItemCount(), expected.rows);
    ASSERT_EQ(catalogue.Count(), expected.rows);
    for (int i = 0; i < expected.rows; ++i) {
      EXPECT_EQ(list.rows[i].text[0], catalogue.At(i).description);
      EXPECT_EQ(list.rows[i].text[1], catalogue.At(i).key);
      EXPECT_EQ(list.rows[i].text[2], catalogue.At(i).FormatValue());
      EXPECT_EQ(list.rows[i].state, kUncheckedStateImage);
      EXPECT_EQ(list.rows[i].data, i);
    }
    EXPECT_TRUE(list.shown);
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(controls.editEnabled);
    for (SettingCategory button : kShown) {
      EXPECT_EQ(controls.categoryEnabled[button], button != expected.category);
    }
  }
  // The second round found every catalogue built: the columns of the last
  // category went first, last column first.
  list.calls.clear();
  dialog.ShowCategory(SettingCategory::General);
  EXPECT_EQ(list.calls[0], "delete 2");
  EXPECT_EQ(list.calls[2], "delete 0");
}

TEST_F(EditorDialogTest, FreshCataloguesShowTheirDefaults) {
  dialog.ShowCategory(SettingCategory::Options);
  EXPECT_EQ(list.rows[1].text[2], "#ffffff");
  for (int row = 4; row < 7; ++row) EXPECT_EQ(list.rows[row].text[2], J("[編集] ボタンで動作"));

  dialog.ShowCategory(SettingCategory::General);
  EXPECT_EQ(list.rows[4].text[2], "24");
  EXPECT_EQ(list.rows[5].text[2], "24");
  EXPECT_EQ(list.rows[6].text[2], "true");
  EXPECT_EQ(list.rows[7].text[2], "true");

  dialog.ShowCategory(SettingCategory::Settings);
  ASSERT_EQ(list.GetItemCount(), 1);
  EXPECT_EQ(list.rows[0].text[1], "ActiveTabBold");
  EXPECT_EQ(list.rows[0].text[2], "auto");
}

TEST_F(EditorDialogTest, TicksSurviveSwitchingAndShowingAgainKeepsEdits) {
  dialog.ShowCategory(SettingCategory::General);
  list.Tick(0, true);
  list.Tick(5, true);
  dialog.generalItems.Find("ButtonWidth").ParseValue("48");

  dialog.ShowCategory(SettingCategory::Colors);
  EXPECT_TRUE(dialog.generalItems.At(0).checked);
  EXPECT_TRUE(dialog.generalItems.At(5).checked);
  list.Tick(2, true);

  dialog.ShowCategory(SettingCategory::General);
  ASSERT_EQ(dialog.generalItems.Count(), 8);  // not appended twice
  EXPECT_TRUE(list.Ticked(0));
  EXPECT_TRUE(list.Ticked(5));
  EXPECT_FALSE(list.Ticked(1));
  EXPECT_EQ(list.rows[4].text[2], "48");
  EXPECT_TRUE(dialog.colorItems.At(2).checked);

  // Showing the same category again stores its own ticks first.
  list.Tick(0, false);
  dialog.ShowCategory(SettingCategory::General);
  EXPECT_FALSE(dialog.generalItems.At(0).checked);
  EXPECT_FALSE(list.Ticked(0));
  EXPECT_EQ(dialog.generalItems.Count(), 8);
}

TEST_F(EditorDialogTest, WhileChoosingASkinNoTickIsTouched) {
  dialog.choosingSkin = true;
  dialog.ShowCategory(SettingCategory::General);
  dialog.generalItems.At(3).checked = true;
  list.Tick(0, true);  // and row 3 still shows the empty box
  dialog.ShowCategory(SettingCategory::Colors);
  EXPECT_FALSE(dialog.generalItems.At(0).checked);
  EXPECT_TRUE(dialog.generalItems.At(3).checked);

  dialog.StoreCheckMarks();
  for (int i = 0; i < dialog.colorItems.Count(); ++i) EXPECT_FALSE(dialog.colorItems.At(i).checked);
}

TEST_F(EditorDialogTest, ReportCategoryHasNoCatalogue) {
  dialog.CurrentCatalogue().AddBlank("x", "x", SettingKind::Text);
  EXPECT_TRUE(dialog.CurrentCatalogue().Empty());  // emptied at every call

  // Rows of a report belong to no catalogue: storing ticks must leave the rest alone.
  dialog.ShowCategory(SettingCategory::General);
  dialog.currentCategory = SettingCategory::Report;
  list.Tick(0, true);
  dialog.StoreCheckMarks();
  EXPECT_FALSE(dialog.generalItems.At(0).checked);

  dialog.ClearItemList();
  for (SettingCategory button : kShown) EXPECT_TRUE(controls.categoryEnabled[button]);
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.GetColumnCount(), 0);

  // Categories outside 1 to 5 cannot be shown.
  dialog.ShowCategory(static_cast<SettingCategory>(7));
  EXPECT_EQ(dialog.currentCategory, SettingCategory::Report);
}

TEST_F(EditorDialogTest, StoringTicksNeverReachesPastTheCatalogue) {
  dialog.ShowCategory(SettingCategory::Settings);
  list.InsertItem(1, "stray", 1);
  list.Tick(0, true);
  list.Tick(1, true);
  dialog.StoreCheckMarks();
  EXPECT_TRUE(dialog.settingItems.At(0).checked);
  EXPECT_EQ(dialog.settingItems.Count(), 1);
}

TEST_F(EditorDialogTest, ClearingHidesTheExtraTextAndOnceInitialisedThePreview) {
  dialog.ClearItemList();
  EXPECT_EQ(controls.extraTextHidden, 1);
  EXPECT_EQ(controls.previewHidden, 0);
  dialog.initialised = true;
  dialog.ClearItemList();
  EXPECT_EQ(controls.extraTextHidden, 2);
  EXPECT_EQ(controls.previewHidden, 1);
}

TEST_F(EditorDialogTest, RefitSharesTheListWidth) {
  dialog.currentCategory = SettingCategory::Colors;
  list.width = 1190;  // twice 585, plus 20 for the scroll bar
  dialog.SetupColumns();
  EXPECT_EQ(list.columns[0].width, 720);
  EXPECT_EQ(list.columns[1].width, 340);
  EXPECT_EQ(list.columns[2].width, 110);

  list.width = 254;  // factor 0.4: fractions are cut off
  list.columns[2].width = 55;
  list.columns[0].width = 361;
  list.columns[1].width = 169;
  dialog.RefitColumns();
  EXPECT_EQ(list.columns[0].width, 144);
  EXPECT_EQ(list.columns[1].width, 67);
  EXPECT_EQ(list.columns[2].width, 22);

  // Nothing to share out among columns of no width, and no negative widths
  // for a list narrower than the scroll bar.
  for (auto& column : list.columns) column.width = 0;
  dialog.RefitColumns();
  for (auto& column : list.columns) EXPECT_EQ(column.width, 0);
  list.columns[0].width = 100;
  list.width = 5;
  dialog.RefitColumns();
  EXPECT_EQ(list.columns[0].width, 0);
}

}  // namespace
}  // namespace orlavix
