// What the portable logic shows the person at the screen. The Win32 binding
// implements it with message boxes; tests record the calls.
#pragma once

#include <string>

namespace orlavix {

class Messages {
 public:
  virtual ~Messages() = default;
  // A plain system message box: no owner, the system's default caption, OK only.
  virtual void Alert(const std::string& text) = 0;
  // A self-closing report owned by the main dialog: caption "報告",
  // information icon, OK only, pressed by itself after `seconds`.
  virtual void Report(const std::string& text, int seconds) = 0;
};

}  // namespace orlavix
