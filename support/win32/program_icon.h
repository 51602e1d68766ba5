// The program's icon: its resource id, shared with the resource script, and
// the one place that loads it for a window.
#pragma once

#define IDI_ORLAVIX 202

#ifndef RC_INVOKED
#include <windows.h>

#include "platform/win32/guards.h"

namespace orlavix::win32 {

// The window's big and small icons, at the system's sizes.
struct ProgramIcons {
  UniqueIcon big;
  UniqueIcon small;
};

// Loads both sizes and gives them to the window; the window shows them as
// long as the result lives.
ProgramIcons SetProgramIcons(HWND window);

}  // namespace orlavix::win32
#endif
