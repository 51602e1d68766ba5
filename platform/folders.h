// Listing a folder. Names are in the working code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orlavix::platform {

struct FolderEntry {
  std::string name;
  bool isFolder = false;
  // Characters of the name on disk that the working code page cannot hold
  // (they read as '?' in `name`, which then names no file); empty for most.
  std::u32string lost;
};

// The entries of `folder` other than "." and "..", in the order the system
// lists them. False (and no entries) when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries);

// True when path names an existing folder.
bool IsFolder(const std::string& path);

// When a file was last written: a stamp that orders times, and the same
// moment in the machine's local time.
struct FileTime {
  std::int64_t stamp = 0;  // later is larger; the unit is the system's own
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;
  int minute = 0;
};

// The last-write time of the file at path; false when it cannot be read.
bool LastWriteTime(const std::string& path, FileTime& time);

}  // namespace orlavix::platform
