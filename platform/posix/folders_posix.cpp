#include <dirent.h>
#include <sys/stat.h>

#include "platform/codepage.h"
#include "platform/folders.h"

namespace orlavix::platform {

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  if (folder.empty()) return false;
  const std::string native = WorkingToUtf8(folder);
  DIR* dir = opendir(native.c_str());
  if (!dir) return false;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info {};
      isFolder = stat((native + "/" + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    std::string working = Utf8ToWorking(name);
    std::u32string lost;
    if (WorkingToUtf8(working) != name) lost = LostCharacters(name);
    entries.push_back({std::move(working), isFolder, std::move(lost)});
  }
  closedir(dir);
  return true;
}

bool IsFolder(const std::string& path) {
  if (path.empty()) return false;
  struct stat info {};
  return stat(WorkingToUtf8(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace orlavix::platform
