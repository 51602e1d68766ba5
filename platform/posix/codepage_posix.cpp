// Code page 932 through iconv, so that the core behaves here as on a
// Japanese Windows system.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/codepage.h"

namespace orlavix::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes UTF-8 leniently: every malformed byte becomes one U+FFFD.
std::vector<char32_t> DecodeUtf8(std::string_view s) {
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

void AppendUtf8(std::string& out, char32_t cp) {
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

// Runs iconv over the whole input; at every input it cannot convert, calls
// onBad(out) and skips `badStep` input bytes.
template <typename OnBad>
std::string Convert(const char* to, const char* from, const char* data, std::size_t size,
                    std::size_t badStep, OnBad onBad) {
  std::string out;
  Converter conv(to, from);
  if (!conv.ok()) return out;
  char* in = const_cast<char*>(data);
  std::size_t inLeft = size;
  std::vector<char> buf(1 << 16);
  while (inLeft > 0) {
    char* outPtr = buf.data();
    std::size_t outLeft = buf.size();
    const std::size_t r = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(buf.data(), buf.size() - outLeft);
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
  return out;
}

}  // namespace

unsigned WorkingCodePage() { return 932; }

bool IsDbcsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string Utf8ToWorking(std::string_view utf8) {
  // Windows converts through UTF-16, where a character beyond the basic plane
  // is two units and so becomes two default characters: do the same.
  std::vector<std::uint32_t> wide;
  for (char32_t cp : DecodeUtf8(utf8)) {
    if (cp > 0xFFFF) {
      wide.push_back(kReplacement);
      wide.push_back(kReplacement);
    } else {
      wide.push_back(cp);
    }
  }
  return Convert("CP932", "UTF-32LE", reinterpret_cast<const char*>(wide.data()),
                 wide.size() * sizeof(std::uint32_t), sizeof(std::uint32_t),
                 [](std::string& out) { out += '?'; });
}

std::string WorkingToUtf8(std::string_view text) {
  return Convert("UTF-8", "CP932", text.data(), text.size(), 1,
                 [](std::string& out) { AppendUtf8(out, 0x30FB); });
}

}  // namespace orlavix::platform
