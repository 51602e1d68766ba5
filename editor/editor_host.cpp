// The main dialog's logic around the host: start-up, naming the host,
// choosing a skin, saving and closing.
#include "editor/editor_dialog.h"
#include "editor/host_location.h"
#include "model/catalogues.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {

namespace {
constexpr int kFolderReportSeconds = 10;
}  // namespace

void EditorDialog::Start(const std::string& line, const ItemTools& tools) {
  AttachItemTools(tools);
  RescanSkins();
  PrepareCatalogues();
  commandLine = line;
  TakeCommandLine();
}

void EditorDialog::PrepareCatalogues() {
  // What a trip into editing and back with no skin chosen would leave, made
  // directly: the options for the whole run (no file to read them from yet),
  // the section catalogues empty, the controls of choosing shown and the
  // list disabled. The dialog keeps its choosing size throughout, so it
  // never shows itself at another.
  BuildCatalogue(SettingCategory::Options, optionItems);
  controls_.ShowEditingControls(false);
  itemList_.Enable(false);
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
  std::string unnamed;
  std::u32string lost;
  for (const platform::FolderEntry& entry : entries) {
    if (!entry.isFolder) continue;
    if (entry.lost.empty()) {
      hostControls_.AddSkin(entry.name);
      continue;
    }
    // A name read with '?' in it names no folder: such a skin cannot be opened.
    unnamed += "\n" + entry.name;
    for (char32_t c : entry.lost) {
      if (lost.find(c) == std::u32string::npos) lost += c;
    }
  }
  if (!unnamed.empty()) {
    messages_.Report(J("次のスキンはフォルダー名に扱えない文字 (") + CodePointNames(lost) +
                         J(") があるため、一覧に出せません。フォルダー名を変えてください。\n") + unnamed,
                     kFolderReportSeconds);
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
