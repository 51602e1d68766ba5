#include "values/value_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "values/preview_text.h"
#include "support/mbtext.h"

namespace orlavix {
namespace {

SettingItem Item(SettingKind kind, std::string_view value, std::int32_t allowed = 0) {
  SettingItem item(kind, false, "desc", "Key", value);
  item.allowedChoices = allowed;
  return item;
}

using Entries = std::vector<std::string>;

TEST(ValueInputLayout, EachKindGetsItsControlLabelContentsAndSelection) {
  struct Row {
    SettingItem item;
    bool chooser;
    ValueControl control;
    const char* label;  // UTF-8
    std::string text;
    bool digitsOnly;
    Entries entries;
    int selection;
  };
  const Row rows[] = {
      {Item(SettingKind::Text, " a b "), true, ValueControl::TextBox, "テキスト", " a b ", false, {}, -1},
      {Item(SettingKind::Color, "#FF8000"), false, ValueControl::TextBox, "色", "#ff8000", false, {}, -1},
      {Item(SettingKind::Color, "#FF8000"), true, ValueControl::None, "", "", false, {}, -1},
      {Item(SettingKind::Number, "-12"), true, ValueControl::TextBox, "数値", "-12", true, {}, -1},
      {Item(SettingKind::ImageFile, "tab.png"), true, ValueControl::TextBox, "", "tab.png", false, {}, -1},
      {Item(SettingKind::Bool, "true"), true, ValueControl::ChoiceList, "", "", false, {"true", "false"}, 0},
      {Item(SettingKind::Bool, "TRUE"), true, ValueControl::ChoiceList, "", "", false, {"true", "false"}, 1},
      {Item(SettingKind::FillMode, "tile"), true, ValueControl::ChoiceList, "", "", false, {"tile", "stretch"}, 0},
      {Item(SettingKind::FillMode, "stretch"), true, ValueControl::ChoiceList, "", "", false, {"tile", "stretch"}, 1},
      {Item(SettingKind::FillMode, ""), true, ValueControl::ChoiceList, "", "", false, {"tile", "stretch"}, -1},
      {Item(SettingKind::Choice, "tile", 0x3), true, ValueControl::ChoiceList, "", "", false, {"stretch", "tile"}, 1},
      // A value outside the allowed words opens with no selection.
      {Item(SettingKind::Choice, "center", 0x180), true, ValueControl::ChoiceList, "", "", false, {"left", "right"}, -1},
      {Item(SettingKind::Action, "42"), true, ValueControl::None, "", "", false, {}, -1},
      {Item(SettingKind::ReportRow, "x.png"), true, ValueControl::None, "", "", false, {}, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.item.FormatValue() + " kind " + std::to_string(static_cast<int>(row.item.kind)));
    const ValueInputLayout layout = LayoutForItem(row.item, row.chooser);
    EXPECT_EQ(layout.control, row.control);
    EXPECT_EQ(layout.label, J(row.label));
    EXPECT_EQ(layout.text, row.text);
    EXPECT_EQ(layout.digitsOnly, row.digitsOnly);
    EXPECT_EQ(layout.entries, row.entries);
    EXPECT_EQ(layout.selection, row.selection);
  }
  EXPECT_TRUE(EditsInColorChooser(Item(SettingKind::Color, ""), true));
  EXPECT_FALSE(EditsInColorChooser(Item(SettingKind::Color, ""), false));
  EXPECT_FALSE(EditsInColorChooser(Item(SettingKind::Text, ""), true));
}

TEST(ValueInputConfirm, TypedTextsAreReadByKind) {
  const std::string wideSpace = J("　");  // ideographic space, two bytes
  const std::string so = J("ソ");         // its trail byte is a backslash
  struct Row {
    SettingKind kind;
    std::string typed;
    std::string printed;
    bool ticked;
  };
  const Row rows[] = {
      {SettingKind::Text, " kept as typed ", " kept as typed ", true},
      {SettingKind::Text, "", "", false},
      {SettingKind::ImageFile, "tab.png", "tab.png", true},
      {SettingKind::ImageFile, "", "", false},
      {SettingKind::Color, " ff8000 ", "#ff8000", true},
      {SettingKind::Color, "\t#FF8000\r\n", "#ff8000", true},
      {SettingKind::Color, wideSpace + "0080ff" + wideSpace, "#0080ff", true},
      {SettingKind::Color, "#ff800", "#000000", true},
      {SettingKind::Color, "ff800", "#000000", true},
      {SettingKind::Color, "#ff80000", "#000000", true},
      {SettingKind::Color, so + so + so, "#000000", true},  // six bytes, not hex
      {SettingKind::Color, "", "#000000", true},
      {SettingKind::Number, "12px", "12", true},
      {SettingKind::Number, " 34", "34", true},
      {SettingKind::Number, "", "0", true},
      {SettingKind::Number, "4294967295", "-1", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("typed [" + row.typed + "]");
    SettingItem item = Item(row.kind, row.kind == SettingKind::Color ? "#123456" : "old");
    ValueInputAnswer answer;
    answer.text = row.typed;
    ConfirmValue(item, false, answer);
    EXPECT_EQ(item.FormatValue(), row.printed);
    EXPECT_EQ(item.checked, row.ticked);
    EXPECT_EQ(item.description, "desc");
    EXPECT_EQ(item.key, "Key");
  }
}

TEST(ValueInputConfirm, ListSelectionsAndOtherKindsAreReadByKind) {
  struct Row {
    SettingItem item;
    int selection;
    std::string selectedText;
    std::string printed;
  };
  const Row rows[] = {
      {Item(SettingKind::Bool, "false"), 0, "true", "true"},
      {Item(SettingKind::Bool, "true"), 1, "false", "false"},
      {Item(SettingKind::Bool, "true"), -1, "", "false"},
      {Item(SettingKind::FillMode, "tile"), 1, "stretch", "stretch"},
      {Item(SettingKind::FillMode, "stretch"), 0, "tile", "tile"},
      {Item(SettingKind::FillMode, "tile"), -1, "", ""},
      {Item(SettingKind::Choice, "stretch", 0x3), 1, "tile", "tile"},
      {Item(SettingKind::Choice, "center", 0x180), -1, "", ""},
      {Item(SettingKind::Choice, "left", 0x180), 1, "right", "right"},
      // Kinds without a value control are only ticked.
      {Item(SettingKind::Action, "42"), -1, "", ActionText()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.item.key + " selecting " + row.selectedText);
    SettingItem item = row.item;
    ValueInputAnswer answer;
    answer.text = "ignored";
    answer.selection = row.selection;
    answer.selectedText = row.selectedText;
    ConfirmValue(item, false, answer);
    EXPECT_EQ(item.FormatValue(), row.printed);
    EXPECT_TRUE(item.checked);
  }
  SettingItem action = Item(SettingKind::Action, "42");
  ConfirmValue(action, false, {});
  EXPECT_EQ(action.number, 42);
}

TEST(ValueInputConfirm, TheColourChooserPathKeepsTheChosenColour) {
  SettingItem item = Item(SettingKind::Color, "#ff8000");
  AcceptChosenColor(item, 0x00332211);
  EXPECT_EQ(item.FormatValue(), "#112233");
  EXPECT_TRUE(item.checked);
  // Confirming afterwards reads no text over it.
  ValueInputAnswer answer;
  answer.text = "#ffffff";
  ConfirmValue(item, true, answer);
  EXPECT_EQ(item.FormatValue(), "#112233");
}

TEST(PreviewTexts, ColourRuleAndPropertiesTexts) {
  EXPECT_EQ(PreviewColorFromText("#ff8000"), 0x0080FFu);
  EXPECT_EQ(PreviewColorFromText("ff8000"), 0u);
  EXPECT_EQ(PreviewColorFromText(" #ff8000"), 0u);
  EXPECT_EQ(ColorPropertiesText(0x0080FF), "#0080FF - ( FF , 80 , 00 )");
  EXPECT_EQ(ColorPropertiesText(0), "#000000 - ( 00 , 00 , 00 )");
  EXPECT_EQ(ImagePropertiesText("C:\\s\\controls\\close.png", 16, 300),
            J("ファイル: ") + "C:\\s\\controls\\close.png\n" + J("サイズ: ") + "(  16 , 300 )");
  EXPECT_EQ(ImagePropertiesText("x", 0, 1234), J("ファイル: ") + "x\n" + J("サイズ: ") + "(   0 , 1234 )");
}

}  // namespace
}  // namespace orlavix
