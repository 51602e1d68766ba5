#include <windows.h>

#include "platform/folders.h"

namespace orlavix::platform {

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  if (folder.empty()) return false;
  std::string pattern = folder;
  // Only a final single-byte backslash ends the folder; a trail byte 0x5C does not.
  const char* last = CharPrevA(pattern.c_str(), pattern.c_str() + pattern.size());
  if (*last != '\\' || last != pattern.c_str() + pattern.size() - 1) pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

bool IsFolder(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace orlavix::platform
