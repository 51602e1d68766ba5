// Listing a folder. Names are in the working code page.
#pragma once

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

}  // namespace orlavix::platform
