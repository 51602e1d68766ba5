// Keys of a whole dialog: the dialog loop hands a key press to the focused
// control, so a dialog sees only the keys its controls leave over. A message
// filter on the loop shows the dialog each undo, redo and Enter key first,
// as kDialogKey, wherever the focus is.
#pragma once

#include <windows.h>

namespace orlavix::win32 {

class DialogKeyFilter {
 public:
  DialogKeyFilter() = default;
  ~DialogKeyFilter();
  DialogKeyFilter(const DialogKeyFilter&) = delete;
  DialogKeyFilter& operator=(const DialogKeyFilter&) = delete;

  // From now on, while this thread runs a dialog loop, `dialog` is asked
  // about those keys pressed in it or in any of its controls; the other
  // windows of the thread (boxes, other dialogs) are never asked.
  void Attach(HWND dialog);

 private:
  HHOOK hook_ = nullptr;
  HWND dialog_ = nullptr;
};

}  // namespace orlavix::win32
