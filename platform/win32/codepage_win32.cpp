#include <windows.h>

#include <algorithm>

#include "platform/codepage.h"
#include "platform/win32/wide_text.h"

namespace orlavix::platform {

using win32::FromCodePage;
using win32::kWorkingCodePage;
using win32::ToCodePage;

// Code page 932 whatever the system's own: the texts and the skin.ini bytes
// must not depend on the language chosen for non-Unicode programs.
unsigned WorkingCodePage() { return kWorkingCodePage; }

bool IsDbcsLeadByte(unsigned char c) { return IsDBCSLeadByteEx(kWorkingCodePage, c) != FALSE; }

std::string Utf8ToWorking(std::string_view utf8) {
  return ToCodePage(kWorkingCodePage, FromCodePage(CP_UTF8, utf8));
}

std::string WorkingToUtf8(std::string_view text) { return ToCodePage(CP_UTF8, FromCodePage(kWorkingCodePage, text)); }

std::u32string LostCharacters(std::string_view utf8, std::size_t most) {
  std::u32string lost = win32::Narrow(FromCodePage(CP_UTF8, utf8)).lost;
  // The converter's stand-in for malformed bytes is no character of the text.
  lost.erase(std::remove(lost.begin(), lost.end(), U'\uFFFD'), lost.end());
  if (lost.size() > most) lost.resize(most);
  return lost;
}

std::string Utf8ToWorking(std::string_view utf8, bool& wellFormed) {
  bool malformed = false;
  std::string text = ToCodePage(kWorkingCodePage, FromCodePage(CP_UTF8, utf8, &malformed));
  wellFormed = !malformed;
  return text;
}

std::string ShiftJisToUtf8(std::string_view bytes, bool& valid) {
  bool malformed = false;
  std::string utf8 = ToCodePage(CP_UTF8, FromCodePage(kWorkingCodePage, bytes, &malformed));
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
  buffer = ToCodePage(kWorkingCodePage, FromCodePage(CP_UTF8, std::string_view(buffer).substr(in_, end - in_), &malformed_));
  in_ = end;
  out_ = buffer.size();
  ended_ = true;
  wellFormed_ = false;
}

void Utf8PieceDecoder::Take(const std::string& buffer, bool last, std::string& out) {
  if (!last || ended_) return;
  if (in_ > buffer.size()) in_ = buffer.size();
  const std::size_t end = ContentsEnd(buffer, in_);
  out += ToCodePage(kWorkingCodePage, FromCodePage(CP_UTF8, std::string_view(buffer).substr(in_, end - in_), &malformed_));
  in_ = end;
  ended_ = true;
  wellFormed_ = false;
}

std::string WorkingToUtf8CrLf(std::string_view text, std::size_t (*lineEnds)(std::string_view run)) {
  return WorkingToUtf8(WithCrLfLineEnds(text, lineEnds));
}

}  // namespace orlavix::platform
