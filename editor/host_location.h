// Where the host browser keeps its skins and its per-user settings, and how a
// path to it is taken from the command line or from dropped files. Portable:
// the system is asked through platform::HostServices.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/host_services.h"

namespace orlavix {

// The command line as one path: no splitting at blanks; one pair of
// enclosing double quotes is dropped.
std::string CommandLinePath(std::string_view commandLine);

// The folders derived from the host executable's path.
struct HostLayout {
  std::string executableFolder;
  std::string root;          // the executable folder's parent
  std::string propertyFile;  // "Velquor.Property" beside the executable
  std::string skinsFolder;   // root + "resources\skins\", separator kept
};
HostLayout LayoutOf(std::string_view executable);

// The entry of `listed` (in list order) to select: the one equal to
// `current` without regard to case, else "default", else the first; -1 for
// an empty list.
int PreselectedSkin(const std::vector<std::string>& listed, std::string_view current);

// Replaces a path to a shortcut (".lnk" in any case) by its target; false,
// with the path unchanged, when it is no shortcut or cannot be read.
bool ResolveShortcut(std::string& path, platform::HostServices& host);

// The first of the dropped paths that exists once shortcuts are resolved, or
// "" when none does.
std::string FirstExistingPath(const std::vector<std::string>& dropped, platform::HostServices& host);

// The host's user.ini for the executable, following its property file:
// UseAppData puts it under the application-data folder, MultiUser under a
// folder of the user's name, otherwise "All Users". False when the property
// file or the user.ini is missing.
bool LocateUserIni(const std::string& executable, platform::HostServices& host, std::string& userIni);

// The skin that the host's user.ini names, or "default".
std::string CurrentSkinName(const std::string& executable, platform::HostServices& host);

// Named mutexes that tell whether the host or an installer of it is busy;
// `fileName` is the executable's lower-cased file name.
constexpr const char* kHostMutex = "Velquor200Mutex";
bool HostIdle(std::string_view fileName, platform::HostServices& host);
bool InstallerIdle(std::string_view fileName, platform::HostServices& host);

// Where the browse dialog starts when the host location names nothing:
// the program-files folder, descending into the maker's and a product's
// folder and its "bin" as far as they exist.
std::string DefaultBrowseFolder(platform::HostServices& host);

}  // namespace orlavix
