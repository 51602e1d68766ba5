// The clipboard's text, in the working code page.
#pragma once

#include <string>

namespace orlavix {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The clipboard's text, or "" when it holds none or cannot be opened.
  virtual std::string GetText() = 0;
  // Replaces the clipboard's contents with the text; "" puts nothing.
  virtual void PutText(const std::string& text) = 0;
  // Puts the clipboard's text followed by `text`. A clipboard that holds
  // more than the working code page can (the Windows one) appends there, so
  // that nothing of what was on it is lost.
  virtual void AppendText(const std::string& text) { PutText(GetText() + text); }
};

}  // namespace orlavix
