// Every rule about text in the working code page lives here: nothing else in
// the program steps through multibyte text on its own. The working code page
// is code page 932 (Shift_JIS) on every system, whatever the system's own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orlavix {

namespace detail {
// One entry per byte: 1 when it starts a double-byte character of code page 932.
extern const unsigned char leadBytes[256];
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

// Offset of the first NUL, CR, LF or 0xFF byte at or after i, or size: where
// a line may end, before lead bytes are taken into account.
inline std::size_t FindLineStop(const char* p, std::size_t i, std::size_t size) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128(),
                ff = _mm_set1_epi8(static_cast<char>(0xFF));
  for (; i + 16 <= size; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                     _mm_or_si128(_mm_cmpeq_epi8(v, nul), _mm_cmpeq_epi8(v, ff)));
    const int mask = _mm_movemask_epi8(hit);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < size; ++i) {
    const char c = p[i];
    if (c == '\r' || c == '\n' || c == '\0' || c == '\xFF') return i;
  }
  return size;
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

// Characters named by their codes ("U+D55C, U+1F600"), for a message about
// characters that the working code page cannot show.
std::string CodePointNames(const std::u32string& points);

// The program's own texts are written in the sources as UTF-8: this brings
// one into the working code page.
inline std::string J(std::string_view utf8) { return Utf8ToAnsi(utf8); }

}  // namespace orlavix
