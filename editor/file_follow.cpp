// Keeping the editor and skin.ini on disk together: what the file held when it
// was loaded or saved, following it while nothing is edited, and taking
// another program's changes into the catalogues.
#include <algorithm>

#include "editor/editor_dialog.h"
#include "editor/skin_on_disk.h"
#include "platform/files.h"

namespace orlavix {

SettingCatalogue& EditorDialog::SkinCatalogue(int section) {
  switch (section) {
    case 0: return generalItems;
    case 1: return colorItems;
    case 2: return controlItems;
    default: return settingItems;
  }
}

SkinValues EditorDialog::WrittenValues() {
  return ValuesAsWritten(generalItems, colorItems, controlItems, settingItems);
}

void EditorDialog::RememberFile(const SkinValues& values, const platform::FileStamp* stamp) {
  file_.known = true;
  file_.values = values;
  file_.stamped = stamp != nullptr;
  if (stamp) file_.stamp = *stamp;
}

void EditorDialog::LoadFromDisk(SkinOnDisk& disk) {
  RememberFile(disk.Values(), &disk.stamp);
  for (int s = 0; s < 4; ++s) SkinCatalogue(s) = std::move(disk.catalogues[s]);
  skinText = std::move(disk.text);
}

void EditorDialog::TakeFromFile(const SkinOnDisk& disk, const std::vector<SettingRef>& settings) {
  for (const SettingRef& setting : settings) {
    SettingItem& item = SkinCatalogue(setting.section).Find(setting.key);
    if (item.kind == SettingKind::None) continue;
    item = disk.catalogues[setting.section].FindCopy(setting.key);
  }
  RefreshShownRows();
  RefreshPreview();
}

void EditorDialog::RefreshShownRows() {
  if (choosingSkin || currentCategory == SettingCategory::Report || currentCategory == SettingCategory::Options) {
    return;
  }
  const SettingCatalogue& catalogue = CurrentCatalogue();
  // Row i shows item i: cells change in place, so the selection and the
  // scroll position stay where they are.
  const int rows = std::min(itemList_.GetItemCount(), catalogue.Count());
  for (int row = 0; row < rows; ++row) {
    const SettingItem& item = catalogue.At(row);
    const std::string value = item.FormatValue();
    if (itemList_.GetItemText(row, 2) != value) itemList_.SetItemText(row, 2, value);
    const int state = item.checked ? kCheckedStateImage : kUncheckedStateImage;
    if (itemList_.GetStateImageIndex(row) != state) itemList_.SetStateImageIndex(row, state);
  }
}

void EditorDialog::FollowFileOnDisk() {
  if (choosingSkin || saving_ || modified || !file_.known) return;
  platform::FileStamp stamp;
  // A file that went away has nothing to follow; the next save writes it anew.
  if (!platform::ReadFileStamp(skinIniPath, stamp)) return;
  if (file_.stamped && stamp == file_.stamp) return;
  // Ticks given in the list are edits too, though they do not mark the skin modified.
  StoreCheckMarks();
  if (WrittenValues() != file_.values) return;
  SkinOnDisk disk;
  std::string why;
  // Unreadable now: left to the save, which says why.
  if (ReadSkinOnDisk(skinIniPath, disk, why) != DiskRead::Read) return;
  const SkinValues values = disk.Values();
  // Nothing of ours changed: every setting the file changed is taken.
  const SkinMerge merge = MergeSkinValues(file_.values, file_.values, &values);
  RememberFile(values, &disk.stamp);
  if (merge.taken.empty()) return;
  // A reload is one step too: Ctrl+Z goes back to what the list showed.
  const CatalogueValues before = BeginStep();
  TakeFromFile(disk, merge.taken);
  EndStep(before);
  MarkSaved();
}

}  // namespace orlavix
