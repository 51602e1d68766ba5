#include "support/win32/open_file_dialog.h"

#include <commdlg.h>

#include <cstddef>

#include "platform/win32/wide_text.h"
#include "support/win32/nt_platform.h"

namespace orlavix::win32 {
namespace {

// The record as systems before Windows 2000 know it: up to lpTemplateName.
constexpr DWORD kOpenFileNameSize400 = offsetof(OPENFILENAMEW, pvReserved);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPENFILENAMEW) == 88, "the 32-bit open-file record is 88 bytes");
static_assert(kOpenFileNameSize400 == 76, "older systems take 76 bytes");
#endif

}  // namespace

bool AskForExistingFile(HWND owner, const std::string& filter, const std::string& initialFolder,
                        std::wstring& chosen) {
  wchar_t path[MAX_PATH] = L"";
  wchar_t title[256] = L"";
  const std::wstring wideFilter = Wide(filter);
  const std::wstring folder = Wide(initialFolder);
  OPENFILENAMEW request{};
  request.lStructSize = IsBeforeWindows2000() ? kOpenFileNameSize400 : sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = wideFilter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path;
  request.nMaxFile = MAX_PATH;
  request.lpstrFileTitle = title;
  request.nMaxFileTitle = sizeof title / sizeof title[0];
  request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  request.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&request)) return false;
  chosen = path;
  return true;
}

}  // namespace orlavix::win32
