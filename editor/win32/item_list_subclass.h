// The item list tells its dialog about double clicks, the context menu, keys
// and typed characters before doing its own processing of them.
#pragma once

#include <windows.h>

namespace orlavix::win32 {

// Subclasses the list; false when that failed. The subclass removes itself
// when the list is destroyed.
bool SubclassItemList(HWND list);

// Subclasses the list and gives it check boxes (as state images 1 and 2),
// full-row selection, grid lines and info tips. Should the subclassing fail,
// only grid lines and info tips are added to the styles it has.
void PrepareItemList(HWND list);

}  // namespace orlavix::win32
