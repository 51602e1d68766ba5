// Merging sections into catalogues and collecting the other sections, each
// from the file on disk.
#include "document/skin_loader.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/files.h"
#include "support/mbtext.h"
#include "tests/unit/test_files.h"

namespace orlavix {
namespace {

using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

SettingCatalogue GeneralItems() {
  SettingCatalogue items;
  items.AddFromText(J("作者"), "Author", "Nobody", SettingKind::Text);
  items.AddNumber(J("幅"), "Width", 10);
  items.AddBool(J("表示"), "Visible", true);
  return items;
}

struct Loaded {
  SettingCatalogue items = GeneralItems();
  RecordingMessages messages;
};

// Writes text as skin.ini and loads `section` of it into a fresh catalogue.
void Load(const std::string& text, const std::string& section, Loaded& out) {
  TempDir dir;
  WriteBytes(dir.path() / "skin.ini", text);
  SkinDocument doc;
  LoadSection(dir.File("skin.ini"), doc, section, out.items, out.messages);
}

TEST(SkinLoader, EntriesSetValuesAndTickMarksInFileOrder) {
  Loaded loaded;
  Load("Author=Before\r\n[General]\r\nAuthor=Someone\r\nWidth=\r\nwidth=99\r\n#Visible=false\r\n"
       "Unknown=1\r\nVisible=false\r\nVisible=\r\n[Colors]\r\nAuthor=Other\r\n",
       "General", loaded);
  SettingCatalogue& items = loaded.items;
  EXPECT_EQ(items.Find("Author").text, "Someone");
  EXPECT_TRUE(items.Find("Author").checked);
  // An empty value is applied but leaves the item unticked.
  EXPECT_EQ(items.Find("Width").number, 0);
  EXPECT_FALSE(items.Find("Width").checked);
  // The later line decides, even when it is empty.
  EXPECT_FALSE(items.Find("Visible").boolValue);
  EXPECT_FALSE(items.Find("Visible").checked);
  EXPECT_EQ(items.Count(), 3);
  EXPECT_TRUE(loaded.messages.alerts.empty());
}

TEST(SkinLoader, CommentsOtherCaseKeysAndMissingSectionsLeaveDefaults) {
  for (const char* text : {"[General]\n#Author=Someone\nauthor=Someone\nAuthor =Someone\n", "[Colors]\nAuthor=X\n",
                           "[General] ;c\nAuthor=X\n"}) {
    SCOPED_TRACE(text);
    Loaded loaded;
    Load(text, "General", loaded);
    EXPECT_EQ(loaded.items.Find("Author").text, "Nobody");
    EXPECT_FALSE(loaded.items.Find("Author").checked);
  }
  Loaded lower;
  Load("[colors]\nAuthor=X\n", "Colors", lower);
  EXPECT_EQ(lower.items.Find("Author").text, "X");
  Loaded twice;
  Load("[General]\nWidth=1\n[GENERAL]\nAuthor=Second\n", "General", twice);
  EXPECT_EQ(twice.items.Find("Width").number, 1);
  EXPECT_EQ(twice.items.Find("Author").text, "Nobody");
}

TEST(SkinLoader, UnreadableFileLeavesCatalogueAtDefaultsSilently) {
  TempDir dir;
  for (const std::string& path : {dir.File("missing.ini"), std::string()}) {
    SettingCatalogue items = GeneralItems();
    RecordingMessages messages;
    SkinDocument doc;
    doc.SetText("[General]\nAuthor=Stale\n");
    LoadSection(path, doc, "General", items, messages);
    EXPECT_FALSE(doc.HasText());
    EXPECT_EQ(items.Find("Author").text, "Nobody");
    EXPECT_FALSE(items.Find("Author").checked);
    EXPECT_TRUE(messages.alerts.empty());
  }
}

std::string Collect(const std::string& text, std::string extraText = "old") {
  TempDir dir;
  WriteBytes(dir.path() / "skin.ini", text);
  SkinDocument doc;
  RecordingMessages messages;
  CollectOtherSections(dir.File("skin.ini"), doc, extraText, messages);
  EXPECT_TRUE(messages.alerts.empty());
  return extraText;
}

TEST(SkinLoader, CollectsOtherSectionsWithTheirLinesInFileOrder) {
  EXPECT_EQ(Collect("Lead=0\r\n[General]\r\nA=1\r\n[Foo]\r\nX=1\r\n\r\n#note\r\n[Colors]\r\nC=1\r\n[Bar]\r\nY=2\r\n"),
            "[Foo]\nX=1\n#note\n\r\n[Bar]\nY=2\n\r\n");
  EXPECT_EQ(Collect("[general]\nA=1\n[COLORS]\n[Controls]\n[settings]\n[General]\nB=2\n"), "");
  EXPECT_EQ(Collect("[Foo] ;c\nX=1\n[Bar\nY=1\n[ Baz ]\nZ=1\n"), "[ Baz ]\nZ=1\n\r\n");
  EXPECT_EQ(Collect("\xEF\xBB\xBF[拡張]\nキー=値\n"), J("[拡張]\nキー=値\n\r\n"));
}

TEST(SkinLoader, RepeatedOtherSectionKeepsEachOccurrenceWithItsOwnLines) {
  EXPECT_EQ(Collect("[Foo]\nA=1\n[General]\n[foo]\nA=2\nB=3\n[Bar]\n[Foo]\n#only\n"),
            "[Foo]\nA=1\n\r\n[foo]\nA=2\nB=3\n\r\n[Bar]\n\r\n[Foo]\n#only\n\r\n");
}

// The collection follows the read piece by piece: whatever falls on a piece
// boundary (a header, a run of line ends, a character, a NUL, bad bytes) must
// give exactly what collecting the whole decoded text gives.
TEST(SkinLoader, CollectingWhileReadingGivesWhatTheWholeTextGives) {
  TempDir dir;
  RecordingMessages messages;
  const std::string atBoundary[] = {"\r\n[Foo]\r\n", "\n[General]\n", "\r\r\n\n[Bar]\r", "\xE5\x80\xA4\r\n\r\n",
                                    "]\r\n[", std::string("\r\n\0[Cut]\r\n", 11), "\xC3\r\n[Bad]\r\n"};
  for (const bool mark : {false, true}) {
    for (const std::string& piece : atBoundary) {
      for (std::size_t shift = 0; shift <= 6; shift += 2) {
        std::string file = mark ? "\xEF\xBB\xBF[General]\r\nA=1\r\n" : "[General]\r\nA=1\r\n";
        for (int n = 0; file.size() < 2 * platform::kReadPiece + 5000; ++n) {
          if (file.size() + 64 > platform::kReadPiece && file.size() < platform::kReadPiece) {
            file.append(platform::kReadPiece - shift - file.size(), 'x');
            file += piece;
          }
          file += n % 300 == 0 ? "[S" + std::to_string(n) + "]\r\n" : n % 7 == 0 ? "K=\xE5\x80\xA4\n" : "K=v\r\n";
        }
        WriteBytes(dir.path() / "skin.ini", file);
        std::string refText, refBytes;
        CollectOtherSectionsOf(DecodeSkinFileBytes(file), SkinFileUtf8(file), refText, refBytes);
        SkinDocument doc;
        std::string text, bytes, bytesOnly = "old";
        CollectOtherSections(dir.File("skin.ini"), doc, text, messages, &bytes);
        CollectOtherSectionBytes(dir.File("skin.ini"), bytesOnly, messages);
        const std::string what = (mark ? "mark, " : "") + ::testing::PrintToString(piece) + " " + std::to_string(shift);
        EXPECT_TRUE(text == refText) << what;
        EXPECT_TRUE(bytes == refBytes) << what;
        EXPECT_TRUE(bytesOnly == refBytes) << what;
      }
    }
  }
  std::string kept = "[Keep]\r\n\r\n";
  CollectOtherSectionBytes(dir.File("missing.ini"), kept, messages);
  EXPECT_EQ(kept, "[Keep]\r\n\r\n");
  EXPECT_TRUE(messages.alerts.empty());
}

TEST(SkinLoader, UnreadableFileLeavesExtraTextUnchanged) {
  TempDir dir;
  SkinDocument doc;
  RecordingMessages messages;
  std::string extraText = "[Keep]\nX=1\n\r\n";
  CollectOtherSections(dir.File("missing.ini"), doc, extraText, messages);
  EXPECT_EQ(extraText, "[Keep]\nX=1\n\r\n");
  EXPECT_FALSE(doc.HasText());
  EXPECT_TRUE(messages.alerts.empty());
}

#ifndef _WIN32
// The too-large path end to end; the reader's own test covers Windows.
TEST(SkinLoader, TooLargeFileAlertsOnceForEachReadAndChangesNothing) {
  TempDir dir;
  const std::string path = dir.File("skin.ini");
  WriteBytes(dir.path() / "skin.ini", "");
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(std::uint64_t{1} << 32)), 0);
  SettingCatalogue items = GeneralItems();
  SkinDocument doc;
  RecordingMessages messages;
  std::string extraText = "[Keep]\n\r\n";
  LoadSection(path, doc, "General", items, messages);
  CollectOtherSections(path, doc, extraText, messages);
  EXPECT_EQ(messages.alerts.size(), 2u);
  EXPECT_EQ(extraText, "[Keep]\n\r\n");
  EXPECT_EQ(items.Find("Author").text, "Nobody");
  EXPECT_FALSE(doc.HasText());
}
#endif

TEST(SkinLoader, SkinSectionsCompareAsHeaders) {
  EXPECT_TRUE(IsSkinSection("General"));
  EXPECT_TRUE(IsSkinSection("SETTINGS"));
  // Full-width letters fold among themselves, never to ASCII.
  EXPECT_FALSE(IsSkinSection(J("ＣＯＬＯＲＳ")));
  EXPECT_FALSE(IsSkinSection(" General"));
  EXPECT_FALSE(IsSkinSection("Generals"));
}

}  // namespace
}  // namespace orlavix
