#include "editor/win32/dialog_keys.h"

#include "support/win32/private_messages.h"

namespace orlavix::win32 {

namespace {

// Marks the windows that take kDialogKey: the filter asks no window it does
// not know, whose own messages may use the same number.
constexpr wchar_t kTakesDialogKeys[] = L"Orlavix.TakesDialogKeys";

bool IsDialogKey(WPARAM key) { return key == 'Z' || key == 'Y' || key == VK_RETURN; }

bool Pressed(int key) { return GetKeyState(key) < 0; }

LRESULT CALLBACK FilterProcedure(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && lParam) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    if (msg.message == WM_KEYDOWN && msg.hwnd && IsDialogKey(msg.wParam)) {
      const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
      if (root && GetPropW(root, kTakesDialogKeys)) {
        const LPARAM modifiers = (Pressed(VK_CONTROL) ? kDialogKeyControl : 0) |
                                 (Pressed(VK_SHIFT) ? kDialogKeyShift : 0) | (Pressed(VK_MENU) ? kDialogKeyAlt : 0);
        // Taken: the loop neither translates nor dispatches it.
        if (SendMessageW(root, kDialogKey, msg.wParam, modifiers) != 0) return TRUE;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogKeyFilter::~DialogKeyFilter() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (dialog_ && IsWindow(dialog_)) RemovePropW(dialog_, kTakesDialogKeys);
}

void DialogKeyFilter::Attach(HWND dialog) {
  if (!dialog || dialog_) return;
  dialog_ = dialog;
  SetPropW(dialog, kTakesDialogKeys, reinterpret_cast<HANDLE>(1));
  hook_ = SetWindowsHookExW(WH_MSGFILTER, &FilterProcedure, nullptr, GetCurrentThreadId());
}

}  // namespace orlavix::win32
