// A save never damages skin.ini: every way the disk can fail leaves the old
// file and the backups whole; other sections keep their own characters; a
// UTF-16 or Shift_JIS file reads as the text it holds; a save that would
// leave something out names it first, and a file the editor wrote has nothing
// to name.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#elif defined(__linux__)
#include <sys/mount.h>
#endif

#include "analysis/skin_analysis.h"
#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "editor/editor_dialog.h"
#include "editor/save_question.h"
#include "model/catalogues.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "support/mbtext.h"
#include "tests/unit/editor_fakes.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Names in the folder, sorted: what a failed save may have left behind.
std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The editor in editing mode on one skin.ini, its options built.
struct EditorOn {
  explicit EditorOn(const std::string& ini) {
    dialog.choosingSkin = false;
    dialog.ShowCategory(SettingCategory::Options);
    dialog.skinIniPath = ini;
  }
  FakeItemList list;
  FakeControls controls;
  FakeMessages messages;
  EditorDialog dialog{list, controls, messages};
};

class FaultScope {
 public:
  explicit FaultScope(const platform::FileFaults& faults) { platform::SetFileFaults(faults); }
  ~FaultScope() { platform::ClearFileFaults(); }
};

TEST(SkinSaveSafety, EveryFailingStepLeavesSkinIniAndTheBackupsWhole) {
  const std::string old = "[General]\r\nAuthor=old\r\n[Foo]\r\nx=1\r\n";
  const std::string text = "[General]\nAuthor=" + std::string(5000, 'n') + "\n";
  struct Case {
    const char* name;
    platform::FileFaults faults;
    SaveError expected;
    bool backupMade;  // the failure comes after a whole backup
  };
  const auto faults = [](std::int64_t write, bool flush, bool replace, std::int64_t copy, platform::FileError why) {
    platform::FileFaults f;
    f.failWriteAfter = write;
    f.failFlush = flush;
    f.failReplace = replace;
    f.failCopyAfter = copy;
    f.error = why;
    return f;
  };
  using FE = platform::FileError;
  const Case cases[] = {
      {"write fails at once", faults(0, false, false, -1, FE::DiskFull), SaveError::DiskFull, true},
      {"write fails midway", faults(2500, false, false, -1, FE::DiskFull), SaveError::DiskFull, true},
      {"flush fails", faults(-1, true, false, -1, FE::Other), SaveError::Other, true},
      {"replace refused", faults(-1, false, true, -1, FE::InUse), SaveError::InUse, true},
      {"replace read-only", faults(-1, false, true, -1, FE::ReadOnly), SaveError::ReadOnly, true},
      {"backup fails at once", faults(-1, false, false, 0, FE::DiskFull), SaveError::DiskFull, false},
      {"backup fails midway", faults(-1, false, false, 10, FE::Other), SaveError::Backup, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string ini = dir.File("skin.ini");
    WriteBytes(ini, old);
    SaveError why = SaveError::None;
    {
      FaultScope scope(c.faults);
      EXPECT_FALSE(WriteSkinFile(ini, text, &why));
    }
    EXPECT_EQ(why, c.expected);
    EXPECT_EQ(ReadBytes(ini), old);
    const std::vector<std::string> expected =
        c.backupMade ? std::vector<std::string>{"skin.ini", "skin.ini.000"} : std::vector<std::string>{"skin.ini"};
    EXPECT_EQ(FolderNames(dir.path()), expected);  // no temporary file, no partial backup
    if (c.backupMade) {
      EXPECT_EQ(ReadBytes(ini + ".000"), old);
    }

    // The disk recovers: the next save goes through and its backup is whole.
    ASSERT_TRUE(WriteSkinFile(ini, text, &why));
    EXPECT_EQ(why, SaveError::None);
    EXPECT_EQ(ReadBytes(ini), EncodeSkinText(text));
    EXPECT_EQ(ReadBytes(ini + (c.backupMade ? ".001" : ".000")), old);
  }

  // With all thousand numbers taken, a failed copy keeps the old 999.
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  WriteBytes(ini, old);
  for (int n = 0; n < 1000; ++n) WriteBytes(BackupName(ini, n), "backup " + std::to_string(n));
  {
    FaultScope scope(faults(-1, false, false, 5, FE::DiskFull));
    EXPECT_FALSE(WriteSkinFile(ini, text));
  }
  EXPECT_EQ(ReadBytes(ini + ".999"), "backup 999");
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_EQ(FolderNames(dir.path()).size(), 1001u);
}

#ifdef _WIN32
TEST(SkinSaveSafety, WindowsReasonsComeFromTheSystem) {
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  WriteBytes(ini, "held");
  // Held open by another program, even one that lets others read and write.
  HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SaveError why = SaveError::None;
  EXPECT_FALSE(WriteSkinFile(ini, "[General]\nA=1\n", &why));
  EXPECT_EQ(why, SaveError::InUse);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(ini), "held");

  std::filesystem::remove(ini + ".000");
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteSkinFile(ini, "[General]\nA=1\n", &why));
  EXPECT_EQ(why, SaveError::ReadOnly);
  EXPECT_EQ(ReadBytes(ini), "held");
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove(ini + ".000");

  // A hidden skin.ini stays hidden: the replace keeps the old file's attributes.
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(WriteSkinFile(ini, "[General]\nA=1\n", &why));
  EXPECT_EQ(ReadBytes(ini), "[General]\r\nA=1\r\n");
  EXPECT_TRUE(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"skin.ini", "skin.ini.000"}));
}
#endif

#if defined(__linux__)
// A real file system that fills up: a tiny tmpfs, where the machine lets us
// mount one.
class TinyDisk {
 public:
  explicit TinyDisk(const std::filesystem::path& where) : where_(where) {
    std::filesystem::create_directories(where_);
    mounted_ = mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~TinyDisk() {
    if (mounted_) umount2(where_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  std::filesystem::path where_;
  bool mounted_ = false;
};

TEST(SkinSaveSafety, AFullDiskLosesNothing) {
  TempDir dir;
  TinyDisk disk(dir.path() / "disk");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: the full-disk test did not run";
  const std::filesystem::path folder = dir.path() / "disk";
  const std::string ini = (folder / "skin.ini").string();
  const std::string old = "[General]\r\nAuthor=old\r\n[Foo]\r\n" + std::string(20000, 'o') + "\r\n";
  WriteBytes(ini, old);
  ASSERT_EQ(ReadBytes(ini), old);

  // Room for the backup but not for the new file beside it.
  const std::string bigger = "[General]\nAuthor=" + std::string(40000, 'n') + "\n";
  SaveError why = SaveError::None;
  EXPECT_FALSE(WriteSkinFile(ini, bigger, &why));
  EXPECT_EQ(why, SaveError::DiskFull);
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_EQ(ReadBytes(ini + ".000"), old);
  EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"skin.ini", "skin.ini.000"}));

  // No room for another backup: nothing new is left behind.
  WriteBytes(folder / "filler", std::string(20000, 'f'));
  EXPECT_FALSE(WriteSkinFile(ini, "[General]\nA=1\n", &why));
  EXPECT_EQ(why, SaveError::DiskFull);
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"filler", "skin.ini", "skin.ini.000"}));

  // Space freed: the save goes through.
  std::filesystem::remove(folder / "filler");
  ASSERT_TRUE(WriteSkinFile(ini, "[General]\nA=1\n", &why));
  EXPECT_EQ(ReadBytes(ini), "[General]\r\nA=1\r\n");
  EXPECT_EQ(ReadBytes(ini + ".001"), old);
}
#endif

class OtherSectionsTest : public ::testing::Test {
 protected:
  OtherSectionsTest() { ini = dir.File("skin.ini"); }

  // Loads every catalogue from the file as the editor does, then saves;
  // unless `keep`, with the option that keeps what the editor does not know
  // turned off.
  bool LoadAndSave(bool keep = true) {
    EditorOn editor(ini);
    EditorDialog& dialog = editor.dialog;
    dialog.optionItems.Find(option::KeepUnknownLines).boolValue = keep;
    for (SettingCategory c : {SettingCategory::General, SettingCategory::Colors, SettingCategory::Controls,
                              SettingCategory::Settings}) {
      dialog.ShowCategory(c);
    }
    return dialog.SaveSkinFile();
  }

  // What the save wrote before other sections kept their own bytes: every
  // section through the working code page.
  std::string ThroughTheCodePage() {
    FakeMessages messages;
    SettingCatalogue catalogues[4];
    SkinDocument doc;
    const char* sections[4] = {"General", "Colors", "Controls", "Settings"};
    const SettingCategory categories[4] = {SettingCategory::General, SettingCategory::Colors,
                                           SettingCategory::Controls, SettingCategory::Settings};
    for (int i = 0; i < 4; ++i) {
      BuildCatalogue(categories[i], catalogues[i]);
      LoadSection(ini, doc, sections[i], catalogues[i], messages);
    }
    std::string extraText;
    CollectOtherSections(ini, doc, extraText, messages);
    return EncodeSkinText(
        BuildSkinText({catalogues[0], catalogues[1], catalogues[2], catalogues[3], extraText}, SectionStyle{}));
  }

  TempDir dir;
  std::string ini;
};

TEST_F(OtherSectionsTest, KeepTheirOwnCharactersWhileKnownSectionsGoThroughTheCodePage) {
  // é, Hangul, an emoji, ¥, €, ‾, 〜, —, a no-break space, and a malformed byte.
  const std::string foreign = "Caf\xC3\xA9 \xED\x95\x9C\xEA\xB8\x80 \xF0\x9F\x98\x80 \xC2\xA5 \xE2\x82\xAC "
                              "\xE2\x80\xBE \xE3\x80\x9C \xE2\x80\x94 \xC2\xA0";
  WriteBytes(ini, "[General]\r\nAuthor=" + foreign + "\r\n[Foo]\r\nName=" + foreign + "\r\n# " + foreign +
                      "\r\n\r\n[" + foreign + "]\n" + foreign + "\n[Bar]\rbad=\xC3(\r");
  ASSERT_TRUE(LoadAndSave());
  const std::string written = ReadBytes(ini);
  const std::string others = written.substr(written.find("[Foo]"));
  EXPECT_EQ(others, "[Foo]\r\nName=" + foreign + "\r\n# " + foreign + "\r\n\r\n[" + foreign + "]\r\n" + foreign +
                        "\r\n\r\n[Bar]\r\nbad=\xEF\xBF\xBD(\r\n\r\n");
  // The editor shows and edits Author: that value went through the code page.
  EXPECT_NE(written.find("Author=Caf?"), std::string::npos);
  // The view of the other sections still shows them converted.
  FakeMessages messages;
  SkinDocument doc;
  std::string extraText, extraBytes;
  CollectOtherSections(ini, doc, extraText, messages, &extraBytes);
  EXPECT_EQ(extraText.substr(0, 11), "[Foo]\nName=");
  EXPECT_EQ(extraBytes, others);
  // A second save changes nothing.
  ASSERT_TRUE(LoadAndSave());
  EXPECT_EQ(ReadBytes(ini), written);
}

TEST_F(OtherSectionsTest, FilesWithinTheCodePageAreWrittenAsBefore) {
  std::vector<std::string> inputs;
  for (const auto& skin : std::filesystem::directory_iterator(ORLAVIX_TEST_DATA "/../../demo/resources/skins")) {
    inputs.push_back(ReadBytes((skin.path() / "skin.ini").string()));
  }
  ASSERT_GE(inputs.size(), 3u);
  // Generated: Japanese text, repeated and empty sections, every line end,
  // a byte-order mark, a cut-off header, lines before the first header.
  inputs.push_back("\xEF\xBB\xBFlead=1\n[Foo]\r\nk=\xE5\x80\xA4\r\n\r\n# \xE8\xAA\xAC\xE6\x98\x8E\n[foo]\rA=b=c\n\r"
                   "[Empty]\n[General]\nAuthor=\xE5\xB1\xB1\n[Cut\nx=1\n[Foo] ;c\ny=2\n[Z]\n  sp=\t1 \n");
  inputs.push_back("[\xEF\xBC\xA7\xEF\xBD\x85\xEF\xBD\x8E]\nkey=\xEF\xBD\xB1\xEF\xBD\xB2\n[Colors]\nMenuText=#102030\n");
  for (const std::string& input : inputs) {
    WriteBytes(ini, input);
    const std::string before = ThroughTheCodePage();
    ASSERT_TRUE(LoadAndSave(false));
    EXPECT_EQ(ReadBytes(ini), before) << input;
  }
}

TEST(SkinFileEncodings, Utf16WithByteOrderMarkReadsAsItsText) {
  const std::u16string text = u"[General]\r\nAuthor=\u5C71\u7530\r\n[Foo]\r\nx=\U0001F600\r\n";
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t unit : text) {
    le += static_cast<char>(unit & 0xFF);
    le += static_cast<char>(unit >> 8);
    be += static_cast<char>(unit >> 8);
    be += static_cast<char>(unit & 0xFF);
  }
  const std::string utf8 = "[General]\r\nAuthor=\xE5\xB1\xB1\xE7\x94\xB0\r\n[Foo]\r\nx=\xF0\x9F\x98\x80\r\n";
  for (const std::string& bytes : {le, be}) {
    EXPECT_EQ(DecodeSkinFileBytes(bytes), DecodeSkinFileBytes(utf8));
    EXPECT_EQ(SkinFileUtf8(bytes), utf8);
  }
  // A U+0000 ends the contents; an unpaired surrogate and an odd byte become U+FFFD.
  EXPECT_EQ(SkinFileUtf8(std::string("\xFF\xFE" "a\0\0\0b\0", 8)), "a");
  EXPECT_EQ(SkinFileUtf8(std::string("\xFE\xFF\xD8\x00\x00z\x00", 7)), "\xEF\xBF\xBDz\xEF\xBF\xBD");
  // UTF-8 is kept except what is malformed: overlong, surrogate, cut short.
  std::string replaced = "a";
  for (int i = 0; i < 7; ++i) replaced += "\xEF\xBF\xBD";
  EXPECT_EQ(SkinFileUtf8("\xEF\xBB\xBF" "a\xC0\x80\xED\xA0\x80\xE3\x81"), replaced);

  // Read and saved through the editor: written back as UTF-8.
  TempDir dir;
  const std::string ini = dir.File("skin.ini");
  WriteBytes(ini, le);
  EditorOn editor(ini);
  EditorDialog& dialog = editor.dialog;
  dialog.ShowCategory(SettingCategory::General);
  EXPECT_EQ(dialog.generalItems.ValueTextOf("Author"), J("山田"));
  ASSERT_TRUE(dialog.SaveSkinFile());
  const std::string written = ReadBytes(ini);
  EXPECT_NE(written.find("Author=\xE5\xB1\xB1\xE7\x94\xB0\r\n"), std::string::npos);
  EXPECT_NE(written.find("[Foo]\r\nx=\xF0\x9F\x98\x80\r\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(ini + ".000"), le);
}

// A skin.ini from an older Japanese editor ("ANSI": Shift_JIS) reads as the
// text it holds and is saved as UTF-8, though some of its pairs look like
// UTF-8 (ﾃｽ, ﾄ版); a UTF-8 file with a few stray bytes stays UTF-8.
TEST(SkinFileEncodings, ShiftJisIsToldFromUtf8WithStrayBytes) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string author, extra;  // UTF-8, as the save writes them
    const char* code;           // what orlavix-check says of the file
    std::size_t questions;      // asked before the save
  };
  const Case cases[] = {
      {"Shift_JIS",
       "[General]\r\nAuthor=\x90\xC2\x96\xD8 \x82\xD0\x82\xA9\x82\xE8\r\nDescription=\x8Ft\x90" "F\x82\xCC\x83X\x83L"
       "\x83\x93\x82\xC5\x82\xB7\x81" "B\xC3\xBD\xC4\x94\xC5\r\n[Colors]\r\nMenuText=#102030\r\n[Extra]\r\n"
       "\x83\x81\x83\x82=\x83" "e\x83X\x83g\r\n",
       "青木 ひかり", "メモ=テスト", "shift-jis", 0},
      {"UTF-8 with stray bytes",
       "[General]\r\nAuthor=山田 太郎\r\nDescription=春色のスキン Caf\xE9s\r\n[Extra]\r\nメモ=テ\x82スト\r\n", "山田 太郎",
       "メモ=テ\xEF\xBF\xBDスト", "invalid-utf8", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string ini = dir.File("skin.ini");
    WriteBytes(ini, c.bytes);
    SkinResult checked;
    std::string error;
    ASSERT_TRUE(CheckSkin(dir.path().string(), "skin.ini", KnownKeys(), checked, error));
    ASSERT_FALSE(checked.findings.empty());
    EXPECT_EQ(checked.findings.back().code, c.code);
    // Loaded, saved (after the question, if any) and backed up.
    EditorOn editor(ini);
    editor.dialog.ShowCategory(SettingCategory::General);
    ASSERT_TRUE(editor.dialog.SaveSkinFile());
    EXPECT_EQ(editor.messages.saveQuestions.size(), c.questions);
    const std::string written = ReadBytes(ini);
    EXPECT_NE(written.find("Author=" + c.author + "\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[Extra]\r\n" + c.extra + "\r\n"), std::string::npos) << written;
    EXPECT_EQ(ReadBytes(ini + ".000"), c.bytes);
  }
}

// The question a save of the file would ask, naming skin.ini.007 as its
// backup: by default with the option that keeps what the editor does not
// know turned off.
std::string QuestionFor(const std::string& ini, bool keep = false) {
  AnalysisOptions options;
  options.images = false;
  options.authorComments = true;
  options.keepUnknownLines = keep;
  SkinResult result;
  std::string error;
  EXPECT_TRUE(AnalyseSkinFile(ini, KnownKeys(), options, result, error)) << error;
  return SaveQuestionText(result.findings, "skin.ini.007");
}

TEST(SaveQuestion, NamesEachThingTheSaveLeavesOutOrChanges) {
  std::string unknownKeys = "[General]\r\n";
  std::vector<std::string> twelve;
  for (std::string n : {"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}) {
    unknownKeys += "Key" + n + "=1\r\n";
    twelve.push_back(n + " 行目: Key" + n + ": [General] のどの設定でもないキーです");
  }
  twelve.resize(12);
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

// Saved by the editor (help lines and unticked items too), a skin holds
// nothing its next save would leave out, and orlavix-check finds no line
// that a save drops: with the option that keeps the author's lines, those
// are still there and kept again.
TEST(SaveQuestion, AFileTheEditorSavedAsksNothing) {
  for (const auto& skin : std::filesystem::directory_iterator(ORLAVIX_TEST_DATA "/../../demo/resources/skins")) {
    for (const bool onlyChecked : {true, false}) {
      SCOPED_TRACE(skin.path().filename().string() + (onlyChecked ? ", ticked items only" : ", every item"));
      TempDir dir;
      const std::string ini = dir.File("skin.ini");
      WriteBytes(ini, ReadBytes((skin.path() / "skin.ini").string()));
      EditorOn editor(ini);
      editor.controls.saveOnlyChecked = onlyChecked;
      for (SettingCategory c : {SettingCategory::General, SettingCategory::Colors, SettingCategory::Controls,
                                SettingCategory::Settings}) {
        editor.dialog.ShowCategory(c);
      }
      ASSERT_TRUE(editor.dialog.SaveSkinFile());
      EXPECT_EQ(QuestionFor(ini, true), "");
      SkinResult result;
      std::string error;
      ASSERT_TRUE(CheckSkin(dir.path().string(), "skin.ini", KnownKeys(), result, error));
      for (const Finding& f : result.findings) EXPECT_FALSE(f.lostBySave) << f.code;
    }
  }
}

}  // namespace
}  // namespace orlavix
