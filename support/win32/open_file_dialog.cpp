#include "support/win32/open_file_dialog.h"

#include <commdlg.h>

#include <cstddef>

#include "support/win32/nt_platform.h"

namespace orlavix::win32 {
namespace {

// The record as systems before Windows 2000 know it: up to lpTemplateName.
constexpr DWORD kOpenFileNameSize400 = offsetof(OPENFILENAMEA, pvReserved);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPENFILENAMEA) == 88, "the 32-bit open-file record is 88 bytes");
static_assert(kOpenFileNameSize400 == 76, "older systems take 76 bytes");
#endif

}  // namespace

bool AskForExistingFile(HWND owner, const std::string& filter, const std::string& initialFolder,
                        std::string& chosen) {
  char path[MAX_PATH] = "";
  char title[256] = "";
  OPENFILENAMEA request{};
  request.lStructSize = IsBeforeWindows2000() ? kOpenFileNameSize400 : sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path;
  request.nMaxFile = sizeof path;
  request.lpstrFileTitle = title;
  request.nMaxFileTitle = sizeof title;
  request.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  request.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameA(&request)) return false;
  chosen = path;
  return true;
}

}  // namespace orlavix::win32
