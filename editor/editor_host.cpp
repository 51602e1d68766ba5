// The main dialog's logic around the host: start-up, naming the host,
// choosing a skin, saving and closing.
#include "editor/editor_dialog.h"
#include "editor/host_location.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "support/paths.h"

namespace orlavix {

void EditorDialog::PrepareCatalogues() {
  // In and out of editing with no skin chosen: every catalogue is built once,
  // so that the options exist for the whole run, and leaving empties the
  // section catalogues again.
  ToggleEditing();
  for (SettingCategory category : {SettingCategory::Options, SettingCategory::General, SettingCategory::Colors,
                                   SettingCategory::Controls, SettingCategory::Settings}) {
    ShowCategory(category);
  }
  ToggleEditing();
}

void EditorDialog::TakeCommandLine() {
  if (commandLine.empty()) return;
  std::string path = CommandLinePath(commandLine);
  ResolveShortcut(path, hostServices_);
  if (path.empty() || !platform::FileExists(path)) return;
  hostControls_.SetHostLocation(path);
  RescanSkins();
}

void EditorDialog::RescanSkins() {
  hostControls_.ClearSkins();
  hostControls_.EnableSkinList(false);
  hostControls_.EnableStartButton(false);
  const std::string executable = hostControls_.HostLocation();
  if (executable.empty() || !platform::FileExists(executable)) return;
  const HostLayout layout = LayoutOf(executable);
  if (!platform::IsFolder(layout.skinsFolder)) return;
  skinsFolder = layout.skinsFolder;
  const std::string current = CurrentSkinName(executable, hostServices_);
  std::vector<platform::FolderEntry> entries;
  platform::ListFolder(skinsFolder, entries);
  for (const platform::FolderEntry& entry : entries) {
    if (entry.isFolder) hostControls_.AddSkin(entry.name);
  }
  // The list sorts itself: choose by name once every name is in.
  const int selected = PreselectedSkin(hostControls_.SkinNames(), current);
  if (selected < 0) return;
  hostControls_.SelectSkin(selected);
  hostControls_.EnableSkinList(true);
  hostControls_.EnableStartButton(true);
}

void EditorDialog::BrowseForHost() {
  const std::string current = hostControls_.HostLocation();
  const std::string startFolder = !current.empty() && platform::FileExists(current)
                                      ? RemoveFileSpec(current)
                                      : DefaultBrowseFolder(hostServices_);
  std::string chosen;
  if (!hostControls_.AskForHostExecutable(startFolder, chosen)) return;
  hostControls_.SetHostLocation(chosen);
  RescanSkins();
}

void EditorDialog::DropFiles(const std::vector<std::string>& paths) {
  const std::string path = FirstExistingPath(paths, hostServices_);
  if (!choosingSkin) return;
  hostControls_.SetHostLocation(path);
  RescanSkins();
}

void EditorDialog::Apply() {
  // The hidden 適用 still answers Enter: there is nothing to save yet.
  if (choosingSkin) return;
  SaveSkinFile();
}

bool EditorDialog::Close() {
  if (!modified) return true;
  switch (messages_.AskToSave(true)) {
    case Messages::Answer::Yes:
      // A failed save keeps the dialog and the edits: ending now would lose them.
      return SaveSkinFile();
    case Messages::Answer::No:
      return true;
    case Messages::Answer::Cancel:
      break;
  }
  return false;
}

}  // namespace orlavix
