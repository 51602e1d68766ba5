#include "editor/win32/item_list_subclass.h"

#include <commctrl.h>

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
    const int selected = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    // The dialog answers 0 when the list should still do its own processing.
    const LRESULT answer = SendMessageW(GetParent(list), forward, static_cast<WPARAM>(selected), detail);
    if (answer != 0) return answer;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void PrepareItemList(HWND list) {
  if (SubclassItemList(list)) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(-1),
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  }
  const LPARAM added = LVS_EX_GRIDLINES | LVS_EX_INFOTIP;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(added), added);
}

bool SubclassItemList(HWND list) {
  return list && SetWindowSubclass(list, &ItemListProcedure, kSubclassId, 0) != FALSE;
}

}  // namespace orlavix::win32
