#include "support/win32/dialog.h"

#include "support/win32/dialog_font.h"
#include "support/win32/window_text.h"

namespace orlavix::win32 {

std::string Dialog::ItemText(int id) const { return WindowText(Item(id)).text; }

void Dialog::SetItemText(int id, const std::string& text) const { SetText(Item(id), text); }

INT_PTR Dialog::RunTemplate(int resourceId, HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner, &Dialog::Procedure,
                         reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateFromTemplate(int resourceId, HWND owner) {
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner, &Dialog::Procedure,
                            reinterpret_cast<LPARAM>(this));
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
    answer = self->Dispatch(message, wParam, lParam);
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

// The message map: each message the dialogs handle, decoded.
INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
      SetMessageResult(result);
      return TRUE;
    }
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return FALSE;
    case WM_TIMER:
      return OnTimer(wParam) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
      return OnSysCommand(static_cast<UINT>(wParam)) ? TRUE : FALSE;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_PAINT:
      return OnPaint() ? TRUE : FALSE;
    case WM_CLOSE:
      return OnClose() ? TRUE : FALSE;
    case WM_KEYDOWN:
      return OnKeyDown(static_cast<UINT>(wParam)) ? TRUE : FALSE;
    case WM_GETMINMAXINFO:
      return OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SETCURSOR:
      if (!OnSetCursor(reinterpret_cast<HWND>(wParam))) return FALSE;
      SetMessageResult(TRUE);
      return TRUE;
  }
  LRESULT result = 0;
  if (!OnMessage(message, wParam, lParam, result)) return FALSE;
  SetMessageResult(result);
  return TRUE;
}

void Dialog::OnDropFiles(HDROP drop) { DragFinish(drop); }

bool ModalDialog::OnCommand(int id, int) {
  if (id != IDOK && id != IDCANCEL) return false;
  End(id);
  return true;
}

ModelessDialog::~ModelessDialog() {
  if (Window()) DestroyWindow(Window());
}

}  // namespace orlavix::win32
