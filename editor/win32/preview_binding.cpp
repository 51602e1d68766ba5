#include "editor/win32/preview_binding.h"

#include <windows.h>

namespace orlavix::win32 {

void PreviewBinding::RedrawAndShow() {
  if (HWND window = window_.Window()) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  window_.ShowPreviewWindow(0);
}

}  // namespace orlavix::win32
