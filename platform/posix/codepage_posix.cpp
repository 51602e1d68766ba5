// Code page 932 here, so that the core behaves as on a Japanese Windows
// system. The conversions run in one pass over tables that the build asked of
// the system's iconv (make_cp932_tables), with the rules of a conversion
// through iconv: a malformed UTF-8 byte or a character beyond the basic plane
// (two UTF-16 units) becomes the default character per unit, an invalid
// code page byte becomes U+30FB.
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "cp932_tables.inc"
#include "platform/codepage.h"
#include "platform/utf8.h"

namespace orlavix::platform {
namespace {

constexpr char kDefaultChar = '?';
constexpr char32_t kInvalidByteChar = 0x30FB;  // KATAKANA MIDDLE DOT

// Copies the ASCII bytes that start at p + i, sixteen at a time, until the
// first other byte (or, with StopAtNul, the first NUL) or until fewer than
// sixteen are left. With InPlace the output lies over the input and is never
// ahead of it: only bytes already read are overwritten. Otherwise the output
// has room for sixteen bytes more.
template <bool InPlace, bool StopAtNul>
inline void CopyAscii(const unsigned char* p, std::size_t& i, std::size_t size, char*& o) {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  while (i + 16 <= size) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    unsigned stop = static_cast<unsigned>(_mm_movemask_epi8(v));
    if (StopAtNul) stop |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)));
    if (stop != 0) {
      const std::size_t n = static_cast<std::size_t>(__builtin_ctz(stop));
      if (!InPlace || reinterpret_cast<const unsigned char*>(o) + 16 <= p + i + n) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
      } else {
        for (std::size_t k = 0; k < n; ++k) o[k] = static_cast<char>(p[i + k]);
      }
      o += n;
      i += n;
      return;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
    o += 16;
    i += 16;
  }
#endif
  while (i + 8 <= size) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    std::uint64_t stop = word & 0x8080808080808080ull;
    // A zero byte sets its high bit here; bytes above the first one may be
    // flagged wrongly, which the lowest flag never is.
    if (StopAtNul) stop |= (word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull;
    if (stop != 0) {
      const std::size_t n = static_cast<std::size_t>(__builtin_ctzll(stop)) / 8;  // little-endian
      for (std::size_t k = 0; k < n; ++k) o[k] = static_cast<char>(p[i + k]);
      o += n;
      i += n;
      return;
    }
    std::memcpy(o, &word, 8);
    o += 8;
    i += 8;
  }
}

inline char* PutCp932(char* o, char32_t cp) {
  const unsigned bytes = cp < 0x10000 ? kUnicodeToCp932[cp] : 0;
  if (bytes == 0) {
    *o++ = kDefaultChar;
  } else if (bytes < 0x100) {
    *o++ = static_cast<char>(bytes);
  } else {
    *o++ = static_cast<char>(bytes >> 8);
    *o++ = static_cast<char>(bytes & 0xFF);
  }
  return o;
}

// PutCp932 for a character read from three bytes: writes two bytes always
// (the second may be overwritten next), which saves a branch per character.
inline char* PutCp932OfThree(char* o, unsigned cp) {
  unsigned bytes = kUnicodeToCp932[cp];
  if (bytes == 0) bytes = static_cast<unsigned char>(kDefaultChar);
  const unsigned two = bytes > 0xFF ? 1 : 0;
  o[0] = static_cast<char>(two ? bytes >> 8 : bytes);
  o[1] = static_cast<char>(bytes);
  return o + 1 + two;
}


inline bool IsLead(unsigned char c) { return kCp932Single[c] == kLead; }

// The end of the run of code page bytes that starts at a non-ASCII byte at i,
// as far as iconv would have been given it: up to the first ASCII byte at the
// start of a character.
inline std::size_t RunEnd(const unsigned char* p, std::size_t i, std::size_t size) {
  while (i < size && p[i] >= 0x80) i += IsLead(p[i]) && i + 1 < size ? 2 : 1;
  return i;
}

// Converts the run [i, end): a pair is formed only inside the run. Writes at
// most 3 bytes per input byte.
char* PutWorkingRun(const unsigned char* p, std::size_t i, std::size_t end, char* o) {
  while (i < end) {
    const unsigned c = p[i];
    const unsigned single = kCp932Single[c];
    if (single == kLead) {
      const unsigned cp = i + 1 < end ? kCp932Double[(c - 0x80) * 256 + p[i + 1]] : kNone;
      if (cp != kNone) {
        o = utf8::Put(o, cp);
        i += 2;
        continue;
      }
      o = utf8::Put(o, kInvalidByteChar);
    } else if (single == kNone) {
      o = utf8::Put(o, kInvalidByteChar);
    } else {
      o = utf8::Put(o, single);
    }
    ++i;
  }
  return o;
}

// A growing output whose bytes are written through a pointer: room is made
// before each step for what that step can write at most.
class Output {
 public:
  explicit Output(std::size_t estimate) { text_.resize(estimate); }
  char* Room(char* at, std::size_t need) {
    const std::size_t used = static_cast<std::size_t>(at - &text_[0]);
    if (text_.size() - used < need) text_.resize((text_.size() + need) * 2);
    return &text_[0] + used;
  }
  std::string Finish(char* at) {
    text_.resize(static_cast<std::size_t>(at - &text_[0]));
    return std::move(text_);
  }
  char* Begin() { return &text_[0]; }

 private:
  std::string text_;
};

// Appends the conversion of text (which holds no CR or LF the caller cares
// about) from the working code page.
char* PutWorkingText(const unsigned char* p, std::size_t size, Output& out, char* o) {
  std::size_t i = 0;
  while (i < size) {
    o = out.Room(o, 64);
    // Up to 48 ASCII bytes at once, then one run of other characters.
    const std::size_t stop = size - i < 48 ? size : i + 48;
    CopyAscii<false, false>(p, i, stop, o);
    while (i < stop && p[i] < 0x80) *o++ = static_cast<char>(p[i++]);
    if (i < size && p[i] >= 0x80) {
      const std::size_t end = RunEnd(p, i, size);
      o = PutWorkingRun(p, i, end, out.Room(o, 3 * (end - i)));
      i = end;
    }
  }
  return o;
}

}  // namespace

unsigned WorkingCodePage() { return 932; }

bool IsDbcsLeadByte(unsigned char c) { return IsLead(c); }

std::u32string LostCharacters(std::string_view utf8, std::size_t most) {
  std::u32string lost;
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  for (std::size_t i = 0; i < utf8.size() && lost.size() < most;) {
    char32_t cp = 0;
    const std::size_t len = p[i] < 0x80 ? 1 : utf8::DecodeAt(p, i, utf8.size(), cp);
    if (len == 0) {
      ++i;
      continue;
    }
    if (len > 1 && (cp >= 0x10000 || kUnicodeToCp932[cp] == 0) && lost.find(cp) == std::u32string::npos) {
      lost += cp;
    }
    i += len;
  }
  return lost;
}

namespace {

// Converts p[i, size) into o, leaving i where it stopped and o past the
// output. The output is never longer than the input, and o may lie over p
// (o <= p + i): every character is read before its conversion is written.
// With StopAtNul a NUL ends the text: i stays on it and the result is true.
template <bool InPlace, bool StopAtNul>
bool ConvertUtf8(const unsigned char* p, std::size_t& at, std::size_t size, char*& out, bool& wellFormed) {
  // Worked on in locals: the bytes written through o could otherwise alias
  // the caller's variables and force them back to memory at every byte.
  std::size_t i = at;
  char* o = out;
  bool whole = true, ended = false;
  while (i < size) {
    CopyAscii<InPlace, StopAtNul>(p, i, size, o);
    if (i >= size) break;
    if (p[i] < 0x80) {
      if (StopAtNul && p[i] == 0) {
        ended = true;
        break;
      }
      *o++ = static_cast<char>(p[i++]);
      continue;
    }
    // Three bytes, as every Japanese character has: checked and converted
    // here without the general decoder's branches. Overlong forms and
    // surrogates go the careful way.
    if ((p[i] & 0xF0) == 0xE0 && i + 3 <= size && (p[i + 1] & 0xC0) == 0x80 && (p[i + 2] & 0xC0) == 0x80) {
      const unsigned three = (p[i] & 0x0Fu) << 12 | (p[i + 1] & 0x3Fu) << 6 | (p[i + 2] & 0x3Fu);
      if (three >= 0x800 && (three < 0xD800 || three > 0xDFFF)) {
        o = PutCp932OfThree(o, three);
        i += 3;
        continue;
      }
    }
    char32_t cp = 0;
    const std::size_t len = utf8::DecodeAt(p, i, size, cp);
    if (len == 0) {
      whole = false;
      // Bytes that can start no character come in runs (a file filled with
      // 0xFF, say): each is a default character, in one tight loop.
      do {
        o = PutCp932(o, 0xFFFD);
        ++i;
      } while (i < size && p[i] >= 0x80 && (p[i] < 0xC2 || p[i] > 0xF4));
    } else if (cp > 0xFFFF) {
      o = PutCp932(o, 0xFFFD);  // two UTF-16 units, two default characters
      o = PutCp932(o, 0xFFFD);
      i += len;
    } else {
      o = PutCp932(o, cp);
      i += len;
    }
  }
  at = i;
  out = o;
  if (!whole) wellFormed = false;
  return ended;
}

template <bool InPlace>
std::size_t Utf8ToWorkingInto(const unsigned char* p, std::size_t i, std::size_t size, char* out,
                              bool* wellFormed = nullptr) {
  char* o = out;
  bool whole = true;
  ConvertUtf8<InPlace, false>(p, i, size, o, whole);
  if (wellFormed) *wellFormed = whole;
  return static_cast<std::size_t>(o - out);
}

}  // namespace

std::string Utf8ToWorking(std::string_view utf8) {
  std::string out(utf8.size(), '\0');
  out.resize(Utf8ToWorkingInto<false>(reinterpret_cast<const unsigned char*>(utf8.data()), 0, utf8.size(), &out[0]));
  return out;
}

std::string Utf8ToWorking(std::string_view utf8, bool& wellFormed) {
  std::string out(utf8.size(), '\0');
  out.resize(Utf8ToWorkingInto<false>(reinterpret_cast<const unsigned char*>(utf8.data()), 0, utf8.size(), &out[0],
                               &wellFormed));
  return out;
}

void Utf8ToWorkingInPlace(std::string& buffer, std::size_t from) {
  if (from > buffer.size()) from = buffer.size();
  buffer.resize(Utf8ToWorkingInto<true>(reinterpret_cast<const unsigned char*>(buffer.data()), from, buffer.size(),
                                  &buffer[0]));
}

void Utf8PieceDecoder::TakeInPlace(std::string& buffer, bool last) {
  if (ended_ || in_ >= buffer.size()) return;
  const auto* p = reinterpret_cast<const unsigned char*>(buffer.data());
  const std::size_t end = last ? buffer.size() : Utf8CompleteEnd(buffer.data(), in_, buffer.size());
  char* o = &buffer[0] + out_;
  ended_ = ConvertUtf8<true, true>(p, in_, end, o, wellFormed_);
  out_ = static_cast<std::size_t>(o - buffer.data());
  malformed_ = !wellFormed_;
}

void Utf8PieceDecoder::Take(const std::string& buffer, bool last, std::string& out) {
  if (ended_ || in_ >= buffer.size()) return;
  const auto* p = reinterpret_cast<const unsigned char*>(buffer.data());
  const std::size_t end = last ? buffer.size() : Utf8CompleteEnd(buffer.data(), in_, buffer.size());
  // Sized for the longest result (one byte per byte, sixteen more for the
  // ASCII copy) and trimmed after: only this piece's room is ever touched.
  const std::size_t at = out.size();
  out.resize(at + (end - in_) + 16);
  char* o = &out[0] + at;
  ended_ = ConvertUtf8<false, true>(p, in_, end, o, wellFormed_);
  out.resize(static_cast<std::size_t>(o - out.data()));
  malformed_ = !wellFormed_;
}

std::string WorkingToUtf8(std::string_view text) {
  Output out(text.size() + text.size() / 4 + 16);
  char* o = PutWorkingText(reinterpret_cast<const unsigned char*>(text.data()), text.size(), out, out.Begin());
  return out.Finish(o);
}

std::string ShiftJisToUtf8(std::string_view bytes, bool& valid) {
  // The working code page is 932 here.
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  valid = true;
  for (std::size_t i = 0; i < bytes.size() && valid;) {
    const unsigned single = kCp932Single[p[i]];
    if (single == kLead) {
      valid = i + 1 < bytes.size() && kCp932Double[(p[i] - 0x80) * 256 + p[i + 1]] != kNone;
      i += 2;
    } else {
      valid = single != kNone;
      ++i;
    }
  }
  return WorkingToUtf8(bytes);
}

std::string WorkingToUtf8CrLf(std::string_view text, std::size_t (*lineEnds)(std::string_view run)) {
  Output out(text.size() + text.size() / 4 + 16);
  char* o = out.Begin();
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = i;
    while (end < text.size() && p[end] != '\r' && p[end] != '\n') ++end;
    // A lead byte just before a line end stands alone, as it would before
    // the CR that the line end becomes.
    o = PutWorkingText(p + i, end - i, out, o);
    if (end == text.size()) break;
    std::size_t runEnd = end;
    while (runEnd < text.size() && (p[runEnd] == '\r' || p[runEnd] == '\n')) ++runEnd;
    const std::size_t pairs = lineEnds(text.substr(end, runEnd - end));
    o = out.Room(o, 2 * pairs);
    for (std::size_t k = 0; k < pairs; ++k) {
      *o++ = '\r';
      *o++ = '\n';
    }
    i = runEnd;
  }
  return out.Finish(o);
}

}  // namespace orlavix::platform
