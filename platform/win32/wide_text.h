// The program keeps its text in code page 932 on every system; Windows takes
// and gives text in UTF-16. Every conversion between the two, and between
// UTF-16 and the file's UTF-8, happens here and nowhere else in the Windows
// layer, always naming its code page: the system's own ANSI code page is
// asked only where a file written by the system is in it.
#pragma once

#include <string>
#include <string_view>

namespace orlavix::win32 {

constexpr unsigned kWorkingCodePage = 932;

// Working text as UTF-16, for a wide Win32 call. Embedded NULs are kept.
std::wstring Wide(std::string_view text);

// Text that came from the system, in the working code page.
struct NarrowText {
  // A character that code page 932 cannot hold reads '?' here.
  std::string text;
  // Those characters, each once, in the order they came (at most a few).
  std::u32string lost;
  bool Whole() const { return lost.empty(); }
};
NarrowText Narrow(std::wstring_view text);

// The lost characters for a message to the person: each as itself and as
// its code ("😀 (U+1F600)"), in UTF-16, since code page 932 cannot show them.
std::wstring DescribeLost(const std::u32string& lost);

// True when the system's ANSI code page holds every character of the text,
// as it must for a file the system writes in that code page.
bool SystemCodePageHolds(std::string_view text);

// Bytes of a code page (such as CP_UTF8) to UTF-16 and back; large texts go
// through in pieces. `malformed`, when given, is set when some byte belongs to
// no character of the code page; `usedDefault`, when given, tells whether any
// character had no place in the code page.
std::wstring FromCodePage(unsigned codePage, std::string_view bytes, bool* malformed = nullptr);
std::string ToCodePage(unsigned codePage, std::wstring_view text, bool* usedDefault = nullptr);

}  // namespace orlavix::win32
