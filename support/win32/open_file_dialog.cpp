#include "support/win32/open_file_dialog.h"

#include "platform/win32/wide_text.h"
#include "support/win32/nt_platform.h"

namespace orlavix::win32 {

bool AskForExistingFile(HWND owner, const std::string& filter, const std::string& initialFolder,
                        std::wstring& chosen) {
  wchar_t path[MAX_PATH] = L"";
  wchar_t title[256] = L"";
  const std::wstring wideFilter = Wide(filter);
  const std::wstring folder = Wide(initialFolder);
  OPENFILENAMEW request{};
  request.lStructSize = RecordSize<OPENFILENAMEW>(kOpenFileNameSize400);
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
