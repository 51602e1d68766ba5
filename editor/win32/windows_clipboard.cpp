#include "editor/win32/windows_clipboard.h"

#include "platform/win32/guards.h"
#include "platform/win32/wide_text.h"

namespace orlavix::win32 {

namespace {

// The locale of the CF_TEXT put here: Japanese, whose code page is 932.
constexpr LCID kWorkingLocale = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);

// The text of a block up to its first NUL, never past the block's end.
template <typename Char>
std::basic_string<Char> BlockText(const LockedBlock& data) {
  if (!data.Memory()) return {};
  const Char* text = static_cast<const Char*>(data.Memory());
  const SIZE_T limit = data.Bytes() / sizeof(Char);
  SIZE_T length = 0;
  while (length < limit && text[length] != Char()) ++length;
  return std::basic_string<Char>(text, length);
}

// The clipboard's text as UTF-16. The system makes this form of any text
// put in another; CF_TEXT itself is in the system's code page, which need
// not be the working one.
std::wstring ClipboardWide() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
  OpenedClipboard clipboard(nullptr);
  if (!clipboard) return {};
  return BlockText<wchar_t>(LockedBlock(GetClipboardData(CF_UNICODETEXT)));
}

void PutBoth(HWND owner, const std::wstring& wide, const std::string& text) {
  // The blocks end in zeroes: one wide NUL and one byte NUL.
  GlobalBlock wideBlock((wide.size() + 1) * sizeof(wchar_t));
  GlobalBlock textBlock(text.size() + 1);
  GlobalBlock localeBlock(sizeof(LCID));
  if (!wideBlock.Fill(wide.data(), wide.size() * sizeof(wchar_t)) || !textBlock.Fill(text.data(), text.size()) ||
      !localeBlock.Fill(&kWorkingLocale, sizeof kWorkingLocale)) {
    return;
  }
  OpenedClipboard clipboard(owner);
  if (!clipboard) return;
  EmptyClipboard();
  wideBlock.PutOnClipboardAs(CF_UNICODETEXT);
  textBlock.PutOnClipboardAs(CF_TEXT);
  localeBlock.PutOnClipboardAs(CF_LOCALE);
}

}  // namespace

std::string WindowsClipboard::GetText() { return Narrow(ClipboardWide()).text; }

void WindowsClipboard::PutText(const std::string& text) {
  if (text.empty()) return;
  PutBoth(owner_, Wide(text), text);
}

void WindowsClipboard::AppendText(const std::string& text) {
  if (text.empty()) return;
  const std::wstring wide = ClipboardWide() + Wide(text);
  PutBoth(owner_, wide, Narrow(wide).text);
}

}  // namespace orlavix::win32
