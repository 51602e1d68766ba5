// What the program asks of the system's version: whether it is of the
// Windows NT family, and whether it is older than Windows 2000, whose common
// dialogs and menus take the shorter records.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstddef>

namespace orlavix::win32 {

// Tests the platform until the first positive answer, which is then kept for
// the rest of the process.
bool IsNtPlatform();

// True on systems older than Windows 2000 and Windows Me.
bool IsBeforeWindows2000();

// The records as systems before Windows 2000 know them: the open-file record
// up to lpTemplateName, the menu item record without hbmpItem.
constexpr DWORD kOpenFileNameSize400 = offsetof(OPENFILENAMEW, pvReserved);
constexpr UINT kMenuItemInfoSize400 = offsetof(MENUITEMINFOW, hbmpItem);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPENFILENAMEW) == 88, "the 32-bit open-file record is 88 bytes");
static_assert(kOpenFileNameSize400 == 76, "older systems take 76 bytes");
static_assert(sizeof(MENUITEMINFOW) == 48, "the 32-bit menu item record is 48 bytes");
static_assert(kMenuItemInfoSize400 == 44, "older systems take 44 bytes");
#endif

// The size to put in a record's size field on this system.
template <typename Record, typename Size>
Size RecordSize(Size olderSize) {
  return IsBeforeWindows2000() ? olderSize : static_cast<Size>(sizeof(Record));
}

}  // namespace orlavix::win32
