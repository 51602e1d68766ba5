// UTF-8 as the program reads and writes it, in one place for the portable
// code: strict (no overlong forms, no surrogates, nothing past U+10FFFF).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlavix::utf8 {

// Length of the well-formed character that starts at p[i], with its value in
// `cp`; 0 when the byte there starts none or the character runs past `size`.
inline std::size_t DecodeAt(const unsigned char* p, std::size_t i, std::size_t size, char32_t& cp) {
  const unsigned c = p[i];
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  std::size_t len;
  unsigned low = 0x80, high = 0xBF;  // bounds of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
    if (c == 0xE0) low = 0xA0;   // no overlong forms
    if (c == 0xED) high = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (i + len > size || p[i + 1] < low || p[i + 1] > high) return 0;
  cp = (cp << 6) | (p[i + 1] & 0x3F);
  for (std::size_t k = 2; k < len; ++k) {
    if ((p[i + k] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[i + k] & 0x3F);
  }
  return len;
}

inline std::size_t DecodeAt(std::string_view s, std::size_t i, char32_t& cp) {
  return DecodeAt(reinterpret_cast<const unsigned char*>(s.data()), i, s.size(), cp);
}

// True when every byte of `s` belongs to a well-formed character.
inline bool IsWellFormed(std::string_view s) {
  char32_t cp = 0;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = DecodeAt(s, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

// Writes `cp` at `o` in one to four bytes; returns the place after them.
inline char* Put(char* o, char32_t cp) {
  if (cp < 0x80) {
    *o++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *o++ = static_cast<char>(0xC0 | (cp >> 6));
    *o++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *o++ = static_cast<char>(0xE0 | (cp >> 12));
    *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *o++ = static_cast<char>(0xF0 | (cp >> 18));
    *o++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return o;
}

inline void Append(std::string& out, char32_t cp) {
  char bytes[4];
  out.append(bytes, static_cast<std::size_t>(Put(bytes, cp) - bytes));
}

}  // namespace orlavix::utf8
