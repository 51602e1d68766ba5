#include <windows.h>

#include "platform/codepage.h"

namespace orlavix::platform {
namespace {

// The conversion functions take int lengths: large texts go through in pieces,
// cut where no character is split.
constexpr std::size_t kPiece = 16u << 20;

// With `malformed`, a piece that holds a byte of no character is noted there
// (and converted as without it).
std::wstring ToWide(UINT codePage, std::string_view s, bool* malformed = nullptr) {
  std::wstring out;
  std::size_t pos = 0;
  while (pos < s.size()) {
    std::size_t len = s.size() - pos < kPiece ? s.size() - pos : kPiece;
    if (pos + len < s.size()) {
      if (codePage == CP_UTF8) {
        while (len > 1 && (static_cast<unsigned char>(s[pos + len]) & 0xC0) == 0x80) --len;
      } else {
        // Walk characters so that a trail byte is never taken for a lead.
        std::size_t k = 0;
        while (k < len) {
          const std::size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(s[pos + k])) ? 2 : 1;
          if (k + step > len) break;
          k += step;
        }
        if (k > 0) len = k;
      }
    }
    DWORD flags = malformed ? MB_ERR_INVALID_CHARS : 0;
    int n = MultiByteToWideChar(codePage, flags, s.data() + pos, static_cast<int>(len), nullptr, 0);
    if (n == 0 && flags != 0) {
      *malformed = true;
      flags = 0;
      n = MultiByteToWideChar(codePage, flags, s.data() + pos, static_cast<int>(len), nullptr, 0);
    }
    if (n > 0) {
      const std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(n));
      MultiByteToWideChar(codePage, flags, s.data() + pos, static_cast<int>(len), &out[at], n);
    }
    pos += len;
  }
  return out;
}

std::string FromWide(UINT codePage, const std::wstring& w) {
  std::string out;
  std::size_t pos = 0;
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  while (pos < w.size()) {
    std::size_t len = w.size() - pos < kPiece ? w.size() - pos : kPiece;
    if (pos + len < w.size() && IS_HIGH_SURROGATE(w[pos + len - 1]) && len > 1) --len;
    const int n = WideCharToMultiByte(codePage, flags, w.data() + pos, static_cast<int>(len), nullptr, 0,
                                      nullptr, nullptr);
    if (n > 0) {
      const std::size_t at = out.size();
      out.resize(at + static_cast<std::size_t>(n));
      WideCharToMultiByte(codePage, flags, w.data() + pos, static_cast<int>(len), &out[at], n, nullptr,
                          nullptr);
    }
    pos += len;
  }
  return out;
}

}  // namespace

unsigned WorkingCodePage() { return GetACP(); }

bool IsDbcsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

std::string Utf8ToWorking(std::string_view utf8) { return FromWide(CP_ACP, ToWide(CP_UTF8, utf8)); }

std::string WorkingToUtf8(std::string_view text) { return FromWide(CP_UTF8, ToWide(CP_ACP, text)); }

std::string Utf8ToWorking(std::string_view utf8, bool& wellFormed) {
  bool malformed = false;
  std::string text = FromWide(CP_ACP, ToWide(CP_UTF8, utf8, &malformed));
  wellFormed = !malformed;
  return text;
}

std::string ShiftJisToUtf8(std::string_view bytes, bool& valid) {
  bool malformed = false;
  std::string utf8 = FromWide(CP_UTF8, ToWide(932, bytes, &malformed));
  valid = !malformed;
  return utf8;
}

void Utf8ToWorkingInPlace(std::string& buffer, std::size_t from) {
  if (from > buffer.size()) from = buffer.size();
  buffer = Utf8ToWorking(std::string_view(buffer).substr(from));
}

namespace {

// The system converts whole texts: the pieces are kept and converted at the
// end. Returns where the contents end (the first NUL, or the end).
std::size_t ContentsEnd(const std::string& buffer, std::size_t from) {
  const std::size_t nul = buffer.find('\0', from);
  return nul == std::string::npos ? buffer.size() : nul;
}

}  // namespace

void Utf8PieceDecoder::TakeInPlace(std::string& buffer, bool last) {
  if (!last || ended_) return;
  if (in_ > buffer.size()) in_ = buffer.size();
  const std::size_t end = ContentsEnd(buffer, in_);
  buffer = FromWide(CP_ACP, ToWide(CP_UTF8, std::string_view(buffer).substr(in_, end - in_), &malformed_));
  in_ = end;
  out_ = buffer.size();
  ended_ = true;
  wellFormed_ = false;
}

void Utf8PieceDecoder::Take(const std::string& buffer, bool last, std::string& out) {
  if (!last || ended_) return;
  if (in_ > buffer.size()) in_ = buffer.size();
  const std::size_t end = ContentsEnd(buffer, in_);
  out += FromWide(CP_ACP, ToWide(CP_UTF8, std::string_view(buffer).substr(in_, end - in_), &malformed_));
  in_ = end;
  ended_ = true;
  wellFormed_ = false;
}

std::string WorkingToUtf8CrLf(std::string_view text, std::size_t (*lineEnds)(std::string_view run)) {
  std::string normal;
  normal.reserve(text.size() + text.size() / 16);
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t run = text.find_first_of("\r\n", i);
    if (run == std::string_view::npos) {
      normal.append(text, i, std::string_view::npos);
      break;
    }
    normal.append(text, i, run - i);
    std::size_t end = run;
    while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) ++end;
    for (std::size_t pairs = lineEnds(text.substr(run, end - run)); pairs > 0; --pairs) normal += "\r\n";
    i = end;
  }
  return WorkingToUtf8(normal);
}

}  // namespace orlavix::platform
