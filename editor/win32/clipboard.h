// The clipboard's text in both forms: the working code page and UTF-16.
#pragma once

#include <windows.h>

#include "editor/clipboard.h"

namespace orlavix::win32 {

class WindowsClipboard : public Clipboard {
 public:
  // `owner` owns what is put on the clipboard.
  explicit WindowsClipboard(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  // CF_TEXT when there is any, else CF_UNICODETEXT in the ANSI code page.
  std::string GetText() override;
  // Puts CF_UNICODETEXT and CF_TEXT; an empty text puts nothing.
  void PutText(const std::string& text) override;

 private:
  HWND owner_;
};

}  // namespace orlavix::win32
