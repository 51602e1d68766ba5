#include "editor/win32/item_windows.h"

namespace orlavix::win32 {

void ItemWindows::Create(HWND dialog) {
  preview.Create(dialog);
  valueEditor_.SetOwner(dialog);
  clipboard_.SetOwner(dialog);
  rowMenu_.SetOwner(dialog);
}

}  // namespace orlavix::win32
