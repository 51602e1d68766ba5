// The item list's row menu as a Windows popup menu.
#pragma once

#include <windows.h>

#include <vector>

#include "editor/row_menu.h"
#include "editor/win32/owned_tool.h"

namespace orlavix::win32 {

// The row menu as a popup menu at the mouse cursor, built anew for each
// showing and destroyed after it.
class PopupRowMenu : public RowMenu, public OwnedTool {
 public:
  explicit PopupRowMenu(HWND owner = nullptr) : OwnedTool(owner) {}
  int Choose(const std::vector<RowMenuEntry>& entries) override;
};

}  // namespace orlavix::win32
