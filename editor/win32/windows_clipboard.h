// The editor's clipboard as the Windows clipboard.
#pragma once

#include <windows.h>

#include <string>

#include "editor/clipboard.h"
#include "editor/win32/owned_tool.h"

namespace orlavix::win32 {

// The clipboard's text in both forms: UTF-16 and the working code page, with
// the locale that tells other programs which code page that is.
class WindowsClipboard : public Clipboard, public OwnedTool {
 public:
  explicit WindowsClipboard(HWND owner = nullptr) : OwnedTool(owner) {}
  // CF_UNICODETEXT, which the system makes of any text on the clipboard.
  std::string GetText() override;
  // Puts CF_UNICODETEXT, CF_TEXT and CF_LOCALE; an empty text puts nothing.
  void PutText(const std::string& text) override;
  // Appends in UTF-16, so that text the working code page cannot hold stays.
  void AppendText(const std::string& text) override;
};

}  // namespace orlavix::win32
