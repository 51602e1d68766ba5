// The base of every dialog: one static procedure finds the object behind the
// window and hands each message to its message map.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/guards.h"

namespace orlavix::win32 {

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND Window() const { return window_; }

  // One-line helpers by control id.
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  void EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable ? TRUE : FALSE); }
  void ShowItem(int id, bool show) const { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }
  bool IsItemEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  bool IsItemVisible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
  // The control's text, read whole.
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text) const;
  bool IsItemChecked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }
  void CheckItem(int id, bool check) const { CheckDlgButton(window_, id, check ? BST_CHECKED : BST_UNCHECKED); }

 protected:
  virtual ~Dialog() = default;

  // Runs the dialog from template `resourceId` of the program's module. The
  // dialogs are wide windows: their texts never pass through the system's
  // ANSI code page.
  INT_PTR RunModal(int resourceId, HWND owner);
  // Creates the dialog from template `resourceId` as a modeless window owned
  // by `owner`; null on failure. The window forgets the object when it is
  // destroyed, whoever destroys it.
  HWND CreateModeless(int resourceId, HWND owner);

  // The message map: returns true when the message was handled, with the
  // dialog procedure's answer in `result`.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) = 0;

  // For messages whose answer goes through DWLP_MSGRESULT.
  void SetMessageResult(LONG_PTR value) { SetWindowLongPtrW(window_, DWLP_MSGRESULT, value); }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  // The template's font's stand-in where that font shows no Japanese.
  UniqueFont japaneseFont_;
};

}  // namespace orlavix::win32
