#include <dirent.h>
#include <sys/stat.h>

#include <ctime>

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

bool LastWriteTime(const std::string& path, FileTime& time) {
  if (path.empty()) return false;
  struct stat info {};
  if (stat(WorkingToUtf8(path).c_str(), &info) != 0) return false;
  struct tm local {};
  if (!localtime_r(&info.st_mtim.tv_sec, &local)) return false;
  time.stamp = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  time.year = local.tm_year + 1900;
  time.month = local.tm_mon + 1;
  time.day = local.tm_mday;
  time.hour = local.tm_hour;
  time.minute = local.tm_min;
  return true;
}

}  // namespace orlavix::platform
