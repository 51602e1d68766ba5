#include "support/mbtext.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace orlavix {
namespace {

// Shift_JIS bytes used below: "ソ" is 83 5C (trail byte = backslash),
// "ポ" is 83 7C, "ー" is 81 5B (trail = '['), "ン" 83 93, "ｱ" is the single
// byte B1 (half-width katakana), "Ａ" 82 60, "ａ" 82 81, "ア" 83 41 (trail = 'A').
const std::string kSo = "\x83\x5C";
const std::string kLongMark = "\x81\x5B";
const std::string kHalfA = "\xB1";
const std::string kFullA = "\x82\x60";
const std::string kFullSmallA = "\x82\x81";
const std::string kKataA = "\x83\x41";

TEST(WorkingCodePage, IsShiftJis) {
  // Under Wine this fails unless the run's locale is Japanese: the other tests
  // would then pass without checking code page 932 at all.
  EXPECT_EQ(platform::WorkingCodePage(), 932u);
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xB1));
  EXPECT_FALSE(IsLeadByte('['));
}

TEST(Mbtext, SteppingKeepsTrailBytesInTheirCharacter) {
  const std::string s = "a" + kSo + kLongMark + "]" + kHalfA;
  EXPECT_EQ(NextChar(s, 0), 1u);
  EXPECT_EQ(NextChar(s, 1), 3u);  // trail 5C is not a backslash of its own
  EXPECT_EQ(NextChar(s, 3), 5u);  // trail 5B is not a bracket
  EXPECT_EQ(NextChar(s, 5), 6u);
  EXPECT_EQ(NextChar(s, 6), 7u);
  EXPECT_EQ(NextChar(s, 7), 7u);
  EXPECT_EQ(NextChar(s, 99), s.size());
  // A lead byte with nothing or NUL after it steps alone, as CharNextA does.
  EXPECT_EQ(NextChar("\x83", 0), 1u);
  EXPECT_EQ(NextChar(std::string("\x83\0x", 3), 0), 1u);
}

TEST(Mbtext, CompareWeighsDoubleByteCharactersAsOneNumber) {
  EXPECT_EQ(MbsCompare("abc", "abc"), 0);
  EXPECT_LT(MbsCompare("ab", "abc"), 0);  // a prefix sorts first
  EXPECT_GT(MbsCompare("abc", "ab"), 0);
  EXPECT_LT(MbsCompare("B", "a"), 0);  // no case folding
  // Half-width katakana B1 sorts before any double-byte character even though
  // a byte-wise comparison would put lead byte 0x83 first.
  EXPECT_LT(MbsCompare(kHalfA, kKataA), 0);
  EXPECT_GT(MbsCompare(kKataA, kHalfA), 0);
  EXPECT_LT(MbsCompare("\x81\x5B", "\x83\x41"), 0);
  // 0x835C vs 0x835D: the trail byte decides, unsigned.
  EXPECT_LT(MbsCompare(kSo, "\x83\x5D"), 0);
  EXPECT_GT(MbsCompare("\xE0\x40", "\x9F\xFC"), 0);
  EXPECT_GT(MbsCompare("\xE0", "z"), 0);  // high single byte is unsigned
}

TEST(Mbtext, LowerCaseFoldsAsciiAndFullWidthButNeverTrailBytes) {
  EXPECT_EQ(MbsLower("GeNeRaL"), "general");
  EXPECT_EQ(MbsLower(kFullA), kFullSmallA);
  EXPECT_EQ(MbsLower(kKataA), kKataA);  // trail 'A' stays
  EXPECT_EQ(MbsLower("\x82\x79"), "\x82\x9A");  // full-width Z
  EXPECT_TRUE(EqualsNoCase("Colors", "COLORS"));
  EXPECT_TRUE(EqualsNoCase(kFullA + "b", kFullSmallA + "B"));
  EXPECT_FALSE(EqualsNoCase(kKataA, "\x83\x61"));
  EXPECT_FALSE(EqualsNoCase("General", "Genera"));
}

TEST(Mbtext, TrimRemovesSingleAndIdeographicSpacesOnly) {
  const std::string ideo = "\x81\x40";
  EXPECT_EQ(TrimSpace(" \t\r\n\v\fabc \t"), "abc");
  EXPECT_EQ(TrimSpace(ideo + "abc" + ideo + " "), "abc");
  EXPECT_EQ(TrimSpace("   "), "");
  EXPECT_EQ(TrimSpace(""), "");
  // 0x8140's trail is 0x40 '@'; a character ending in 0x20 does not exist in
  // Shift_JIS, but one whose trail is 0x40 must not be mistaken for space.
  EXPECT_EQ(TrimSpace("x\x82\x40"), "x\x82\x40");
  EXPECT_EQ(TrimSpace("a b"), "a b");
}

TEST(Mbtext, ConversionsRoundTripJapanese) {
  const std::string utf8 = "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88 \xEF\xBD\xB1";  // "ソフト ｱ"
  const std::string sjis = Utf8ToAnsi(utf8);
  EXPECT_EQ(sjis, "\x83\x5C\x83\x74\x83\x67 \xB1");
  EXPECT_EQ(AnsiToUtf8(sjis), utf8);
  EXPECT_EQ(J("[\xE7\xB7\xA8\xE9\x9B\x86]"), "[\x95\xD2\x8F\x57]");  // "[編集]"
  EXPECT_EQ(Utf8ToAnsi(""), "");
  EXPECT_EQ(Utf8ToAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Mbtext, UnrepresentableTextBecomesDefaultCharacterWithoutLosingTheRest) {
  // U+00E9 and an emoji have no Shift_JIS form; invalid UTF-8 neither.
  EXPECT_EQ(Utf8ToAnsi("a\xC3\xA9z"), "a?z");
  // Beyond the basic plane: two UTF-16 units, two default characters.
  EXPECT_EQ(Utf8ToAnsi("a\xF0\x9F\x98\x80z"), "a??z");
  const std::string bad = Utf8ToAnsi("a\xFF\xFEz");
  ASSERT_GE(bad.size(), 3u);
  EXPECT_EQ(bad.front(), 'a');
  EXPECT_EQ(bad.back(), 'z');
  // A lone lead byte at the end cannot be decoded but keeps what came before.
  const std::string tail = AnsiToUtf8("ab\x83");
  ASSERT_GE(tail.size(), 3u);
  EXPECT_EQ(tail.substr(0, 2), "ab");
}

TEST(Mbtext, LargeTextConvertsWhole) {
  std::string utf8;
  for (int i = 0; i < 300000; ++i) utf8 += "\xE3\x81\x82x";  // "あx"
  const std::string sjis = Utf8ToAnsi(utf8);
  EXPECT_EQ(sjis.size(), 900000u);
  EXPECT_EQ(AnsiToUtf8(sjis), utf8);
}

}  // namespace
}  // namespace orlavix
