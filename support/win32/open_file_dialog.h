// The system's open-file dialog as the program's windows ask for a file.
#pragma once

#include <windows.h>

#include <string>

namespace orlavix::win32 {

// Shows the dialog (explorer style, resizable, the file must exist) with
// `filter` (pairs of description and pattern, each ended by NUL), its first
// pair selected, starting in `initialFolder` (the system's choice when
// empty). True with the chosen path when the person pressed OK; the path is
// as the system gives it, for the caller to take or refuse.
bool AskForExistingFile(HWND owner, const std::string& filter, const std::string& initialFolder,
                        std::wstring& chosen);

}  // namespace orlavix::win32
