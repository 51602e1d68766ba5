#include "editor/host_location.h"

#include "platform/files.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {

namespace {

constexpr const char* kMakerFolder = "Brannock & Co";

}  // namespace

std::string CommandLinePath(std::string_view commandLine) {
  if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"') {
    commandLine = commandLine.substr(1, commandLine.size() - 2);
  }
  return std::string(commandLine);
}

HostLayout LayoutOf(std::string_view executable) {
  HostLayout layout;
  layout.executableFolder = RemoveFileSpec(executable);
  layout.root = RemoveFileSpec(layout.executableFolder);
  layout.propertyFile = JoinPath(layout.executableFolder, "Velquor.Property");
  layout.skinsFolder = JoinPath(JoinPath(layout.root, "resources"), "skins") + kPathSeparator;
  return layout;
}

int PreselectedSkin(const std::vector<std::string>& listed, std::string_view current) {
  if (listed.empty()) return -1;
  for (std::string_view wanted : {current, std::string_view("default")}) {
    for (std::size_t i = 0; i < listed.size(); ++i) {
      if (EqualsNoCase(listed[i], wanted)) return static_cast<int>(i);
    }
  }
  return 0;
}

bool ResolveShortcut(std::string& path, platform::HostServices& host) {
  if (path.empty() || !EqualsNoCase(ExtensionOf(path), ".lnk")) return false;
  std::string target;
  if (!host.ShortcutTarget(path, target)) return false;
  path = target;
  return true;
}

std::string FirstExistingPath(const std::vector<std::string>& dropped, platform::HostServices& host) {
  for (std::string path : dropped) {
    ResolveShortcut(path, host);
    if (!path.empty() && platform::FileExists(path)) return path;
  }
  return std::string();
}

bool LocateUserIni(const std::string& executable, platform::HostServices& host, std::string& userIni) {
  const HostLayout layout = LayoutOf(executable);
  if (!platform::FileExists(layout.propertyFile)) return false;
  std::string user;
  if (!host.UserName(user) || user.empty()) user = "default";
  const int useAppData = host.ReadProfileInt("Setting", "UseAppData", 0, layout.propertyFile);
  const bool multiUser = host.ReadProfileInt("Setting", "MultiUser", 0, layout.propertyFile) != 0;
  std::string folder;
  std::string appData;
  if (useAppData != 0 && host.FindSpecialFolder(platform::SpecialFolder::AppData, appData)) {
    folder = JoinPath(JoinPath(appData, kMakerFolder), StemOf(executable));
  } else {
    folder = JoinPath(JoinPath(layout.root, "settings"), multiUser ? user : std::string("All Users"));
  }
  const std::string candidate = JoinPath(JoinPath(folder, "setting"), "user.ini");
  if (!platform::FileExists(candidate)) return false;
  userIni = candidate;
  return true;
}

std::string CurrentSkinName(const std::string& executable, platform::HostServices& host) {
  std::string userIni;
  if (executable.empty() || !LocateUserIni(executable, host, userIni)) return "default";
  return host.ReadProfileString("General", "Skin", "default", userIni);
}

bool HostIdle(std::string_view fileName, platform::HostServices& host) {
  if (!host.MutexFree(kHostMutex)) return false;
  if (fileName != "qx4.exe") return true;
  return host.MutexFree("QX4InstallerMutex");
}

bool InstallerIdle(std::string_view fileName, platform::HostServices& host) {
  if (fileName == "velquor.exe" && !host.MutexFree("VelquorInstallerFinalMutex")) return false;
  if (fileName == "osket.exe" && !host.MutexFree("OsketInstallerFinalMutex")) return false;
  if (fileName != "qx4.exe") return true;
  return host.MutexFree("QX4InstallerFinalMutex");
}

std::string DefaultBrowseFolder(platform::HostServices& host) {
  std::string folder;
  if (!host.FindSpecialFolder(platform::SpecialFolder::ProgramFiles, folder)) return std::string();
  const std::string maker = JoinPath(folder, kMakerFolder);
  if (!platform::FileExists(maker)) return folder;
  folder = maker;
  for (const char* product : {"Velquor", "Osket"}) {
    const std::string productFolder = JoinPath(folder, product);
    if (!platform::FileExists(productFolder)) continue;
    folder = productFolder;
    const std::string bin = JoinPath(folder, "bin");
    if (platform::FileExists(bin)) folder = bin;
    break;
  }
  return folder;
}

}  // namespace orlavix
