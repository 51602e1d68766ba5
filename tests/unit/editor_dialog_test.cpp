#include "editor/editor_dialog.h"

#include <gtest/gtest.h>

#include <iterator>

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
  // What a person reads in the list: the three column titles, their widths
  // (each set fills the list less its scroll bar, so the refit keeps them),
  // the number of rows and the first and last rows' cells.
  struct Expected {
    SettingCategory category;
    const char* titles[3];
    int widths[3];
    int rows;
  };
  const Expected all[] = {{SettingCategory::Options, {"項目", "キー", "値"}, {240, 180, 165}, 9},
                          {SettingCategory::General, {"項目", "キー", "値"}, {305, 120, 160}, 8},
                          {SettingCategory::Colors, {"項目", "キー", "色"}, {360, 170, 55}, 39},
                          {SettingCategory::Controls, {"項目", "キー", "画像・設定値"}, {265, 190, 130}, 118},
                          {SettingCategory::Settings, {"項目", "キー", "値"}, {255, 230, 100}, 1}};
  // The cells of each category's first and last rows, in the same order.
  using Cells = const char* [3];
  const Cells first[] = {{"プレビューを表示する", "ShowPreview", "true"},
                         {"作者", "Author", ""},
                         {"メニューの文字色", "MenuText", "#000000"},
                         {"タブ上　　 [上、左、下、右]", "TabSkin", ""},
                         {"アクティブタブを太字にするか", "ActiveTabBold", "auto"}};
  const Cells last[] = {
      {"バックアップから戻す", "RestoreBackup", "[編集] ボタンで動作"},
      {"ツールバーボタンにドロップダウンを描写するか", "ButtonDropDown", "true"},
      {"Dock のツールバーボタンでマウスをかざしたときの文字色", "DockToolBarHighlightText", "#000000"},
      {"リバーのロゴの表示位置", "LogoSkinPosition", "right"},
      {"アクティブタブを太字にするか", "ActiveTabBold", "auto"}};
  for (std::size_t i = 0; i < std::size(all); ++i) {
    const Expected& expected = all[i];
    SCOPED_TRACE(static_cast<int>(expected.category));
    dialog.ShowCategory(expected.category);
    EXPECT_EQ(dialog.currentCategory, expected.category);

    ASSERT_EQ(list.columns.size(), 3u);
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(list.columns[c].title, J(expected.titles[c])) << c;
      EXPECT_EQ(list.columns[c].width, expected.widths[c]) << c;
    }
    ASSERT_EQ(list.GetItemCount(), expected.rows);
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(list.rows.front().text[c], J(first[i][c])) << c;
      EXPECT_EQ(list.rows.back().text[c], J(last[i][c])) << c;
    }
    for (const auto& row : list.rows) EXPECT_EQ(row.state, kUncheckedStateImage) << row.text[1];
    EXPECT_TRUE(list.shown);
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(controls.editEnabled);
    for (SettingCategory button : kShown) {
      EXPECT_EQ(controls.categoryEnabled[button], button != expected.category);
    }
  }
  // Shown again, a category's columns replace the last one's: three, its own.
  dialog.ShowCategory(SettingCategory::Controls);
  dialog.ShowCategory(SettingCategory::General);
  ASSERT_EQ(list.columns.size(), 3u);
  EXPECT_EQ(list.columns[2].title, J("値"));
  EXPECT_EQ(list.columns[0].width, 305);
  EXPECT_EQ(list.GetItemCount(), 8);
}

TEST_F(EditorDialogTest, FreshCataloguesShowTheirDefaults) {
  dialog.ShowCategory(SettingCategory::Options);
  EXPECT_EQ(list.rows[1].text[2], "#ffffff");
  for (int row = 4; row < 7; ++row) EXPECT_EQ(list.rows[row].text[2], J("[編集] ボタンで動作"));
  EXPECT_EQ(list.rows[7].text[2], "true");  // KeepUnknownLines
  EXPECT_EQ(list.rows[8].text[2], J("[編集] ボタンで動作"));

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

TEST_F(EditorDialogTest, ClearingHidesTheExtraTextAndOnceStartedThePreview) {
  // Before the dialog has started the editor there is no preview to hide.
  dialog.ClearItemList();
  EXPECT_EQ(controls.extraTextHidden, 1);
  FakePreview preview;
  dialog.Start("", {&preview, nullptr, nullptr, nullptr});
  preview.calls.clear();
  dialog.ClearItemList();
  EXPECT_EQ(controls.extraTextHidden, 2);
  EXPECT_EQ(preview.calls, std::vector<std::string>{"hide"});
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
