// The item list tells its dialog about double clicks, the context menu, keys
// and typed characters before doing its own processing of them.
#pragma once

#include <windows.h>

namespace orlavix::win32 {

// Messages the item list sends to its parent; wParam is the selected row
// (-1 when none), lParam 0 or, for a key, the virtual-key code's low 8 bits,
// for a character its UTF-16 code. A non-zero answer means the dialog
// handled it and the list leaves it alone.
constexpr UINT kItemListDoubleClick = WM_APP + 2;
constexpr UINT kItemListContextMenu = WM_APP + 3;
constexpr UINT kItemListKey = WM_APP + 4;
constexpr UINT kItemListChar = WM_APP + 5;

// Subclasses the list; false when that failed. The subclass removes itself
// when the list is destroyed.
bool SubclassItemList(HWND list);

// Subclasses the list and gives it check boxes (as state images 1 and 2),
// full-row selection, grid lines and info tips. Should the subclassing fail,
// only grid lines and info tips are added to the styles it has.
void PrepareItemList(HWND list);

}  // namespace orlavix::win32
