// The clipboard's text in both forms: UTF-16 and the working code page, with
// the locale that tells other programs which code page that is.
#pragma once

#include <windows.h>

#include "editor/clipboard.h"

namespace orlavix::win32 {

class WindowsClipboard : public Clipboard {
 public:
  // `owner` owns what is put on the clipboard.
  explicit WindowsClipboard(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  // CF_UNICODETEXT, which the system makes of any text on the clipboard.
  std::string GetText() override;
  // Puts CF_UNICODETEXT, CF_TEXT and CF_LOCALE; an empty text puts nothing.
  void PutText(const std::string& text) override;
  // Appends in UTF-16, so that text the working code page cannot hold stays.
  void AppendText(const std::string& text) override;

 private:
  HWND owner_;
};

}  // namespace orlavix::win32
