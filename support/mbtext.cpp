#include "support/mbtext.h"

#include <cstdio>

#include "platform/codepage.h"

namespace orlavix {

namespace detail {
#define ORLAVIX_X16(v) v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v
// Code page 932: 0x81-0x9F and 0xE0-0xFC lead.
const unsigned char leadBytes[256] = {
    ORLAVIX_X16(0), ORLAVIX_X16(0), ORLAVIX_X16(0), ORLAVIX_X16(0),
    ORLAVIX_X16(0), ORLAVIX_X16(0), ORLAVIX_X16(0), ORLAVIX_X16(0),
    0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 0x80-0x8F
    ORLAVIX_X16(1),                                   // 0x90-0x9F
    ORLAVIX_X16(0), ORLAVIX_X16(0), ORLAVIX_X16(0), ORLAVIX_X16(0),  // 0xA0-0xDF
    ORLAVIX_X16(1),                                   // 0xE0-0xEF
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,  // 0xF0-0xFF
};
#undef ORLAVIX_X16

}  // namespace detail

namespace {

unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Value of the character at i as _mbscmp weighs it.
unsigned CharValue(std::string_view s, std::size_t i, std::size_t len) {
  return len == 2 ? Byte(s, i) * 256u + Byte(s, i + 1) : Byte(s, i);
}

}  // namespace

int MbsCompare(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t la = CharLength(a, i), lb = CharLength(b, j);
    const unsigned ca = CharValue(a, i, la), cb = CharValue(b, j, lb);
    if (ca != cb) return ca < cb ? -1 : 1;
    i += la;
    j += lb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

std::string MbsLower(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t len = CharLength(out, i);
    const unsigned c = CharValue(out, i, len);
    if (len == 1 && c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + 0x20);
    } else if (len == 2 && c >= 0x8260 && c <= 0x8279) {  // full-width A-Z to a-z
      out[i + 1] = static_cast<char>((c + 0x21) & 0xFF);
    }
    i += len;
  }
  return out;
}

namespace {

// The character at i as MbsLower leaves it, as one number.
unsigned FoldedCharValue(std::string_view s, std::size_t i, std::size_t len) {
  const unsigned c = CharValue(s, i, len);
  if (len == 1 && c >= 'A' && c <= 'Z') return c + 0x20;
  if (len == 2 && c >= 0x8260 && c <= 0x8279) return (c & 0xFF00) | ((c + 0x21) & 0xFF);
  return c;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  // Folding keeps every character's length, so equal texts step alike.
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t la = CharLength(a, i), lb = CharLength(b, i);
    if (la != lb || FoldedCharValue(a, i, la) != FoldedCharValue(b, i, lb)) return false;
    i += la;
  }
  return true;
}

bool IsSpaceAt(std::string_view s, std::size_t i) {
  const std::size_t len = CharLength(s, i);
  if (len == 0) return false;
  const unsigned c = CharValue(s, i, len);
  if (len == 2) return c == 0x8140;
  return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

std::string TrimSpace(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsSpaceAt(s, begin)) begin = NextChar(s, begin);
  // The end can only be found walking forward: a trail byte may look like a space.
  std::size_t end = begin;
  for (std::size_t i = begin; i < s.size(); i = NextChar(s, i)) {
    if (!IsSpaceAt(s, i)) end = NextChar(s, i);
  }
  return std::string(s.substr(begin, end - begin));
}

std::string Utf8ToAnsi(std::string_view utf8) { return platform::Utf8ToWorking(utf8); }

std::string AnsiToUtf8(std::string_view ansi) { return platform::WorkingToUtf8(ansi); }

std::string AnsiToUtf8WithLineEnds(std::string_view ansi, std::size_t (*lineEnds)(std::string_view run)) {
  return platform::WorkingToUtf8CrLf(ansi, lineEnds);
}

std::string CodePointNames(const std::u32string& points) {
  std::string names;
  for (const char32_t point : points) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    if (!names.empty()) names += ", ";
    names += code;
  }
  return names;
}

}  // namespace orlavix
