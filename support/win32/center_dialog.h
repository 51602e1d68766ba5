// Places a dialog when it opens.
#pragma once

#include <windows.h>

namespace orlavix::win32 {

// Centres `dialog` over its owner, or over the work area when the owner is
// missing, hidden or minimised, and keeps it inside the work area of the
// monitor nearest the owner (or, without one, nearest the dialog). Size,
// Z order and activation stay.
void CenterDialog(HWND dialog);

}  // namespace orlavix::win32
