#include "support/win32/dialog.h"

#include "support/win32/dialog_font.h"
#include "support/win32/window_text.h"

namespace orlavix::win32 {

INT_PTR Dialog::RunModal(int resourceId, HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner,
                         &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

std::string Dialog::ItemText(int id) const { return WindowText(Item(id)).text; }

void Dialog::SetItemText(int id, const std::string& text) const { SetText(Item(id), text); }

HWND Dialog::CreateModeless(int resourceId, HWND owner) {
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner,
                            &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->window_ = window;
    self->japaneseFont_ = JapaneseFontLike(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    if (self->japaneseFont_) SetDialogFont(window, self->japaneseFont_.Get());
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
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
    SetWindowLongPtrW(window, DWLP_USER, 0);
    self->window_ = nullptr;
  }
  return answer;
}

}  // namespace orlavix::win32
