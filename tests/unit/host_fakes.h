// Recording stand-ins for the host machine's services and the dialog's host
// controls.
#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "editor/host_controls.h"
#include "platform/host_services.h"
#include "support/mbtext.h"

namespace orlavix {

class FakeHostServices : public platform::HostServices {
 public:
  // file -> "Section/Key" -> value
  std::map<std::string, std::map<std::string, std::string>> profiles;
  std::map<platform::SpecialFolder, std::string> specialFolders;
  std::string userName;  // empty: the lookup fails
  std::map<std::string, std::string> shortcuts;  // shortcut path -> target
  std::set<std::string> heldMutexes;
  std::vector<std::string> probed;   // mutex names, in order
  std::vector<std::string> writes;   // "file|Section|Key|value"
  std::vector<std::string> opened;
  bool writeSucceeds = true;
  bool openSucceeds = true;

  int ReadProfileInt(const std::string& section, const std::string& key, int fallback,
                     const std::string& file) override {
    const std::string value = ReadProfileString(section, key, "", file);
    return value.empty() ? fallback : std::stoi(value);
  }
  std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                                const std::string& file) override {
    const auto f = profiles.find(file);
    if (f == profiles.end()) return fallback;
    const auto v = f->second.find(section + "/" + key);
    return v == f->second.end() ? fallback : v->second;
  }
  bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file) override {
    writes.push_back(file + "|" + section + "|" + key + "|" + value);
    if (writeSucceeds) profiles[file][section + "/" + key] = value;
    return writeSucceeds;
  }
  bool FindSpecialFolder(platform::SpecialFolder folder, std::string& path) override {
    const auto found = specialFolders.find(folder);
    if (found == specialFolders.end()) return false;
    path = found->second;
    return true;
  }
  bool UserName(std::string& name) override {
    name = userName;
    return !userName.empty();
  }
  bool ShortcutTarget(const std::string& path, std::string& target) override {
    const auto found = shortcuts.find(path);
    if (found == shortcuts.end()) return false;
    target = found->second;
    return true;
  }
  bool MutexFree(const std::string& name) override {
    probed.push_back(name);
    return heldMutexes.count(name) == 0;
  }
  bool OpenProgram(const std::string& path) override {
    opened.push_back(path);
    return openSucceeds;
  }
  // Last-write times by path; other files answer with their time on disk.
  std::map<std::string, platform::FileTime> fileTimes;
  bool LastWriteTime(const std::string& path, platform::FileTime& time) override {
    const auto found = fileTimes.find(path);
    if (found == fileTimes.end()) return HostServices::LastWriteTime(path, time);
    time = found->second;
    return true;
  }
};

// A skin list that sorts itself without regard to case, as the drop-down does.
class FakeHostControls : public HostControls {
 public:
  std::string location;
  std::vector<std::string> skins;
  int selected = -1;
  bool skinListEnabled = true;
  bool startEnabled = true;
  std::vector<std::string> browseStarts;  // start folder of each browse
  std::string browseAnswer;               // empty: cancelled

  std::string HostLocation() override { return location; }
  void SetHostLocation(const std::string& path) override { location = path; }
  void ClearSkins() override {
    skins.clear();
    selected = -1;
  }
  void AddSkin(const std::string& name) override {
    auto at = std::find_if(skins.begin(), skins.end(),
                           [&](const std::string& s) { return MbsCompare(MbsLower(name), MbsLower(s)) < 0; });
    skins.insert(at, name);
  }
  std::vector<std::string> SkinNames() override { return skins; }
  void SelectSkin(int index) override { selected = index; }
  void EnableSkinList(bool enable) override { skinListEnabled = enable; }
  void EnableStartButton(bool enable) override { startEnabled = enable; }
  bool AskForHostExecutable(const std::string& startFolder, std::string& chosen) override {
    browseStarts.push_back(startFolder);
    if (browseAnswer.empty()) return false;
    chosen = browseAnswer;
    return true;
  }
  std::string SelectedSkin() const { return selected < 0 ? std::string() : skins.at(selected); }
};

}  // namespace orlavix
