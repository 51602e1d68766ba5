#include "model/catalogues.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/mbtext.h"

namespace orlavix {
namespace {

// One row of tests/data/catalogues.tsv, typed in by hand from the tables the
// catalogues come from (UTF-8; a tab inside a description is written \t).
struct TableRow {
  std::string category, number, key, kind, value, allowed, description;
};

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      ++i;
      out += s[i] == 't' ? '\t' : s[i];
    } else {
      out += s[i];
    }
  }
  return out;
}

std::map<std::string, std::vector<TableRow>> ReadTables() {
  std::map<std::string, std::vector<TableRow>> tables;
  std::ifstream in(ORLAVIX_TEST_DATA "/catalogues.tsv", std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " ORLAVIX_TEST_DATA "/catalogues.tsv";
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::stringstream fields(line);
    std::string cell;
    while (std::getline(fields, cell, '\t')) cells.push_back(cell);
    cells.resize(7);
    tables[cells[0]].push_back({cells[0], cells[1], cells[2], cells[3], cells[4], cells[5], Unescape(cells[6])});
  }
  return tables;
}

const char* KindName(SettingKind kind) {
  switch (kind) {
    case SettingKind::None: return "None";
    case SettingKind::Text: return "Text";
    case SettingKind::Color: return "Color";
    case SettingKind::Bool: return "Bool";
    case SettingKind::Number: return "Number";
    case SettingKind::FillMode: return "FillMode";
    case SettingKind::ImageFile: return "ImageFile";
    case SettingKind::Choice: return "Choice";
    case SettingKind::Action: return "Action";
    case SettingKind::ReportRow: return "ReportRow";
  }
  return "?";
}

struct Expected {
  const char* name;
  SettingCategory category;
  int count;
};

TEST(Catalogues, MatchTheTablesRowForRow) {
  const auto tables = ReadTables();
  const Expected all[] = {{"Options", SettingCategory::Options, 9},
                          {"General", SettingCategory::General, 8},
                          {"Settings", SettingCategory::Settings, 1},
                          {"Colors", SettingCategory::Colors, 39},
                          {"Controls", SettingCategory::Controls, 118}};
  for (const Expected& expected : all) {
    SCOPED_TRACE(expected.name);
    SettingCatalogue catalogue;
    BuildCatalogue(expected.category, catalogue);
    ASSERT_EQ(catalogue.Count(), expected.count);
    const auto found = tables.find(expected.name);
    ASSERT_NE(found, tables.end());
    const std::vector<TableRow>& rows = found->second;
    ASSERT_EQ(static_cast<int>(rows.size()), expected.count);
    for (int i = 0; i < catalogue.Count(); ++i) {
      const TableRow& row = rows[i];
      const SettingItem& item = catalogue.At(i);
      SCOPED_TRACE("row " + row.number + " " + row.key);
      EXPECT_EQ(row.number, std::to_string(i + 1));
      EXPECT_EQ(item.key, row.key);
      EXPECT_STREQ(KindName(item.kind), row.kind.c_str());
      EXPECT_EQ(item.description, J(row.description));
      EXPECT_FALSE(item.checked);
      if (item.kind == SettingKind::Action) {
        EXPECT_EQ(item.number, std::strtol(row.value.c_str(), nullptr, 16));
      } else {
        EXPECT_EQ(item.FormatValue(), row.value);
      }
      const long allowed = row.allowed.empty() ? 0 : std::strtol(row.allowed.c_str(), nullptr, 16);
      EXPECT_EQ(item.allowedChoices, allowed);
    }
  }
}

TEST(Catalogues, ControlsKindsAndTypedDefaults) {
  SettingCatalogue controls;
  BuildControlItems(controls);
  std::map<SettingKind, int> kinds;
  for (int i = 0; i < controls.Count(); ++i) ++kinds[controls.At(i).kind];
  EXPECT_EQ(kinds[SettingKind::ImageFile], 70);
  EXPECT_EQ(kinds[SettingKind::Number], 19);
  EXPECT_EQ(kinds[SettingKind::Bool], 11);
  EXPECT_EQ(kinds[SettingKind::FillMode], 8);
  EXPECT_EQ(kinds[SettingKind::Choice], 8);
  EXPECT_EQ(kinds[SettingKind::Text], 2);

  EXPECT_EQ(controls.Find("InformationDockSkinType").fillMode, fill::Tile);
  EXPECT_EQ(controls.Find("TitleBarSkinType").choice, choice::Stretch);
  EXPECT_EQ(controls.Find("ReBarSkinType").allowedChoices,
            choice::Stretch | choice::Tile | choice::RightTile | choice::Bar);
  EXPECT_EQ(controls.Find("ApplicationIconY").number, 7);
  EXPECT_EQ(controls.Find("ToolBarSkinX_Left").text, "0");

  // The bytes that are easy to lose in transcription: two tabs in one
  // description, and the ideographic spaces (81 40) of the aligned ones.
  const std::string closeButton = controls.Find("TitleBarCloseButtonSkin").description;
  EXPECT_NE(closeButton.find(J("ボタン") + "\t\t["), std::string::npos);
  EXPECT_EQ(controls.Find("TabSkin").description, J("タブ上") + "\x81\x40\x81\x40 [" + J("上、左、下、右]"));
}

TEST(Catalogues, OptionsAndSections) {
  SettingCatalogue options;
  BuildOptionItems(options);
  EXPECT_EQ(options.Find(option::PreviewBackground).color, 0xFFFFFFu);
  EXPECT_TRUE(options.Find(option::UseColorDialog).boolValue);
  EXPECT_EQ(options.Find("RunWithThisSkin").number, 0x800A);
  EXPECT_EQ(options.Find("ShowExtraData").FormatValue(), J("[編集] ボタンで動作"));

  SettingCatalogue settings;
  BuildSettingItems(settings);
  EXPECT_EQ(settings.At(0).choice, choice::Auto);

  EXPECT_STREQ(SectionOf(SettingCategory::Options), "General");
  EXPECT_STREQ(SectionOf(SettingCategory::General), "General");
  EXPECT_STREQ(SectionOf(SettingCategory::Colors), "Colors");
  EXPECT_STREQ(SectionOf(SettingCategory::Controls), "Controls");
  EXPECT_STREQ(SectionOf(SettingCategory::Settings), "Settings");
  EXPECT_STREQ(SectionOf(SettingCategory::Report), "");
  SettingCatalogue none;
  BuildCatalogue(SettingCategory::Report, none);
  EXPECT_TRUE(none.Empty());
}

}  // namespace
}  // namespace orlavix
