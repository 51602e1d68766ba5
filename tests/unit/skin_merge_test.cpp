// The merge by setting before a save: what the file as loaded, the editor and
// the file now say of each setting, and what the person is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/skin_merge.h"
#include "model/catalogues.h"
#include "support/mbtext.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

constexpr int kGeneral = 0, kColors = 1;

struct Side {
  std::vector<std::pair<std::string, FileValue>> colors;
};

SkinValues ValuesWith(const Side& side) {
  SkinValues values;
  // Every side knows every key, as built catalogues do.
  for (const char* key : {"MenuText", "MenuHighlight", "TabActiveText"}) values.sections[kColors][key] = std::nullopt;
  values.sections[kGeneral]["Author"] = std::string("A");
  for (const auto& [key, value] : side.colors) values.sections[kColors][key] = value;
  return values;
}

TEST(SkinMerge, TakesWhatOnlyTheFileChangedAndAsksWhereBothDiffer) {
  const std::string red = "#ff0000", green = "#00ff00", blue = "#0000ff";
  struct Case {
    const char* name;
    Side base, ours, theirs;
    std::vector<std::string> taken;
    std::vector<std::string> conflicts;
  };
  const Case cases[] = {
      {"nothing changed", {{{"MenuText", red}}}, {{{"MenuText", red}}}, {{{"MenuText", red}}}, {}, {}},
      {"only the file changed", {{{"MenuText", red}}}, {{{"MenuText", red}}}, {{{"MenuText", green}}},
       {"MenuText"}, {}},
      {"only we changed", {{{"MenuText", red}}}, {{{"MenuText", green}}}, {{{"MenuText", red}}}, {}, {}},
      {"both the same", {{{"MenuText", red}}}, {{{"MenuText", green}}}, {{{"MenuText", green}}}, {}, {}},
      {"both different", {{{"MenuText", red}}}, {{{"MenuText", green}}}, {{{"MenuText", blue}}}, {},
       {"MenuText"}},
      {"a key added on disk", {}, {}, {{{"TabActiveText", blue}}}, {"TabActiveText"}, {}},
      {"a key the file removed", {{{"MenuText", red}}}, {{{"MenuText", red}}}, {{{"MenuText", std::nullopt}}},
       {"MenuText"}, {}},
      {"we untick what the file changed", {{{"MenuText", red}}}, {{{"MenuText", std::nullopt}}},
       {{{"MenuText", green}}}, {}, {"MenuText"}},
      {"each side its own key", {{{"MenuText", red}}}, {{{"MenuText", green}}},
       {{{"MenuText", red}, {"MenuHighlight", blue}}}, {"MenuHighlight"}, {}},
  };
  for (const Case& c : cases) {
    const SkinValues base = ValuesWith(c.base), ours = ValuesWith(c.ours), theirs = ValuesWith(c.theirs);
    const SkinMerge merge = MergeSkinValues(base, ours, &theirs);
    std::vector<std::string> taken, conflicts;
    for (const SettingRef& s : merge.taken) {
      EXPECT_EQ(s.section, kColors) << c.name;
      taken.push_back(s.key);
    }
    for (const MergeConflict& s : merge.conflicts) {
      conflicts.push_back(s.setting.key);
      EXPECT_EQ(s.ours, ours.sections[kColors].at(s.setting.key)) << c.name;
      EXPECT_EQ(s.theirs, theirs.sections[kColors].at(s.setting.key)) << c.name;
    }
    EXPECT_EQ(taken, c.taken) << c.name;
    EXPECT_EQ(conflicts, c.conflicts) << c.name;
  }

  // The file gone: nothing to take and nothing to ask; the save writes ours.
  const SkinMerge gone = MergeSkinValues(ValuesWith({{{"MenuText", red}}}), ValuesWith({{{"MenuText", green}}}), nullptr);
  EXPECT_TRUE(gone.taken.empty());
  EXPECT_TRUE(gone.conflicts.empty());
  // Lines the editor keeps come from the file at save time, not from the
  // merge: a kept line added on disk changes no setting here.
}

TEST(SkinMerge, ComparesSettingsAsTheFileWouldHoldThem) {
  SettingCatalogue general, colors, controls, settings;
  BuildCatalogue(SettingCategory::General, general);
  BuildCatalogue(SettingCategory::Colors, colors);
  BuildCatalogue(SettingCategory::Controls, controls);
  BuildCatalogue(SettingCategory::Settings, settings);
  const SkinValues loaded = ValuesOf(general, colors, controls, settings);
  // Unticked, any value is written as a comment: nothing, as the defaults.
  colors.SetFromText("MenuText", "#123456", false);
  EXPECT_EQ(ValuesOf(general, colors, controls, settings), loaded);
  // Ticked with an empty text reads back unticked: nothing either.
  general.SetFromText("Author", "", true);
  EXPECT_EQ(ValuesOf(general, colors, controls, settings), loaded);
  colors.SetFromText("MenuText", "#123456", true);
  const SkinValues edited = ValuesOf(general, colors, controls, settings);
  EXPECT_NE(edited, loaded);
  EXPECT_EQ(edited.sections[kColors].at("MenuText"), FileValue("#123456"));
}

TEST(SkinMerge, QuestionNamesTwelveConflictsThenCountsTheRest) {
  std::vector<MergeConflict> conflicts;
  for (int i = 0; i < 14; ++i) {
    conflicts.push_back({{kColors, "Key" + std::to_string(i)}, std::string("#00000") + std::to_string(i % 10),
                         i == 0 ? FileValue() : FileValue("#ffffff")});
  }
  const std::vector<std::string> lines = testing::LinesOf(AnsiToUtf8(MergeQuestionText(conflicts)));
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], "skin.ini は読み込んだ後でほかのプログラムに変更されています。");
  EXPECT_EQ(lines[1], "Key0: こちら #000000 / ファイル (なし)");
  EXPECT_EQ(lines[12], "Key11: こちら #000001 / ファイル #ffffff");
  EXPECT_EQ(lines[13], "ほか 2 件");
  EXPECT_EQ(lines[14], "はい: こちらの値で保存します。いいえ: 保存しません。");

  // A long value is cut, so the box stays readable.
  const std::string longValue(300, 'x');
  const std::string one = MergeQuestionText({{{kGeneral, "Description"}, longValue, std::string("y")}});
  EXPECT_NE(one.find(std::string(40, 'x') + J("…")), std::string::npos);
  EXPECT_EQ(one.find(std::string(41, 'x')), std::string::npos);
}

TEST(SkinMerge, ReportNamesTheSettingsTakenFromTheFile) {
  EXPECT_EQ(AnsiToUtf8(SavedReportText(0)), "設定内容を保存しました。");
  EXPECT_EQ(AnsiToUtf8(SavedReportText(3)),
            "設定内容を保存しました。\nほかのプログラムで変更された 3 件の設定も取り込みました。");
}

}  // namespace
}  // namespace orlavix
