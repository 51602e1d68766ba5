#include <windows.h>

#include "platform/folders.h"
#include "platform/win32/wide_text.h"

namespace orlavix::platform {

using win32::Wide;

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  if (folder.empty()) return false;
  // In UTF-16 a final backslash is a separator: no trail byte can pose as one.
  std::wstring pattern = Wide(folder);
  if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L"*.*";
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    win32::NarrowText narrow = win32::Narrow(name);
    entries.push_back({std::move(narrow.text), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       std::move(narrow.lost)});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return true;
}

bool IsFolder(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool LastWriteTime(const std::string& path, FileTime& time) {
  if (path.empty()) return false;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return false;
  SYSTEMTIME utc{}, local{};
  // The zone's rule for that date, so a summer time shows as it was then.
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return false;
  }
  time.stamp = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                         data.ftLastWriteTime.dwLowDateTime);
  time.year = local.wYear;
  time.month = local.wMonth;
  time.day = local.wDay;
  time.hour = local.wHour;
  time.minute = local.wMinute;
  return true;
}

}  // namespace orlavix::platform
