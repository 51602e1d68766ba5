// The program's own window messages, timer and system-menu command, in one
// place so that no two of them share a value by accident. The options'
// commands (WM_APP + 10 to 13) are values of the options catalogue
// (model/catalogues.h).
#pragma once

#include <windows.h>

namespace orlavix::win32 {

// Sent by the item list to its dialog before it handles the gesture itself;
// wParam is the selected row (-1 when none), lParam 0 or, for a key, the
// virtual-key code's low 8 bits, for a character its UTF-16 code. A non-zero
// answer means the dialog handled it and the list leaves it alone.
constexpr UINT kItemListDoubleClick = WM_APP + 2;
constexpr UINT kItemListContextMenu = WM_APP + 3;
constexpr UINT kItemListKey = WM_APP + 4;
constexpr UINT kItemListChar = WM_APP + 5;

// Sent by the dialog loop's message filter to the top-level window of a key
// press before any control has it; wParam is the virtual-key code, lParam
// the modifier bits below. A non-zero answer means the window took the key.
constexpr UINT kDialogKey = WM_APP + 6;
constexpr LPARAM kDialogKeyControl = 1;
constexpr LPARAM kDialogKeyShift = 2;
constexpr LPARAM kDialogKeyAlt = 4;

// The main dialog's one timer: the columns are refitted after a system
// command, once the new size is in place.
constexpr UINT_PTR kRefitTimer = 1;
constexpr UINT kRefitDelayMs = 100;

// The one item a window adds to its system menu: the version dialog for the
// main dialog, the properties for the preview.
constexpr UINT kSystemMenuItemCommand = 0xE140;

}  // namespace orlavix::win32
