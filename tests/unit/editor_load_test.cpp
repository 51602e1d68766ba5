// A whole skin.ini, as skins in the wild write it, read through the editor
// the way starting to edit reads it: every category in turn.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "tests/unit/editor_fakes.h"

namespace orlavix {
namespace {

// UTF-8 on disk, mixed line ends, blank lines, comments, sections the editor
// does not know, keys it does not know, and spacing that changes keys.
const char kSkinIni[] =
    "; written by hand\r\n"
    "Author=before any section\r\n"
    "\r\n"
    "[General]\r\n"
    "Author=山田　太郎\r\n"
    "Version=1.2\n"
    "#Description=commented out\n"
    "ButtonWidth=32\r\n"
    "ButtonHeight =20\r\n"
    "   ButtonText=false\r\n"
    "ButtonDropDown=\r\n"
    "ShowPreview=false\r\n"
    "Homepage=http://example.com/?a=b\r\n"
    "\r\n\r\n"
    "[Colors]\r"
    "MenuText=ff0000\r"
    "MenuHighlight=#FF8000\r"
    "TabActiveText=\r"
    "menutext=#00ff00\r"
    "StatusBarText=#000080 ; navy\r"
    "[Foo]\n"
    "MenuItemFontSize=99\n"
    "[Controls]\n"
    "ReBarSkinType=bar\n"
    "TitleBarSkinType=bar\n"
    "TabBgSkinType=right-tile\n"
    "LikeIE7RebarBackgroundSkinType=right-tile\n"
    "MenuItemFontSize=9pt\n"
    "TabSkin=tab.png\n"
    "\tButtonSkin=button.png\n"
    "MenuItemFontName=ＭＳ Ｐゴシック\n"
    "ButtonDrawFocus=TRUE\n"
    "TabSkin=tab2.png\n"
    "[settings]\n"
    "ActiveTabBold=enable\n";

class EditorLoadTest : public ::testing::Test {
 protected:
  EditorLoadTest() : dialog(list, controls, messages) {
    path = ::testing::TempDir() + "orlavix_editor_load_skin.ini";
    Write(kSkinIni);
    dialog.choosingSkin = false;
    dialog.skinIniPath = path;
  }
  ~EditorLoadTest() override { std::remove(path.c_str()); }

  void Write(const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
  }

  // Row of the list showing key, with its value text and tick.
  const FakeItemList::Row& RowOf(const std::string& key) {
    for (const auto& row : list.rows) {
      if (row.text[1] == key) return row;
    }
    ADD_FAILURE() << "no row " << key;
    static FakeItemList::Row none;
    return none;
  }
  void ExpectRow(const std::string& key, const std::string& value, bool ticked) {
    SCOPED_TRACE(key);
    const FakeItemList::Row& row = RowOf(key);
    EXPECT_EQ(row.text[2], value);
    EXPECT_EQ(row.state, ticked ? kCheckedStateImage : kUncheckedStateImage);
  }

  std::string path;
  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  EditorDialog dialog;
};

TEST_F(EditorLoadTest, EveryCategoryReadsItsSection) {
  dialog.ShowCategory(SettingCategory::Options);
  // The options read General too: a skin that names one sets it.
  ExpectRow("ShowPreview", "false", true);
  ExpectRow("UseColorDialog", "true", false);

  dialog.ShowCategory(SettingCategory::General);
  ASSERT_EQ(list.GetItemCount(), 8);
  ExpectRow("Author", J("山田　太郎"), true);
  ExpectRow("Version", "1.2", true);
  ExpectRow("Description", "", false);
  ExpectRow("ButtonWidth", "32", true);
  ExpectRow("ButtonHeight", "24", false);  // "ButtonHeight " is another key
  ExpectRow("ButtonText", "false", true);
  ExpectRow("ButtonDropDown", "false", false);  // empty value: false, unticked
  EXPECT_EQ(dialog.generalItems.Find("Homepage").kind, SettingKind::None);

  dialog.ShowCategory(SettingCategory::Colors);
  ASSERT_EQ(list.GetItemCount(), 39);
  ExpectRow("MenuText", "#000000", true);  // no "#": black, but the file gave a value
  EXPECT_EQ(dialog.colorItems.Find("MenuHighlight").color, 0x0080FFu);
  ExpectRow("MenuHighlight", "#ff8000", true);
  ExpectRow("TabActiveText", "#000000", false);
  ExpectRow("StatusBarText", "#000000", true);  // the comment makes the value unreadable
  ExpectRow("ToolBarText", "#000000", false);

  dialog.ShowCategory(SettingCategory::Controls);
  ASSERT_EQ(list.GetItemCount(), 118);
  ExpectRow("ReBarSkinType", "bar", true);
  ExpectRow("TitleBarSkinType", "", true);
  ExpectRow("TabBgSkinType", "", true);
  ExpectRow("LikeIE7RebarBackgroundSkinType", "right-tile", true);
  ExpectRow("MenuItemFontSize", "9", true);
  EXPECT_EQ(dialog.controlItems.Find("MenuItemFontSize").number, 9);
  ExpectRow("TabSkin", "tab2.png", true);  // the later line wins
  ExpectRow("ButtonSkin", "", false);
  ExpectRow("MenuItemFontName", J("ＭＳ Ｐゴシック"), true);
  ExpectRow("ButtonDrawFocus", "false", true);
  ExpectRow("ToolBarDropDownMarkOnGlass", "toolbar_drop_down_glass.png", false);
  ExpectRow("FrameSkinType", "stretch", false);

  dialog.ShowCategory(SettingCategory::Settings);
  ExpectRow("ActiveTabBold", "enable", true);  // [settings] matches without regard to case

  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EditorLoadTest, ABuiltCatalogueIsNotReadAgain) {
  dialog.ShowCategory(SettingCategory::General);
  list.Tick(1, false);
  dialog.generalItems.Find("ButtonWidth").ParseValue("40");
  Write("[General]\r\nAuthor=someone else\r\nVersion=9\r\n");

  dialog.ShowCategory(SettingCategory::Colors);
  dialog.ShowCategory(SettingCategory::General);
  ExpectRow("Author", J("山田　太郎"), true);
  ExpectRow("Version", "1.2", false);
  ExpectRow("ButtonWidth", "40", true);

  // A catalogue emptied (as leaving the skin does) is built and read afresh.
  dialog.generalItems.Clear();
  dialog.ShowCategory(SettingCategory::Colors);
  dialog.ShowCategory(SettingCategory::General);
  ExpectRow("Author", "someone else", true);
  ExpectRow("Version", "9", true);
  ExpectRow("ButtonWidth", "24", false);
}

}  // namespace
}  // namespace orlavix
