// The row menu as a popup menu at the mouse cursor.
#pragma once

#include <windows.h>

#include "editor/row_menu.h"

namespace orlavix::win32 {

class PopupRowMenu : public RowMenu {
 public:
  explicit PopupRowMenu(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  // Built anew for each showing and destroyed after it.
  int Choose(const std::vector<RowMenuEntry>& entries) override;

 private:
  HWND owner_;
};

}  // namespace orlavix::win32
