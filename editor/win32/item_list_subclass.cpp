#include "editor/win32/item_list_subclass.h"

#include <commctrl.h>

#include "support/win32/list_view.h"
#include "support/win32/private_messages.h"

namespace orlavix::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1009;

LRESULT CALLBACK ItemListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
  UINT forward = 0;
  LPARAM detail = 0;
  switch (message) {
    case WM_LBUTTONDBLCLK:
      forward = kItemListDoubleClick;
      break;
    case WM_CONTEXTMENU:
      forward = kItemListContextMenu;
      break;
    case WM_KEYDOWN:
      forward = kItemListKey;
      detail = static_cast<LPARAM>(wParam & 0xFF);
      break;
    case WM_CHAR:
      forward = kItemListChar;
      detail = static_cast<LPARAM>(wParam & 0xFFFF);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, &ItemListProcedure, kSubclassId);
      break;
    default:
      break;
  }
  if (forward) {
    const int selected = ListView(list).SelectedRow();
    // The dialog answers 0 when the list should still do its own processing.
    const LRESULT answer = SendMessageW(GetParent(list), forward, static_cast<WPARAM>(selected), detail);
    if (answer != 0) return answer;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void PrepareItemList(HWND list) {
  ListView view(list);
  if (SubclassItemList(list)) view.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  view.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
}

bool SubclassItemList(HWND list) {
  return list && SetWindowSubclass(list, &ItemListProcedure, kSubclassId, 0) != FALSE;
}

}  // namespace orlavix::win32
