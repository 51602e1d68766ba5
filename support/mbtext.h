// Every rule about text in the working code page lives here: nothing else in
// the program steps through multibyte text on its own. On Windows the working
// code page is the ANSI code page; elsewhere it is code page 932 (Shift_JIS),
// so the same tests see the same behaviour on both sides.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlavix {

namespace detail {
// One entry per byte: 1 when it starts a double-byte character. Constant for
// code page 932 from the start; on Windows, adjusted once to the system's
// code page before main() when that is another one.
extern unsigned char leadBytes[256];
}  // namespace detail

// True when c starts a double-byte character in the working code page.
inline bool IsLeadByte(unsigned char c) { return detail::leadBytes[c] != 0; }

// Number of bytes of the character at i (1 or 2; 0 at the end): a lead byte
// takes its trail with it unless the trail is missing or NUL, as CharNextA.
inline std::size_t CharLength(std::string_view s, std::size_t i) {
  if (i >= s.size()) return 0;
  return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() && s[i + 1] != '\0' ? 2 : 1;
}

// Index of the character after the one at i, as CharNextA steps. i at or past
// the end gives s.size().
inline std::size_t NextChar(std::string_view s, std::size_t i) {
  if (i >= s.size()) return s.size();
  return i + CharLength(s, i);
}

// Compares as _mbscmp: character by character, a double-byte character
// counting as lead * 256 + trail, unsigned; a prefix sorts first.
// Returns <0, 0 or >0.
int MbsCompare(std::string_view a, std::string_view b);

// Lower-cases as _mbslwr in code page 932: ASCII A-Z and the full-width Latin
// capitals; trail bytes are never touched.
std::string MbsLower(std::string_view s);

// Case-blind equality for section headers and file names.
bool EqualsNoCase(std::string_view a, std::string_view b);

// True when the character at i is white space as _ismbcspace says
// (0x09-0x0D, 0x20, and the ideographic space 0x8140).
bool IsSpaceAt(std::string_view s, std::size_t i);

// Removes white-space characters from both ends.
std::string TrimSpace(std::string_view s);

// Conversions between UTF-8 and the working code page. Unrepresentable or
// malformed characters become the default character; the rest is kept whole.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);
// AnsiToUtf8 of the text with each run of CR and LF bytes replaced by
// lineEnds(run) CR LF pairs, in one pass.
std::string AnsiToUtf8WithLineEnds(std::string_view ansi, std::size_t (*lineEnds)(std::string_view run));

// The program's own texts are written in the sources as UTF-8: this brings
// one into the working code page.
inline std::string J(std::string_view utf8) { return Utf8ToAnsi(utf8); }

}  // namespace orlavix
