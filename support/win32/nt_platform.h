// Whether the system is of the Windows NT family; asked once and remembered.
#pragma once

namespace orlavix::win32 {

// Tests the platform until the first positive answer, which is then kept for
// the rest of the process.
bool IsNtPlatform();

// True on systems older than Windows 2000 and Windows Me, which know only the
// shorter forms of some structures (OPENFILENAMEA, MENUITEMINFOA).
bool IsOlderSystem();

}  // namespace orlavix::win32
