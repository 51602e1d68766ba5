#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/setting_catalogue.h"
#include "model/setting_item.h"
#include "support/mbtext.h"

namespace orlavix {
namespace {

SettingItem Make(SettingKind kind, std::string_view text) { return SettingItem(kind, false, "d", "k", text); }

TEST(ReadUnsigned, FollowsStrtoulIncludingOverflowAndSign) {
  EXPECT_EQ(ReadUnsigned("123", 10), 123u);
  EXPECT_EQ(ReadUnsigned("  \t+42px", 10), 42u);
  EXPECT_EQ(ReadUnsigned("-1", 10), 0xFFFFFFFFu);
  EXPECT_EQ(ReadUnsigned("-5", 10), 0xFFFFFFFBu);
  EXPECT_EQ(ReadUnsigned("4294967295", 10), 0xFFFFFFFFu);
  EXPECT_EQ(ReadUnsigned("4294967296", 10), 0xFFFFFFFFu);  // overflow saturates
  EXPECT_EQ(ReadUnsigned("99999999999999999999", 10), 0xFFFFFFFFu);
  EXPECT_EQ(ReadUnsigned("-4294967296", 10), 0xFFFFFFFFu);  // overflow is not negated
  EXPECT_EQ(ReadUnsigned("-4294967295", 10), 1u);
  EXPECT_EQ(ReadUnsigned("", 10), 0u);
  EXPECT_EQ(ReadUnsigned("px12", 10), 0u);
  EXPECT_EQ(ReadUnsigned("- 1", 10), 0u);
  EXPECT_EQ(ReadUnsigned("ff", 16), 0xFFu);
  EXPECT_EQ(ReadUnsigned("0x1f", 16), 0x1Fu);
  EXPECT_EQ(ReadUnsigned("0x", 16), 0u);
  EXPECT_EQ(ReadUnsigned("zz", 16), 0u);
  EXPECT_EQ(ReadUnsigned(" 8", 16), 8u);
}

TEST(SettingItem, ColorReadsOnlyHashAndSixDigitsAndPrintsLowerCase) {
  SettingItem c = Make(SettingKind::Color, "#FF8000");
  EXPECT_EQ(c.color, 0x0080FFu);
  EXPECT_EQ(c.FormatValue(), "#ff8000");
  EXPECT_EQ(Make(SettingKind::Color, "#ff800").color, 0u);
  EXPECT_EQ(Make(SettingKind::Color, "ff8000").color, 0u);
  EXPECT_EQ(Make(SettingKind::Color, "#ff80000").color, 0u);
  EXPECT_EQ(Make(SettingKind::Color, "#zz8000").color, 0x008000u);
  EXPECT_EQ(Make(SettingKind::Color, "#-1-1-1").color, 0xFFFFFFu);  // strtoul's sign, low 8 bits
  EXPECT_EQ(Make(SettingKind::Color, "# 1 2 3").color, 0x030201u);
  EXPECT_EQ(Make(SettingKind::Color, "").FormatValue(), "#000000");
  c.ParseValue("#0000ff");
  EXPECT_EQ(c.color, 0xFF0000u);
}

TEST(SettingItem, BoolAndNumberAndFillModeRules) {
  EXPECT_TRUE(Make(SettingKind::Bool, "true").boolValue);
  for (const char* t : {"TRUE", "True", " true", "true ", "1", ""}) {
    SettingItem b = Make(SettingKind::Bool, t);
    EXPECT_FALSE(b.boolValue) << t;
    EXPECT_EQ(b.FormatValue(), "false");
  }
  SettingItem n = Make(SettingKind::Number, "-1");
  EXPECT_EQ(static_cast<std::uint32_t>(n.number), 0xFFFFFFFFu);
  EXPECT_EQ(n.FormatValue(), "-1");
  EXPECT_EQ(Make(SettingKind::Number, "12px").number, 12);
  EXPECT_EQ(Make(SettingKind::Number, "").number, 0);
  EXPECT_EQ(Make(SettingKind::Number, "2147483648").FormatValue(), "-2147483648");

  EXPECT_EQ(Make(SettingKind::FillMode, "tile").fillMode, fill::Tile);
  EXPECT_EQ(Make(SettingKind::FillMode, "stretch").fillMode, fill::Stretch);
  EXPECT_EQ(Make(SettingKind::FillMode, "Tile").fillMode, fill::None);
  SettingItem f = Make(SettingKind::FillMode, "");
  f.fillMode = 1;
  EXPECT_EQ(f.FormatValue(), "tile");  // as a fill mode 1 is tile ...
  f.fillMode = 3;
  EXPECT_EQ(f.FormatValue(), "");
  SettingItem ch = Make(SettingKind::Choice, "");
  ch.choice = 1;
  EXPECT_EQ(ch.FormatValue(), "stretch");  // ... while choice bit 1 is stretch
}

TEST(SettingItem, ChoiceIsLimitedWhenEditedButNotWhenConstructed) {
  SettingItem c = Make(SettingKind::Choice, "center");
  EXPECT_EQ(c.choice, choice::Center);
  EXPECT_EQ(c.FormatValue(), "center");
  c.allowedChoices = choice::Left | choice::Right;
  c.ParseValue("center");
  EXPECT_EQ(c.choice, 0);
  EXPECT_EQ(c.FormatValue(), "");
  c.ParseValue("right");
  EXPECT_EQ(c.choice, choice::Right);
  c.ParseValue("Right");
  EXPECT_EQ(c.choice, 0);
  c.choice = choice::Left | choice::Right;  // not exactly one bit
  EXPECT_EQ(c.FormatValue(), "");
  EXPECT_EQ(Make(SettingKind::Choice, "bogus").choice, 0);
  EXPECT_EQ(ChoiceFromWord("right-tile"), choice::RightTile);
  EXPECT_EQ(ChoiceFromWord("right-"), 0);
}

TEST(SettingItem, ActionAlwaysShowsItsFixedTextAndTextKindsKeepBytes) {
  SettingItem a = Make(SettingKind::Action, "32778");
  EXPECT_EQ(a.number, 0x800A);
  EXPECT_EQ(a.FormatValue(), J("[編集] ボタンで動作"));
  a.number = 0;
  EXPECT_EQ(a.FormatValue(), J("[編集] ボタンで動作"));
  const std::string raw = "  " + J("ソース") + " =x ";
  EXPECT_EQ(Make(SettingKind::Text, raw).FormatValue(), raw);
  EXPECT_EQ(Make(SettingKind::ImageFile, raw).text, raw);
  SettingItem none = Make(SettingKind::None, "abc");
  none.ParseValue("xyz");
  EXPECT_EQ(none.FormatValue(), "");
  EXPECT_EQ(none.text, "");
}

TEST(SettingItem, ChangeKindRebuildsFromPrintedTextAndKeepsAllowedChoices) {
  SettingItem n(SettingKind::Number, true, "desc", "Key", "42");
  n.allowedChoices = 0x70;
  n.ChangeKind(SettingKind::Text);
  EXPECT_EQ(n.kind, SettingKind::Text);
  EXPECT_EQ(n.text, "42");
  EXPECT_TRUE(n.checked);
  EXPECT_EQ(n.key, "Key");
  EXPECT_EQ(n.allowedChoices, 0x70);
  n.ChangeKind(SettingKind::Color);
  EXPECT_EQ(n.color, 0u);

  SettingItem a = Make(SettingKind::Action, "7");
  a.ChangeKind(SettingKind::Action);
  EXPECT_EQ(a.number, 7);  // the fixed text would read as 0
  a.ChangeKind(SettingKind::Number);
  EXPECT_EQ(a.number, 0);
}

TEST(SettingItem, AssignValueCopiesOnlyTheTargetKindsField) {
  SettingItem target(SettingKind::Color, false, "old", "Old", "#010203");
  target.allowedChoices = 5;
  SettingItem source(SettingKind::Text, true, "new", "New", "text");
  source.color = 0xABCDEF;
  source.number = 9;
  target.AssignValue(source);
  EXPECT_TRUE(target.checked);
  EXPECT_EQ(target.description, "new");
  EXPECT_EQ(target.key, "New");
  EXPECT_EQ(target.color, 0xABCDEFu);
  EXPECT_EQ(target.kind, SettingKind::Color);
  EXPECT_EQ(target.allowedChoices, 5);
  EXPECT_EQ(target.text, "");
  EXPECT_EQ(target.number, 0);
}

class RecordingCombo : public ComboBox {
 public:
  std::vector<std::string> calls;
  void ResetContent() override {
    calls.push_back("reset");
    entries = 0;
  }
  int AddString(const std::string& text) override {
    calls.push_back("add " + text);
    return entries++;
  }
  void SetCurSel(int index) override { calls.push_back("select " + std::to_string(index)); }
  int entries = 0;
};

TEST(FillChoiceList, ListsAllowedWordsInBitOrderAndSelectsTheValue) {
  SettingCatalogue cat;
  cat.AddChoice("d", "TitleBarSkinType", "tile", choice::Stretch | choice::Tile);
  RecordingCombo combo;
  FillChoiceList(cat.At(0), combo);
  EXPECT_EQ(combo.calls, (std::vector<std::string>{"reset", "add stretch", "add tile", "select 1"}));

  // The default word outside the allowed set is held, but nothing is selected.
  cat.AddChoice("d", "X", "center", choice::Left | choice::Right);
  EXPECT_EQ(cat.At(1).choice, choice::Center);
  RecordingCombo other;
  FillChoiceList(cat.At(1), other);
  EXPECT_EQ(other.calls, (std::vector<std::string>{"reset", "add left", "add right"}));
}

TEST(SettingCatalogue, AppendingGrowsOneTwoFourAndSurvivesAFailedAllocation) {
  SettingCatalogue cat;
  EXPECT_EQ(cat.Capacity(), 0);
  std::vector<int> capacities;
  for (int i = 0; i < 5; ++i) {
    cat.AddNumber("d", "K" + std::to_string(i), i);
    capacities.push_back(cat.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{1, 2, 4, 4, 8}));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(cat.At(i).number, i);
    EXPECT_FALSE(cat.At(i).checked);
  }
  cat.AddNumber("d", "K5", 5);
  cat.AddNumber("d", "K6", 6);
  cat.AddNumber("d", "K7", 7);
  SettingCatalogue::FailNextAllocationForTesting();
  cat.AddNumber("d", "lost", 8);
  EXPECT_EQ(cat.Count(), 8);
  EXPECT_EQ(cat.Capacity(), 8);
  EXPECT_EQ(cat.At(7).number, 7);
  EXPECT_EQ(cat.Find("lost").kind, SettingKind::None);
  cat.AddNumber("d", "next", 9);
  EXPECT_EQ(cat.Count(), 9);
  EXPECT_EQ(cat.Capacity(), 16);
  EXPECT_THROW(cat.At(9), std::out_of_range);
  EXPECT_THROW(cat.At(-1), std::out_of_range);

  cat.sortOrder = SortOrder::Descending;
  cat.Clear();
  EXPECT_EQ(cat.Count(), 0);
  EXPECT_EQ(cat.Capacity(), 0);
  EXPECT_EQ(cat.sortOrder, SortOrder::Descending);
  cat.AddBool("d", "B", true);
  EXPECT_EQ(cat.Capacity(), 1);
}

TEST(SettingCatalogue, AddersBuildTheirKindsWithTheirValues) {
  SettingCatalogue cat;
  cat.AddColor("d", "Bg", 0xFF, 0x80, 0x01);
  cat.AddBlank("d", "Blank", SettingKind::Color);
  cat.AddFromText("d", "Text", "abc", SettingKind::Text);
  cat.AddAction("d", "Run", 0x800A);
  int counter = 4;
  cat.AddReportRow("unused", counter, "a.png");
  cat.AddReportRow("unused", counter, "b.png");
  EXPECT_EQ(cat.ValueTextOf("Bg"), "#ff8001");
  EXPECT_EQ(cat.ValueTextOf("Blank"), "#000000");
  EXPECT_EQ(cat.ValueTextOf("Text"), "abc");
  EXPECT_EQ(cat.Find("Run").number, 0x800A);
  EXPECT_EQ(counter, 6);
  EXPECT_EQ(cat.At(4).key, "5");
  EXPECT_EQ(cat.At(5).key, "6");
  EXPECT_EQ(cat.At(5).text, "b.png");
  EXPECT_EQ(cat.At(5).description, "unused");
  EXPECT_EQ(cat.At(5).kind, SettingKind::ReportRow);
}

TEST(SettingCatalogue, FindIsExactAndItsMissItemIsResetEachTime) {
  SettingCatalogue cat;
  cat.AddNumber("first", "ButtonWidth", 24);
  cat.AddNumber("second", "ButtonWidth", 30);
  EXPECT_EQ(cat.Find("ButtonWidth").description, "first");
  EXPECT_EQ(cat.Find("buttonwidth").kind, SettingKind::None);
  EXPECT_EQ(cat.Find("ButtonWidth ").kind, SettingKind::None);
  SettingItem& miss = cat.Find("nothing");
  miss.kind = SettingKind::Text;  // a careless caller
  miss.text = "dirty";
  EXPECT_EQ(cat.Find("nothing").kind, SettingKind::None);
  EXPECT_EQ(cat.FindCopy("nothing").text, "");
  EXPECT_EQ(cat.ValueTextOf("nothing"), "");

  EXPECT_FALSE(cat.SetFromText("buttonwidth", "1", true));
  EXPECT_TRUE(cat.SetFromText("ButtonWidth", "32"));
  EXPECT_EQ(cat.At(0).number, 32);
  EXPECT_FALSE(cat.At(0).checked);  // no checked value given: untouched
  EXPECT_TRUE(cat.SetFromText("ButtonWidth", "", true));
  EXPECT_EQ(cat.At(0).number, 0);
  EXPECT_TRUE(cat.At(0).checked);
  EXPECT_EQ(cat.At(1).number, 30);
}

std::vector<std::string> Keys(const SettingCatalogue& cat) {
  std::vector<std::string> keys;
  for (int i = 0; i < cat.Count(); ++i) keys.push_back(cat.At(i).key);
  return keys;
}

TEST(SettingCatalogue, SortFollowsTheExchangeProcedureForEqualTexts) {
  SettingCatalogue cat;
  cat.AddBool("b", "b1", true);
  cat.AddBool("b", "b2", true);
  cat.AddBool("a", "a", true);
  cat.Sort(-1, 0);
  EXPECT_EQ(cat.sortOrder, SortOrder::Ascending);
  // The procedure moves b1 behind b2; a stable sort would not.
  EXPECT_EQ(Keys(cat), (std::vector<std::string>{"a", "b2", "b1"}));
  cat.Sort(-1, 0);
  EXPECT_EQ(cat.sortOrder, SortOrder::Descending);
  EXPECT_EQ(Keys(cat), (std::vector<std::string>{"b1", "b2", "a"}));  // and back again

  SettingCatalogue three;
  three.AddBool("b", "1", true);
  three.AddBool("a", "2", true);
  three.AddBool("b", "3", true);
  three.Sort(1, 0);
  EXPECT_EQ(Keys(three), (std::vector<std::string>{"2", "1", "3"}));
  three.Sort(5, 0);  // an order that is neither: stored, nothing moves
  EXPECT_EQ(static_cast<int>(three.sortOrder), 5);
  EXPECT_EQ(Keys(three), (std::vector<std::string>{"2", "1", "3"}));
  three.Sort(-1, 0);  // toggling from an odd order sorts ascending
  EXPECT_EQ(three.sortOrder, SortOrder::Ascending);
}

TEST(SettingCatalogue, SortComparesKeysOrPrintedValuesAsMultibyteText) {
  SettingCatalogue cat;
  cat.AddNumber("x", "k9", 9);
  cat.AddNumber("x", "k10", 10);
  cat.AddFromText("x", "kana", J("ア"), SettingKind::Text);     // 83 41
  cat.AddFromText("x", "half", J("ｱ"), SettingKind::Text);      // B1: sorts before every double byte
  cat.Sort(1, 2);
  EXPECT_EQ(Keys(cat), (std::vector<std::string>{"k10", "k9", "half", "kana"}));
  cat.Sort(1, 1);
  EXPECT_EQ(Keys(cat), (std::vector<std::string>{"half", "k10", "k9", "kana"}));
  cat.Sort(2, 7);  // unknown column: order stored, nothing moves
  EXPECT_EQ(cat.sortOrder, SortOrder::Descending);
  EXPECT_EQ(Keys(cat), (std::vector<std::string>{"half", "k10", "k9", "kana"}));
  cat.Swap(0, 3);
  EXPECT_EQ(Keys(cat).front(), "kana");
}

TEST(SettingCatalogue, CopiesAreIndependent) {
  SettingCatalogue a;
  a.AddFromText("d", "K", "one", SettingKind::Text);
  SettingCatalogue b = a;
  b.At(0).text = "two";
  b.AddNumber("d", "N", 1);
  EXPECT_EQ(a.At(0).text, "one");
  EXPECT_EQ(a.Count(), 1);
  a = b;
  EXPECT_EQ(a.Count(), 2);
  EXPECT_EQ(a.At(0).text, "two");
}

}  // namespace
}  // namespace orlavix
