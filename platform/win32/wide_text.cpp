#include "platform/win32/wide_text.h"

#include <windows.h>

#include <cstdio>

namespace orlavix::win32 {
namespace {

// The system's converters take int lengths: large texts go through in
// pieces, cut where no character is split.
constexpr std::size_t kPiece = 16u << 20;

DWORD NarrowFlags(unsigned codePage) { return codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS; }

// The code points of a UTF-16 text; an unpaired surrogate stands for itself.
template <typename Visit>
void ForEachCodePoint(std::wstring_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) {
      visit(0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00), text.substr(i, 2));
      ++i;
    } else {
      visit(unit, text.substr(i, 1));
    }
  }
}

}  // namespace

std::wstring FromCodePage(unsigned codePage, std::string_view bytes, bool* malformed) {
  std::wstring out;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t len = bytes.size() - pos < kPiece ? bytes.size() - pos : kPiece;
    if (pos + len < bytes.size()) {
      if (codePage == CP_UTF8) {
        while (len > 1 && (static_cast<unsigned char>(bytes[pos + len]) & 0xC0) == 0x80) --len;
      } else {
        // Walk characters so that a trail byte is never taken for a lead.
        std::size_t k = 0;
        while (k < len) {
          const std::size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[pos + k])) ? 2 : 1;
          if (k + step > len) break;
          k += step;
        }
        if (k > 0) len = k;
      }
    }
    // Asked to, the converter refuses a piece with a malformed byte: noted,
    // and converted again as without the question.
    DWORD flags = malformed ? MB_ERR_INVALID_CHARS : 0;
    int n = MultiByteToWideChar(codePage, flags, bytes.data() + pos, static_cast<int>(len), nullptr, 0);
    if (n == 0 && flags != 0) {
      *malformed = true;
      flags = 0;
      n = MultiByteToWideChar(codePage, flags, bytes.data() + pos, static_cast<int>(len), nullptr, 0);
    }
    if (n > 0) {
      const std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(n));
      MultiByteToWideChar(codePage, flags, bytes.data() + pos, static_cast<int>(len), &out[at], n);
    }
    pos += len;
  }
  return out;
}

std::string ToCodePage(unsigned codePage, std::wstring_view text, bool* usedDefault) {
  std::string out;
  if (usedDefault) *usedDefault = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t len = text.size() - pos < kPiece ? text.size() - pos : kPiece;
    if (pos + len < text.size() && IS_HIGH_SURROGATE(text[pos + len - 1]) && len > 1) --len;
    // The converter refuses the flag for UTF-8, which loses nothing anyway.
    BOOL defaulted = FALSE;
    BOOL* ask = codePage == CP_UTF8 || !usedDefault ? nullptr : &defaulted;
    const int n = WideCharToMultiByte(codePage, NarrowFlags(codePage), text.data() + pos, static_cast<int>(len),
                                      nullptr, 0, nullptr, ask);
    if (n > 0) {
      const std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(n));
      WideCharToMultiByte(codePage, NarrowFlags(codePage), text.data() + pos, static_cast<int>(len), &out[at], n,
                          nullptr, nullptr);
    }
    if (usedDefault && defaulted) *usedDefault = true;
    pos += len;
  }
  return out;
}

std::wstring Wide(std::string_view text) { return FromCodePage(kWorkingCodePage, text); }

NarrowText Narrow(std::wstring_view text) {
  NarrowText result;
  bool usedDefault = false;
  result.text = ToCodePage(kWorkingCodePage, text, &usedDefault);
  if (!usedDefault) return result;
  // Rare: find which characters had no place, a few for the message.
  constexpr std::size_t kNamed = 8;
  ForEachCodePoint(text, [&](char32_t point, std::wstring_view unit) {
    if (result.lost.size() >= kNamed || result.lost.find(point) != std::u32string::npos) return;
    bool lost = false;
    ToCodePage(kWorkingCodePage, unit, &lost);
    if (lost) result.lost += point;
  });
  // A text whose only losses the search could not pin down still says so.
  if (result.lost.empty()) result.lost += U'\uFFFD';
  return result;
}

std::wstring DescribeLost(const std::u32string& lost) {
  std::wstring out;
  for (const char32_t point : lost) {
    if (!out.empty()) out += L"\x3001";  // 、
    if (point >= 0x10000) {
      out += static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    } else {
      out += static_cast<wchar_t>(point);
    }
    wchar_t code[24];
    std::swprintf(code, sizeof code / sizeof code[0], L" (U+%04X)", static_cast<unsigned>(point));
    out += code;
  }
  return out;
}

bool SystemCodePageHolds(std::string_view text) {
  bool usedDefault = false;
  ToCodePage(CP_ACP, Wide(text), &usedDefault);
  return !usedDefault;
}

}  // namespace orlavix::win32
