// The question before a save: what its lines are made of, and that a file
// the editor has just saved holds nothing to ask about or to report.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/skin_analysis.h"
#include "editor/editor_dialog.h"
#include "editor/save_question.h"
#include "platform/codepage.h"
#include "support/mbtext.h"
#include "tests/unit/editor_fakes.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// The question a save of the file would ask, naming skin.ini.007 as its backup.
std::string QuestionFor(const std::string& ini) {
  AnalysisOptions options;
  options.images = false;
  options.authorComments = true;
  SkinResult result;
  std::string error;
  EXPECT_TRUE(AnalyseSkinFile(ini, KnownKeys(), options, result, error)) << error;
  return SaveQuestionText(result.findings, "skin.ini.007");
}

TEST(SaveQuestion, NamesEachThingTheSaveLeavesOutOrChanges) {
  std::string unknownKeys = "[General]\r\n";
  std::vector<std::string> twelve;
  for (int n = 2; n <= 15; ++n) {
    unknownKeys += "Key" + std::to_string(n) + "=1\r\n";
    if (n <= 13) twelve.push_back(std::to_string(n) + " 行目: Key" + std::to_string(n) + ": [General] のどの設定でもないキーです");
  }
  twelve.push_back("ほか 2 件");
  const std::string cp = std::to_string(platform::WorkingCodePage());
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> lines;  // UTF-8, between the first and the last
  };
  const Case cases[] = {
      {"a line before the first section", "# Aqua: a demo skin for Orlavix\r\n[General]\r\nAuthor=A\r\n",
       {"1 行目: # Aqua: a demo skin for Orlavix: 最初のセクションより前にあり、どのセクションにも属しません"}},
      {"the author's comments, not the editor's own lines",
       "[General]\r\n# 作者\r\nAuthor=A\r\n#Version=\r\n# my note\r\n# more\r\nVersion=1\r\n#Description=old\r\n",
       {"5 行目: # my note: コメント行です (続く 1 行も)", "8 行目: #Description=old: コメント行です"}},
      {"every family, in the order of the file",
       "[General]\r\nauthor=x\r\nAuthor=\xF0\x9F\x98\x80\r\n[Colors]\r\nMenuText=ff0000\r\nMenuHighlight=#111111\r\n"
       "MenuHighlight=#222222\r\n[ Settings]\r\nx=1\r\n[Settings\r\ny=2\r\n",
       {"2 行目: author: キーの大文字小文字が違います (正しくは Author)",
        "3 行目: Author: コードページ " + cp + " で表せない文字 (U+1F600) があります",
        "5 行目: MenuText: 色は #rrggbb の形で書きます。「ff0000」は #000000 (黒) と読まれます",
        "7 行目: MenuHighlight: キーが 2 回あります (行 6, 7)。最後の行の値が使われます",
        "10 行目: [Settings: [ で始まる行が見出しの形になっていません (続く 1 行も)"}},
      {"a long line cut after forty characters, a long reason after eighty",
       "# " + std::string(50, 'x') + "\r\n[Colors]\r\nMenuText=#000000 " + std::string(60, 'x') + "\r\n",
       {"1 行目: # " + std::string(38, 'x') + "…: 最初のセクションより前にあり、どのセクションにも属しません",
        "3 行目: MenuText: 色は #rrggbb の形で書きます。「#000000 " + std::string(52, 'x') + "…"}},
      {"more than twelve", unknownKeys, twelve},
      {"nothing lost: other sections are carried over", "[General]\r\nAuthor=A\r\n[Foo]\r\n; anything\r\nx\r\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string ini = dir.File("skin.ini");
    WriteBytes(ini, c.file);
    std::string expected;
    for (const std::string& line : c.lines) expected += J(line) + "\n";
    if (!expected.empty()) {
      expected = J("保存すると、skin.ini の次の内容は書き戻されません。\n") + expected +
                 J("元のファイルは skin.ini.007 として残ります。保存しますか？");
    }
    EXPECT_EQ(QuestionFor(ini), expected);
  }
}

// Saved by the editor, with help lines and unticked items written, a skin
// holds nothing that the next save leaves out, and orlavix-check finds no
// line that a save drops.
TEST(SaveQuestion, AFileTheEditorSavedAsksNothing) {
  for (const auto& skin : std::filesystem::directory_iterator(ORLAVIX_TEST_DATA "/../../demo/resources/skins")) {
    for (const bool onlyChecked : {true, false}) {
      SCOPED_TRACE(skin.path().filename().string() + (onlyChecked ? ", ticked items only" : ", every item"));
      TempDir dir;
      const std::string ini = dir.File("skin.ini");
      WriteBytes(ini, ReadBytes((skin.path() / "skin.ini").string()));
      FakeItemList list;
      FakeControls controls;
      controls.saveOnlyChecked = onlyChecked;
      FakeMessages messages;
      EditorDialog dialog(list, controls, messages);
      dialog.choosingSkin = false;
      dialog.skinIniPath = ini;
      for (SettingCategory c : {SettingCategory::Options, SettingCategory::General, SettingCategory::Colors,
                                SettingCategory::Controls, SettingCategory::Settings}) {
        dialog.ShowCategory(c);
      }
      ASSERT_TRUE(dialog.SaveSkinFile());
      EXPECT_EQ(QuestionFor(ini), "");
      SkinResult result;
      std::string error;
      ASSERT_TRUE(CheckSkin(dir.path().string(), "skin.ini", KnownKeys(), result, error));
      for (const Finding& f : result.findings) {
        EXPECT_EQ(f.family, FindingFamily::Images) << f.code << " " << f.line;
      }
    }
  }
}

}  // namespace
}  // namespace orlavix
