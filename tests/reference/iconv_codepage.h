// Code page 932 conversions done the slow, obvious way: one iconv call per
// run of non-ASCII characters. The table-driven converters must give exactly
// these bytes; tests compare the two over the whole basic plane.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlavix::reference {
namespace iconv_detail {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes UTF-8 leniently: every malformed byte becomes one U+FFFD.
inline std::vector<char32_t> DecodeUtf8(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    char32_t cp = 0, min = 0;
    if (c < 0x80) { out.push_back(c); ++i; continue; }
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; min = 0x80; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; min = 0x800; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; min = 0x10000; }
    bool ok = len != 0 && i + len <= s.size();
    for (std::size_t k = 1; ok && k < len; ++k) {
      const unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (t & 0x3F);
    }
    if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (ok) { out.push_back(cp); i += len; }
    else { out.push_back(kReplacement); ++i; }
  }
  return out;
}

inline void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Runs iconv over the input, appending to out; at every input it cannot
// convert, calls onBad(out) and skips `badStep` input bytes.
template <typename OnBad>
inline void ConvertInto(Converter& conv, const char* data, std::size_t size, std::size_t badStep, OnBad onBad,
                 std::string& out) {
  if (!conv.ok()) return;
  char* in = const_cast<char*>(data);
  std::size_t inLeft = size;
  char buf[1 << 14];
  while (inLeft > 0) {
    char* outPtr = buf;
    std::size_t outLeft = sizeof buf;
    const std::size_t r = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(buf, sizeof buf - outLeft);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: one unconvertible or incomplete character.
      onBad(out);
      const std::size_t step = inLeft < badStep ? inLeft : badStep;
      in += step;
      inLeft -= step;
      iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
}

inline bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

}  // namespace iconv_detail
using namespace iconv_detail;

inline bool IsDbcsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

inline std::string Utf8ToWorking(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  Converter conv("CP932", "UTF-32LE");
  std::vector<std::uint32_t> wide;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t j = i;
    while (j < utf8.size() && IsAscii(utf8[j])) ++j;
    out.append(utf8, i, j - i);
    std::size_t k = j;
    while (k < utf8.size() && !IsAscii(utf8[k])) ++k;
    if (k == j) break;
    // Windows converts through UTF-16, where a character beyond the basic
    // plane is two units and so becomes two default characters: do the same.
    wide.clear();
    for (char32_t cp : DecodeUtf8(utf8.substr(j, k - j))) {
      if (cp > 0xFFFF) wide.push_back(kReplacement);
      wide.push_back(cp > 0xFFFF ? kReplacement : cp);
    }
    ConvertInto(conv, reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(std::uint32_t),
                sizeof(std::uint32_t), [](std::string& o) { o += '?'; }, out);
    i = k;
  }
  return out;
}

inline std::string WorkingToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  Converter conv("UTF-8", "CP932");
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t j = i;
    while (j < text.size() && IsAscii(text[j])) ++j;
    out.append(text, i, j - i);
    // A run of characters that starts with a high byte; a trail byte may be
    // ASCII, so the run is walked character by character.
    std::size_t k = j;
    while (k < text.size() && !IsAscii(text[k])) {
      k += IsDbcsLeadByte(static_cast<unsigned char>(text[k])) && k + 1 < text.size() ? 2 : 1;
    }
    if (k == j) break;
    ConvertInto(conv, text.data() + j, k - j, 1, [](std::string& o) { AppendUtf8(o, 0x30FB); }, out);
    i = k;
  }
  return out;
}

}  // namespace orlavix::reference
