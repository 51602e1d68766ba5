// What a save keeps of the file on disk with the option KeepUnknownLines:
// small files through the editor's load and save, where each kept line lands
// with help lines and only-ticked on and off, the saves that follow changing
// nothing, and the option off saving as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/kept_lines_reader.h"
#include "document/skin_writer.h"
#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "platform/codepage.h"
#include "support/mbtext.h"
#include "tests/unit/editor_fakes.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct Saving {
  bool keep = true;
  bool helpLines = false;
  bool onlyChecked = true;
};

// The editor on one skin.ini, every section loaded, its options set.
struct Editing {
  Editing(const std::string& ini, const Saving& how) {
    dialog.choosingSkin = false;
    dialog.ShowCategory(SettingCategory::Options);
    dialog.optionItems.Find(option::KeepUnknownLines).boolValue = how.keep;
    dialog.optionItems.Find(option::OutputHelpString).boolValue = how.helpLines;
    controls.saveOnlyChecked = how.onlyChecked;
    dialog.skinIniPath = ini;
    for (SettingCategory c : {SettingCategory::General, SettingCategory::Colors, SettingCategory::Controls,
                              SettingCategory::Settings}) {
      dialog.ShowCategory(c);
    }
  }
  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  EditorDialog dialog{list, controls, messages};
};

// The lines of a written file without the editor's own frame: its header
// block, separators, section comments and empty lines. With `section`, only
// that section's. UTF-8.
std::vector<std::string> Body(const std::string& file, const std::string& section = "") {
  std::vector<std::string> lines;
  bool inHeader = false, sectionSeen = false, inSection = section.empty();
  for (std::size_t start = 0, end; start < file.size(); start = end + 2) {
    end = file.find("\r\n", start);
    if (end == std::string::npos) end = file.size();
    const std::string line = file.substr(start, end - start);
    if (!line.empty() && line[0] == '[') {
      sectionSeen = true;
      if (!section.empty()) inSection = line == section;
    }
    if (!inSection) continue;
    if (line == kSeparatorLine) {
      if (!sectionSeen) inHeader = !inHeader;
      continue;
    }
    if (line.empty() || inHeader || IsSectionCommentLine(Utf8ToAnsi(line))) continue;
    lines.push_back(line);
  }
  return lines;
}

struct Case {
  const char* what;
  std::string file;
  Saving how;
  std::vector<std::string> body;  // UTF-8
  std::string section = "";       // the body of this section alone
};

const std::string kKinds =
    "[General]\r\n# my note\r\n# on two lines\r\nAuthor=A\r\nNewKey=1\r\njust words\r\n# about the version\r\n"
    "Version=2\r\n# tail note\r\n";

TEST(KeptLines, EachKindLandsInItsPlace) {
  const Case cases[] = {
      {"comments before their item, unknown keys and other lines after the items", kKinds, {},
       {"[General]", "# my note", "# on two lines", "Author=A", "# about the version", "Version=2", "NewKey=1",
        "just words", "# tail note"}},
      {"with help lines the comments come before the help line", kKinds, {true, true, true},
       {"[General]", "# my note", "# on two lines", "# 作者", "Author=A", "# about the version",
        "# スキンのバージョン", "Version=2", "NewKey=1", "just words", "# tail note"}},
      {"the option off: as before", kKinds, {false, false, true}, {"[General]", "Author=A", "Version=2"}},
      {"a comment before an unticked item: before its line, every item written",
       "[Settings]\r\n# not yet\r\n#ActiveTabBold=\r\n", {true, true, false},
       {"[Settings]", "# not yet", "# アクティブタブを太字にするか", "#ActiveTabBold="},
       "[Settings]"},
      {"the same, ticked items only: the item writes nothing, the comment goes to the end",
       "[Settings]\r\n# not yet\r\n#ActiveTabBold=\r\n", {}, {"[Settings]", "# not yet"}},
      {"a comment whose item is unticked goes with the kept lines, in file order",
       "[Settings]\r\nTabWidth=120\r\n# bold later\r\nActiveTabBold=\r\nTabHeight=20\r\n", {},
       {"[Settings]", "TabWidth=120", "# bold later", "TabHeight=20"}},
      {"values as written",
       "[General]\r\nButtonWidth=+24\r\nButtonHeight= 20\r\n[Colors]\r\nMenuText=ff0000\r\nMenuHighlight=#FF0000\r\n"
       "[Controls]\r\nMenuItemFontSize=9pt\r\nTitleBarSkinType=bar\r\n",
       {},
       {"[General]", "ButtonWidth=+24", "ButtonHeight= 20", "[Colors]", "MenuText=ff0000", "MenuHighlight=#FF0000",
        "[Controls]", "MenuItemFontSize=9pt", "TitleBarSkinType=bar"}},
      {"values in the editor's form with the option off",
       "[General]\r\nButtonWidth=+24\r\n[Colors]\r\nMenuText=ff0000\r\n", {false, false, true},
       {"[General]", "ButtonWidth=24", "[Colors]", "MenuText=#000000"}},
      {"lines before the first section, at the very top",
       "; made by hand\r\n# top\r\n[General]\r\nAuthor=A\r\n", {}, {"; made by hand", "# top", "[General]", "Author=A"}},
      {"a second [Colors] and a header with text after ']' go after the other sections",
       "[Colors]\r\nMenuText=#000000\r\n[colors]\r\nMenuText=#111111\r\n[Foo] ; note\r\nx=1\r\n[Bar]\r\ny=2\r\n", {},
       {"[Colors]", "MenuText=#000000", "[Bar]", "y=2", "[colors]", "MenuText=#111111", "[Foo] ; note", "x=1"}},
      {"a second [Colors] after a first that writes nothing: the first is still written, so stays the one read",
       "[Colors]\r\n#MenuText=\r\n[Colors]\r\nMenuText=#111111\r\n", {},
       {"[Colors]", "[Colors]", "MenuText=#111111"}},
      {"characters outside the working code page keep their bytes",
       "[General]\r\n# \xF0\x9F\x98\x80 note\r\nAuthor=A\r\nEmoji=\xF0\x9F\x98\x80\r\n", {},
       {"[General]", "# \xF0\x9F\x98\x80 note", "Author=A", "Emoji=\xF0\x9F\x98\x80"}},
      {"a key in another case and a key with spaces are kept lines",
       "[General]\r\nauthor=x\r\nAuthor =y\r\nAuthor=A\r\n", {}, {"[General]", "Author=A", "author=x", "Author =y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string ini = dir.File("skin.ini");
    WriteBytes(ini, c.file);
    Editing editor(ini, c.how);
    ASSERT_TRUE(editor.dialog.SaveSkinFile());
    const std::string written = ReadBytes(ini);
    EXPECT_EQ(Body(written, c.section), c.body) << written;
    // Kept lines are no reason to ask; with the option off, lost ones are.
    EXPECT_EQ(editor.messages.saveQuestions.size(), c.how.keep ? 0u : 1u);
  }
}

// Saved, loaded and saved again without changes: the very same bytes, three
// times over, whatever the options. Lines before the first section stay at
// the very top, before the header, which the next read still knows as the
// editor's (else the later saves would keep it twice).
TEST(KeptLines, SavesAfterTheFirstChangeNothing) {
  const std::string files[] = {
      kKinds,
      "; top\r\n[Settings]\r\n# not yet\r\n#ActiveTabBold=\r\nTabWidth=1\r\n",
      "[General]\r\nButtonWidth=+24\r\n[Colors]\r\n# blue\r\nMenuText=ff0000\r\n[colors]\r\nx=1\r\n[Foo] ; n\r\ny\r\n"
      "[Bar]\r\nz=2\r\n",
      "[Controls]\r\n# \xE3\x83\xA1\xE3\x83\xA2\r\nMenuItemFontSize=9pt\r\nTabSkin=tab.png\r\nNewSkin=new.png\r\n",
      "[Settings]\r\n[Foo]\r\n[settings]\r\nActiveTabBold=enable\r\n",
  };
  for (const std::string& file : files) {
    for (const Saving how : {Saving{true, true, true}, Saving{true, false, false}, Saving{true, true, false}}) {
      SCOPED_TRACE(file + (how.helpLines ? " help" : "") + (how.onlyChecked ? " ticked" : ""));
      TempDir dir;
      const std::string ini = dir.File("skin.ini");
      WriteBytes(ini, file);
      Editing(ini, how).dialog.SaveSkinFile();
      const std::string first = ReadBytes(ini);
      if (file[0] == ';') {
        EXPECT_LT(first.find("; top\r\n"), first.find(kSeparatorLine));
      }
      for (int save = 2; save <= 3; ++save) {
        Editing again(ini, how);
        ASSERT_TRUE(again.dialog.SaveSkinFile());
        EXPECT_TRUE(again.messages.saveQuestions.empty());
        EXPECT_EQ(ReadBytes(ini), first) << "save " << save;
      }
    }
  }
}

// A file with nothing to keep is written as it is with the option off.
TEST(KeptLines, NothingToKeepWritesWhatTheOptionOffWrites) {
  const std::string file =
      "[General]\r\nAuthor=A\r\n[Colors]\r\nMenuText=#102030\r\n[Foo]\r\n; anything\r\nx\r\n";
  std::string written[2];
  for (const bool keep : {false, true}) {
    TempDir dir;
    const std::string ini = dir.File("skin.ini");
    WriteBytes(ini, file);
    ASSERT_TRUE(Editing(ini, {keep, true, true}).dialog.SaveSkinFile());
    written[keep] = ReadBytes(ini);
  }
  EXPECT_EQ(written[1], written[0]);
}

// Once the person changes an item, its own form is written; the others
// keep the file's.
TEST(KeptLines, AChangedItemIsWrittenInItsOwnForm) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  WriteBytes(ini, "[Colors]\r\nMenuText=ff0000\r\nMenuHighlight=00ff00\r\n");
  Editing editor(ini, {});
  FakeValueEditor values;
  // Set to what it already reads as: still a change of the person's.
  values.edit = [](SettingItem& item) { item.ParseValue("#ff0000"); };
  editor.dialog.AttachItemTools({nullptr, &values, nullptr, nullptr});
  editor.dialog.ShowCategory(SettingCategory::Colors);
  editor.list.selected = 0;
  editor.dialog.EditSelectedItem();
  ASSERT_TRUE(editor.dialog.SaveSkinFile());
  EXPECT_EQ(Body(ReadBytes(ini)),
            (std::vector<std::string>{"[Colors]", "MenuText=#ff0000", "MenuHighlight=00ff00"}));
}

// What the analysis says a save does follows the option.
TEST(KeptLines, FindingsSayWhatTheSaveDoes) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  WriteBytes(ini, "; top\r\n[General]\r\nNewKey=1\r\n[Colors]\r\nMenuText=ff0000\r\nMenuTxt=#000000\r\n"
                  "[Controls]\r\nTabSkin=a.png\r\nTabSkin=b.png\r\n");
  const KnownKeys known;
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "kept" : "not kept");
    AnalysisOptions options;
    options.images = false;
    options.keepUnknownLines = keep;
    SkinResult result;
    std::string error;
    ASSERT_TRUE(AnalyseSkinFile(ini, known, options, result, error));
    std::vector<std::string> seen;
    for (const Finding& f : result.findings) {
      seen.push_back(f.code + (f.lostBySave ? " lost: " : " kept: ") + AnsiToUtf8(f.message));
    }
    const std::string gone = keep ? "保存しても残ります" : "保存すると消えます";
    EXPECT_EQ(seen, (std::vector<std::string>{
                        std::string("before-first-section ") + (keep ? "kept" : "lost") +
                            ": 最初のセクションより前にあり、どのセクションにも属しません。" + gone,
                        std::string("unknown-key ") + (keep ? "kept" : "lost") +
                            ": [General] のどの設定でもないキーです。" + gone,
                        std::string("unknown-key ") + (keep ? "kept" : "lost") +
                            ": Orlavix の知らないキーです。MenuText のつづり違いではありませんか",
                        "duplicate-key lost: キーが 2 回あります (行 8, 9)。最後の行の値が使われ、ほかは保存すると消えます",
                        std::string("bad-color ") + (keep ? "kept" : "lost") +
                            ": 色は #rrggbb の形で書きます。「ff0000」は #000000 (黒) と読まれます" +
                            (keep ? "。保存しても書いたとおりに残ります" : ""),
                    }));
  }
}

// One or two edits from a key of the same section, letter case aside.
TEST(KeptLines, TyposNameTheNearestKey) {
  const KnownKeys known;
  struct Case {
    int section;
    const char* key;
    const char* near;
  };
  const Case cases[] = {
      {1, "MenuTxt", "MenuText"}, {1, "menutetx", "MenuText"}, {1, "MenuTextt", "MenuText"},
      {0, "Autor", "Author"},     {0, "Homepage", ""},         {1, "Author", ""},
      {1, "MenuTxtXY", ""},       {2, "abSkin", "TabSkin"},    {3, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(known.KeyNear(c.section, c.key), c.near) << c.key;
}

}  // namespace
}  // namespace orlavix
