#include "support/win32/dialog.h"

#include <vector>

namespace orlavix::win32 {

INT_PTR Dialog::RunModal(int resourceId, HWND owner) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), owner,
                         &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

std::string Dialog::ItemText(int id) const {
  const HWND item = Item(id);
  const int length = GetWindowTextLengthA(item);
  if (length <= 0) return std::string();
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

HWND Dialog::CreateModeless(int resourceId, HWND owner) {
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), owner,
                            &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    self->window_ = window;
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  if (!self) return FALSE;
  // Nothing may unwind through the system's dialog manager.
  INT_PTR answer = FALSE;
  try {
    INT_PTR result = FALSE;
    if (self->HandleMessage(message, wParam, lParam, result)) answer = result;
  } catch (...) {
    answer = FALSE;
  }
  if (message == WM_NCDESTROY) {
    // The last message: the object may outlive its window.
    SetWindowLongPtrA(window, DWLP_USER, 0);
    self->window_ = nullptr;
  }
  return answer;
}

}  // namespace orlavix::win32
