// The base of every dialog: one static procedure finds the object behind the
// window and decodes each message into a hook of the object. Every hook has
// a default that leaves the message to the system.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

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

  // The hooks, one per message the dialogs handle. Those that answer true
  // have handled the message; false leaves it to the system.
  // WM_INITDIALOG: true lets the system put the focus on the first control;
  // false when the hook has set the focus itself.
  virtual bool OnInitDialog() { return true; }
  // WM_COMMAND from control `id` with its notification `code`.
  virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
  // WM_NOTIFY; a handled notification answers `result`.
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // WM_SIZE; the system's handling follows in any case.
  virtual void OnSize(UINT /*kind*/, int /*width*/, int /*height*/) {}
  virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
  // WM_SYSCOMMAND; true keeps the system from carrying the command out.
  virtual bool OnSysCommand(UINT /*command*/) { return false; }
  // WM_DROPFILES; the hook releases the drop.
  virtual void OnDropFiles(HDROP drop);
  virtual bool OnPaint() { return false; }
  virtual bool OnClose() { return false; }
  // WM_KEYDOWN reaching the dialog itself (no dialog loop translated it).
  virtual bool OnKeyDown(UINT /*key*/) { return false; }
  virtual bool OnGetMinMaxInfo(MINMAXINFO& /*info*/) { return false; }
  // WM_CTLCOLORSTATIC: the brush to paint the control's ground with, or null
  // for the system's.
  virtual HBRUSH OnCtlColorStatic(HDC /*dc*/, HWND /*control*/) { return nullptr; }
  // WM_SETCURSOR over `under`: true when the hook has set the cursor.
  virtual bool OnSetCursor(HWND /*under*/) { return false; }
  // Every other message: true when handled, with the message's answer (what
  // SendMessage returns) in `result`.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
  }

  // For messages whose answer goes through DWLP_MSGRESULT.
  void SetMessageResult(LONG_PTR value) { SetWindowLongPtrW(window_, DWLP_MSGRESULT, value); }

  // Creates the window from template `resourceId` of the program's module:
  // the dialogs are wide windows, whose texts never pass through the system's
  // ANSI code page.
  INT_PTR RunTemplate(int resourceId, HWND owner);
  HWND CreateFromTemplate(int resourceId, HWND owner);

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  // The template's font's stand-in where that font shows no Japanese.
  UniqueFont japaneseFont_;
};

// A dialog run like a function: the call returns when it ends.
class ModalDialog : public Dialog {
 protected:
  // Runs the dialog from template `resourceId`; its end value.
  INT_PTR RunModal(int resourceId, HWND owner) { return RunTemplate(resourceId, owner); }
  void End(INT_PTR value) { EndDialog(Window(), value); }
  // OK and Cancel (Enter, Esc, the close box) end the dialog with their id.
  bool OnCommand(int id, int code) override;
};

// A window that stays while its owner runs; destroyed with this object at
// the latest. The window forgets the object when it is destroyed, whoever
// destroys it.
class ModelessDialog : public Dialog {
 protected:
  ~ModelessDialog() override;
  // Creates the window, hidden unless the template says otherwise; null on
  // failure.
  HWND CreateModeless(int resourceId, HWND owner) { return CreateFromTemplate(resourceId, owner); }
};

}  // namespace orlavix::win32
