// The table-driven code page 932 conversions give exactly the bytes of the
// plain iconv conversions they replaced: every character of the basic plane,
// every byte pair, malformed input, and generated text with every kind of
// line end. Windows keeps the system's converters, so this runs natively.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <random>
#include <string>

#include "document/skin_writer.h"
#include "platform/codepage.h"
#include "support/mbtext.h"
#include "tests/reference/iconv_codepage.h"

namespace orlavix {
namespace {

std::string Utf8Of(char32_t cp) {
  std::string out;
  reference::AppendUtf8(out, cp);
  return out;
}

// The writer's line ends as four whole-text replacements.
std::string FourReplacements(std::string text) {
  const auto replaceAll = [](const std::string& s, const std::string& from, const std::string& to) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
      out.append(s, pos, hit - pos);
      out += to;
    }
    return out + s.substr(pos);
  };
  text = replaceAll(text, "\r\n", "\n");
  text = replaceAll(text, "\n\r", "\n");
  text = replaceAll(text, "\r", "\n");
  return replaceAll(text, "\n", "\r\n");
}

// Where two long outputs part, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  const std::size_t from = i < 16 ? 0 : i - 16;
  return "at byte " + std::to_string(i) + ": " + ::testing::PrintToString(a.substr(from, 40)) + " vs " +
         ::testing::PrintToString(b.substr(from, 40));
}

#define EXPECT_SAME_BYTES(a, b)                                  \
  do {                                                           \
    const std::string x = (a), y = (b);                          \
    EXPECT_TRUE(x == y) << FirstDifference(x, y);                \
  } while (0)

TEST(Cp932Tables, AgreeWithIconvOnEveryCharacterAndEveryBytePair) {
  // UTF-8 to the code page: the whole basic plane, characters beyond it,
  // and the text the code page gives back.
  std::string plane;
  for (char32_t cp = 1; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    plane += Utf8Of(cp);
    if (cp % 7 == 0) plane += '\n';
  }
  for (char32_t cp : {0x10000, 0x1F600, 0x10FFFF}) plane += Utf8Of(cp) + "x";
  const std::string working = platform::Utf8ToWorking(plane);
  EXPECT_SAME_BYTES(working, reference::Utf8ToWorking(plane));
  std::string inPlace = "x" + plane;
  platform::Utf8ToWorkingInPlace(inPlace, 1);
  EXPECT_SAME_BYTES(inPlace, working);
  EXPECT_SAME_BYTES(platform::WorkingToUtf8(working), reference::WorkingToUtf8(working));
  // A save collects the other sections from the file's own bytes: that needs
  // '[', CR and LF to come from themselves alone.
  for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string one = platform::Utf8ToWorking(Utf8Of(cp));
    EXPECT_TRUE(one != "[" && one != "\r" && one != "\n") << static_cast<unsigned>(cp);
  }

  // The code page to UTF-8: every byte alone and every lead with every
  // trail, then each pair before an ASCII byte and before a lead byte.
  std::string pairs, pairsBeforeLead;
  for (int first = 0x80; first < 0x100; ++first) {
    pairs += static_cast<char>(first);
    pairs += ' ';
    for (int second = 1; second < 0x100; ++second) {
      const std::string pair{static_cast<char>(first), static_cast<char>(second)};
      pairs += pair + "a";
      pairsBeforeLead += pair + "\x81";
    }
  }
  EXPECT_SAME_BYTES(platform::WorkingToUtf8(pairs), reference::WorkingToUtf8(pairs));
  EXPECT_SAME_BYTES(platform::WorkingToUtf8(pairsBeforeLead), reference::WorkingToUtf8(pairsBeforeLead));
  EXPECT_SAME_BYTES(platform::WorkingToUtf8("\x81"), reference::WorkingToUtf8("\x81"));
  EXPECT_EQ(platform::WorkingToUtf8(J("ソース")), "\xE3\x82\xBD\xE3\x83\xBC\xE3\x82\xB9");
}

TEST(Cp932Tables, AgreeWithIconvOnMalformedAndGeneratedText) {
  std::mt19937 random(932);
  // Bytes that make for trouble: UTF-8 leads and continuations, overlong and
  // surrogate forms, code page leads, trail bytes that look like ASCII, breaks.
  const std::string pieces[] = {"\xC0", "\xC1\x81", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5",
                                "\xE3\x81", "\x80", "\xBF", "\xFE", "\xFF", "\xE3\x81\x82", "\xC3\xA9",
                                "\xF0\x9F\x98\x80", "\x81", "\x83\x5C", "\x81\x5B", "\xA0", "\xFD", "\xB1",
                                "\r", "\n", "\r\n", "\n\r", "\r\r\n", "a", "[x]", "=", " ", "\xEF\xBD\xB1"};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int k = 0; k < count; ++k) text += pieces[random() % (sizeof pieces / sizeof pieces[0])];
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_SAME_BYTES(platform::Utf8ToWorking(text), reference::Utf8ToWorking(text));
    // Decoded over its own bytes, after a mark of three bytes or none.
    for (const std::string& mark : {std::string(), std::string("\xEF\xBB\xBF")}) {
      std::string buffer = mark + text;
      platform::Utf8ToWorkingInPlace(buffer, mark.size());
      EXPECT_SAME_BYTES(buffer, reference::Utf8ToWorking(text));
    }
    EXPECT_SAME_BYTES(platform::WorkingToUtf8(text), reference::WorkingToUtf8(text));
    // The writer's one-pass line ends and encoding.
    EXPECT_SAME_BYTES(NormalizeLineEnds(text), FourReplacements(text));
    EXPECT_SAME_BYTES(EncodeSkinText(text), reference::WorkingToUtf8(FourReplacements(text)));
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace orlavix
#endif
