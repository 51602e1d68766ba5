#include "document/skin_document.h"

#include <gtest/gtest.h>

#include <random>

#include "support/mbtext.h"
#include "tests/reference/skin_rescan.h"

namespace orlavix {

inline void PrintTo(const SectionEntry& entry, std::ostream* out) {
  *out << "{\"" << entry.key << "\", \"" << entry.value << "\"}";
}

namespace {

using Entries = std::vector<SectionEntry>;
using Names = std::vector<std::string>;

SkinDocument Doc(const std::string& text) {
  SkinDocument doc;
  doc.SetText(text);
  return doc;
}

TEST(SkinDocumentLines, AnyRunOfBreaksSeparatesLinesAndBlankLinesDoNotExist) {
  const Entries expected = {{"A", "1"}, {"B", "2"}, {"C", "3"}};
  for (const char* text : {"[S]\r\nA=1\r\nB=2\r\nC=3\r\n", "[S]\nA=1\nB=2\nC=3", "[S]\rA=1\rB=2\rC=3\r",
                           "[S]\n\rA=1\n\rB=2\n\r\n\rC=3", "\r\n\n\r[S]\n\n\nA=1\r\r\rB=2\r\n\r\nC=3\n\n"}) {
    SCOPED_TRACE(text);
    const SkinDocument doc = Doc(text);
    EXPECT_EQ(doc.SectionNames(), Names{"S"});
    EXPECT_EQ(doc.SectionEntries("S"), expected);
    EXPECT_EQ(doc.SectionText("S"), "[S]\nA=1\nB=2\nC=3\n");
  }
}

TEST(SkinDocumentLines, NulAndFfEndTheTextAndNothingIsTrimmed) {
  const SkinDocument ff = Doc("[S]\nA=1 \t\n\tB=2\nC=3\xFF\n[T]\nD=4\n");
  EXPECT_EQ(ff.SectionNames(), Names{"S"});
  EXPECT_EQ(ff.SectionEntries("S"), (Entries{{"A", "1 \t"}, {"\tB", "2"}, {"C", "3"}}));
  EXPECT_EQ(ff.SectionText("S"), "[S]\nA=1 \t\n\tB=2\nC=3\n");
  EXPECT_EQ(ff.SectionText("T"), "[T]\n");

  const SkinDocument nul = Doc(std::string("[S]\nA=1\n\0[T]\nD=4\n", 18));
  EXPECT_EQ(nul.SectionNames(), Names{"S"});
  EXPECT_TRUE(nul.SectionEntries("T").empty());
}

TEST(SkinDocumentSections, NameLookupIsCaseBlindButExactAndTakesTheFirstHeader) {
  EXPECT_EQ(Doc("[general]\nA=1\n").SectionEntries("General"), (Entries{{"A", "1"}}));
  EXPECT_EQ(Doc("[GENERAL]\nA=1\n").SectionEntries("General"), (Entries{{"A", "1"}}));
  EXPECT_TRUE(Doc("[General] \nA=1\n").SectionEntries("General").empty());
  EXPECT_TRUE(Doc(" [General]\nA=1\n").SectionEntries("General").empty());
  EXPECT_TRUE(Doc("[ General ]\nA=1\n").SectionEntries("General").empty());

  const SkinDocument twice = Doc("[Colors]\nA=1\n[Other]\nX=0\n[colors]\nA=2\nB=3\n");
  EXPECT_EQ(twice.SectionEntries("Colors"), (Entries{{"A", "1"}}));
  EXPECT_EQ(twice.SectionText("COLORS"), "[COLORS]\nA=1\n");  // spelled as asked
  EXPECT_EQ(twice.SectionNames(), (Names{"Colors", "Other", "colors"}));
}

TEST(SkinDocumentSections, FullWidthLettersFoldButTrailBytesNeverDo) {
  // Full-width capitals match their small forms, as single-byte letters do.
  const SkinDocument wide = Doc(J("[ＳＫＩＮ名]\nA=1\n"));
  EXPECT_EQ(wide.SectionEntries(J("ｓｋｉｎ名")), (Entries{{"A", "1"}}));
  EXPECT_EQ(wide.SectionNames(), Names{J("ＳＫＩＮ名")});
  // ア is 83 41 and ャ is 83 61: folding the trail byte 'A' would make them equal.
  const SkinDocument kana = Doc(J("[ア]\nA=1\n"));
  EXPECT_TRUE(kana.SectionEntries(J("ャ")).empty());
  EXPECT_EQ(kana.SectionEntries(J("ア")), (Entries{{"A", "1"}}));
  // ー is 81 5B: its trail byte is '[' and must not end the section.
  const SkinDocument bar = Doc(J("[S]\nA=ー\nーB=2\n#ー\n"));
  EXPECT_EQ(bar.SectionEntries("S"), (Entries{{"A", J("ー")}, {J("ーB"), "2"}}));
  EXPECT_EQ(bar.SectionText("S"), J("[S]\nA=ー\nーB=2\n#ー\n"));
  // A lead byte takes the next byte with it, even a break.
  const SkinDocument lone = Doc("[S]\nA=\x82\n[T]\nB=2\n");
  EXPECT_EQ(lone.SectionNames(), Names{"S"});
  EXPECT_EQ(lone.SectionEntries("S"), (Entries{{"A", "\x82\n[T]"}, {"B", "2"}}));
}

TEST(SkinDocumentSections, MalformedHeadersEndSectionsAndAreNotListed) {
  const SkinDocument doc = Doc(
      "Before=0\n"
      "[General]\nA=1\n"
      "[Broken\nLost=1\n"
      "[Foo] ; note\nLost=2\n"
      "[]\nLost=3\n"
      "[Bar]\nB=2\n");
  EXPECT_EQ(doc.SectionNames(), (Names{"General", "Bar"}));
  EXPECT_EQ(doc.SectionEntries("General"), (Entries{{"A", "1"}}));
  EXPECT_EQ(doc.SectionText("General"), "[General]\nA=1\n");
  EXPECT_EQ(doc.SectionEntries("Bar"), (Entries{{"B", "2"}}));
  EXPECT_EQ(doc.SectionText("Missing"), "[Missing]\n");
  EXPECT_TRUE(doc.SectionEntries("Missing").empty());
  // A name lookup reaches the exact line even where the list does not.
  EXPECT_EQ(doc.SectionEntries(""), (Entries{{"Lost", "3"}}));
  EXPECT_TRUE(doc.SectionEntries("Foo").empty());
}

TEST(SkinDocumentEntries, KeyValueRules) {
  const SkinDocument doc = Doc(
      "[S]\n"
      "Key =spaced\n"
      "   Indented=1\n"
      "\tTabbed=2\n"
      "Empty=\n"
      "=NoKey\n"
      "NoEquals\n"
      "#Comment=1\n"
      " #Hash=3\n"
      ";Semi=4\n"
      "Path=a=b\n"
      "Trail=value ; note\n"
      "Dup=1\n"
      "Dup=2\n"
      "    \n"
      " =x\n");
  EXPECT_EQ(doc.SectionEntries("S"), (Entries{{"Key ", "spaced"},
                                              {"Indented", "1"},
                                              {"\tTabbed", "2"},
                                              {"Empty", ""},
                                              {"#Hash", "3"},
                                              {";Semi", "4"},
                                              {"Path=a", "b"},
                                              {"Trail", "value ; note"},
                                              {"Dup", "1"},
                                              {"Dup", "2"}}));
  EXPECT_EQ(doc.SectionText("S"),
            "[S]\nKey =spaced\n   Indented=1\n\tTabbed=2\nEmpty=\n=NoKey\nNoEquals\n#Comment=1\n"
            " #Hash=3\n;Semi=4\nPath=a=b\nTrail=value ; note\nDup=1\nDup=2\n    \n =x\n");
}

TEST(SkinDocumentSections, SectionTextAtGivesEachOccurrenceItsOwnBody) {
  const SkinDocument doc = Doc("[Foo]\nA=1\n[Bar]\nB=1\n[foo]\nA=2\n#c\n[Foo]\n[Baz]\n");
  ASSERT_EQ(doc.SectionNames(), (Names{"Foo", "Bar", "foo", "Foo", "Baz"}));
  EXPECT_EQ(doc.SectionTextAt(0), "[Foo]\nA=1\n");
  EXPECT_EQ(doc.SectionTextAt(1), "[Bar]\nB=1\n");
  EXPECT_EQ(doc.SectionTextAt(2), "[foo]\nA=2\n#c\n");
  EXPECT_EQ(doc.SectionTextAt(3), "[Foo]\n");
  EXPECT_EQ(doc.SectionTextAt(4), "[Baz]\n");
  EXPECT_EQ(doc.SectionTextAt(5), "");
}

TEST(SkinDocumentSections, AbsentAndEmptyDocumentsAnswerNothing) {
  SkinDocument doc;
  EXPECT_FALSE(doc.HasText());
  EXPECT_TRUE(doc.SectionNames().empty());
  EXPECT_TRUE(doc.SectionEntries("General").empty());
  EXPECT_EQ(doc.SectionText("General"), "[General]\n");
  EXPECT_EQ(doc.SectionTextAt(0), "");
  doc.SetText("\r\n\r\n");
  EXPECT_TRUE(doc.HasText());
  EXPECT_TRUE(doc.SectionNames().empty());
  // A new text replaces the old one and its index entirely.
  doc.SetText("[A]\nX=1\n");
  doc.SetText("[B]\nY=2\n");
  EXPECT_EQ(doc.SectionNames(), Names{"B"});
  EXPECT_TRUE(doc.SectionEntries("A").empty());
}

// The indexed reader against the rescanning one, on texts built from the
// pieces that make the rules interesting.
TEST(SkinDocumentSections, AgreesWithRescanningFromTheStart) {
  const std::vector<std::string> pieces = {
      "[General]", "[general]", "[Foo]", "[FOO]", "[foo] ", "[Bar", "[]", "[x]", "K=v", "K==v",
      "=v", " K=v", "\tK=v", "#K=v", " #K=v", "K", "\r", "\n", "\r\n", "\n\r", "\xFF",
      J("[ア]"), J("[ャ]"), J("ー=ソ"), J("[ＦＯＯ]"), J("[ｆｏｏ]"), "\x82", "[\x83]", "=", "[[x]]"};
  std::mt19937 random(1234);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int count = static_cast<int>(random() % 24);
    for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()] + (random() % 3 ? "\n" : "");
    SCOPED_TRACE(text);
    const SkinDocument doc = Doc(text);
    const Names names = doc.SectionNames();
    ASSERT_EQ(names, rescan::SectionNames(text));
    Names probes = names;
    for (const char* extra : {"General", "foo", "Bar", "", "x", "Missing"}) probes.push_back(extra);
    for (const std::string& name : probes) {
      ASSERT_EQ(doc.SectionEntries(name), rescan::SectionEntries(text, name)) << name;
      ASSERT_EQ(doc.SectionText(name), rescan::SectionText(text, name)) << name;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      ASSERT_EQ(doc.SectionTextAt(i), rescan::OwnSectionText(text, i)) << i;
      bool earlier = false;
      for (std::size_t j = 0; j < i; ++j) earlier = earlier || EqualsNoCase(names[j], names[i]);
      if (!earlier) {
        ASSERT_EQ(doc.SectionTextAt(i), rescan::SectionText(text, names[i])) << i;
      }
    }
  }
}

}  // namespace
}  // namespace orlavix
