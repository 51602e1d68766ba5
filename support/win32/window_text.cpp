#include "support/win32/window_text.h"

#include "support/mbtext.h"

namespace orlavix::win32 {

NarrowText WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return Narrow(text);
}

void SetText(HWND window, std::string_view text) { SetWindowTextW(window, Wide(text).c_str()); }

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
  return MessageBoxW(owner, Wide(text).c_str(), caption.data() ? Wide(caption).c_str() : nullptr, type);
}

void ShowLostCharacters(HWND owner, std::string_view reason, const std::u32string& lost) {
  const std::wstring text = Wide(reason) + L"\n\n" + DescribeLost(lost);
  MessageBoxW(owner, text.c_str(), Wide(J("報告")).c_str(), MB_ICONWARNING | MB_OK);
}

}  // namespace orlavix::win32
