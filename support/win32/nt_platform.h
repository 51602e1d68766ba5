// Whether the system is of the Windows NT family; asked once and remembered.
#pragma once

namespace orlavix::win32 {

// Tests the platform until the first positive answer, which is then kept for
// the rest of the process.
bool IsNtPlatform();

}  // namespace orlavix::win32

namespace orlavix::win32 {

// True on systems older than Windows 2000 and Windows Me, whose common
// dialogs and menus take the shorter structure sizes.
bool IsBeforeWindows2000();

}  // namespace orlavix::win32
