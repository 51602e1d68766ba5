// Switching between choosing a skin and editing it, and what the item list
// does on its own: the preview of the selected row, sorting, keys.
#include <algorithm>

#include "editor/editor_dialog.h"
#include "editor/skin_on_disk.h"
#include "model/catalogues.h"
#include "model/image_states.h"
#include "platform/files.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {

namespace {

constexpr int kEditingExtraHeight = 300;

// The virtual-key codes of the list's keys; page up to down arrow are one run.
enum VirtualKey : int { kEnterKey = 0x0D, kSpaceKey = 0x20, kPageUpKey = 0x21, kUpKey = 0x26, kDownKey = 0x28 };

constexpr SettingCategory kLoadOrder[] = {SettingCategory::Options,  SettingCategory::General,
                                          SettingCategory::Colors,   SettingCategory::Controls,
                                          SettingCategory::Settings, SettingCategory::General};

}  // namespace

void EditorDialog::ToggleEditing() {
  tools_.preview->Hide();
  controls_.HideExtraText();

  std::string skinName;
  const bool skinSelected = controls_.SelectedSkinName(skinName);
  if (skinSelected) {
    if (skinName.empty()) return;
    const std::string folder = skinsFolder + skinName + kPathSeparator;
    const std::string iniPath = folder + "skin.ini";
    // A skin without its file cannot be edited. Leaving is always possible,
    // even when the file went away meanwhile: saving writes it anew.
    if (choosingSkin && !platform::FileExists(iniPath)) return;
    skinFolder = folder;
    skinIniPath = iniPath;
  }

  if (choosingSkin) {
    // Read once, whoever else holds it open. A file that is there but cannot
    // be read must not look like an empty skin: the next save would write
    // defaults over every value.
    SkinOnDisk disk;
    std::string why;
    if (ReadSkinOnDisk(skinIniPath, disk, why) == DiskRead::Failed) {
      messages_.Warn(ReadFailureText(skinIniPath, why));
      return;
    }
    LoadFromDisk(disk);
    currentCategory = SettingCategory::Report;  // the list's old rows belong to no catalogue now
    choosingSkin = false;
    controls_.SetStartButtonText(J("変更(&H)"));
    if (skinSelected) controls_.SetChosenSkinText(skinName);
    changedItems_.clear();
    for (SettingCategory category : kLoadOrder) ShowCategory(category);
    // The session's history starts with the values just read.
    history_.Clear();
    MarkSaved();
  } else {
    // Asked (and saved) while the list still belongs to its category, so its
    // ticks are saved too and a Cancel leaves the list fully usable.
    if (modified) {
      switch (messages_.AskToSave(false)) {
        case Messages::Answer::Yes:
          if (!SaveSkinFile()) return;  // keep the edits rather than lose them
          break;
        case Messages::Answer::No:
          break;
        case Messages::Answer::Cancel:
          return;
      }
    }
    currentCategory = SettingCategory::Report;
    choosingSkin = true;
    history_.Clear();
    savedValues_.reset();
    controls_.SetStartButtonText(J("編集開始(&H)"));
    generalItems.Clear();
    colorItems.Clear();
    controlItems.Clear();
    settingItems.Clear();
  }
  ShowEditing(!choosingSkin);
}

void EditorDialog::ShowEditing(bool editing) {
  controls_.ShowEditingControls(editing);
  controls_.GrowDialog(editing ? kEditingExtraHeight : -kEditingExtraHeight);
  itemList_.Enable(editing);
  if (!editing) return;
  itemList_.Focus();
  if (itemList_.GetItemCount() > 0) itemList_.SelectAndReveal(0);
}

bool EditorDialog::RowChecked(int row) { return itemList_.GetStateImageIndex(row) != kUncheckedStateImage; }

void EditorDialog::RefreshPreview() {
  Preview& preview = *tools_.preview;
  if (!optionItems.FindCopy(option::ShowPreview).boolValue || !preview.Exists()) return;

  const int row = itemList_.GetSelectedRow();
  controls_.EnableEditButton(row != -1);
  if (row < 0) {
    preview.Hide();
    return;
  }
  if (currentCategory == SettingCategory::Report) {
    controls_.EnableEditButton(false);
    preview.Hide();
    return;
  }
  const SettingCatalogue& catalogue = CurrentCatalogue();
  if (catalogue.Empty()) return;
  if (row >= catalogue.Count()) {  // a row the catalogue does not know: nothing to show
    preview.Hide();
    return;
  }
  const SettingItem& item = catalogue.At(row);
  const std::string value = item.FormatValue();
  if ((item.kind != SettingKind::Color && item.kind != SettingKind::ImageFile) || value.empty()) {
    preview.Hide();
    return;
  }
  if (item.kind == SettingKind::ImageFile) {
    // Images are shown whether ticked or not: the file is there to look at.
    preview.SetBackground(optionItems.FindCopy(option::PreviewBackground).color);
    preview.SetImageFolder(skinFolder + "controls");
    preview.SetImageStates(ImageStates(item.description));
    preview.SetImageName(value);
  } else {
    // An unticked colour is not written, so there is nothing to preview.
    preview.Hide();
    if (!RowChecked(row)) return;
    preview.SetColorText(value);
  }
  preview.RedrawAndShow();
  itemList_.Focus();
}

void EditorDialog::SortByColumn(int column) {
  // Report rows belong to no catalogue; without a selected row there is no key
  // to come back to. Either way the list stays as it is.
  if (currentCategory == SettingCategory::Report) return;
  SettingCatalogue& catalogue = CurrentCatalogue();
  const int row = itemList_.GetSelectedRow();
  if (row < 0 || row >= catalogue.Count()) return;
  // Refilling draws the boxes from the catalogue: ticks given in the list
  // since the category was shown must reach it first.
  StoreCheckMarks();
  const std::string key = catalogue.At(row).key;

  catalogue.Sort(-1, column);
  itemList_.DeleteAllItems();
  FillItemList(catalogue, true);
  for (int i = 0; i < catalogue.Count(); ++i) {
    if (catalogue.At(i).key == key) {
      itemList_.SelectAndReveal(i);
      break;
    }
  }
}

void EditorDialog::HandleListKey(int selectedRow, int virtualKey) {
  // Page keys, Home, End and the arrows move on: the next letter starts anew.
  if (virtualKey >= kPageUpKey && virtualKey <= kDownKey) keySearch_.Reset();
  const int from = selectedRow;
  int to = from;
  const int last = itemList_.GetItemCount() - 1;
  // With no row selected the list picks its own; there is nothing to foresee.
  if (from >= 0) {
    if (virtualKey == kDownKey) to = std::min(from + 1, last);
    if (virtualKey == kUpKey) to = std::max(from - 1, 0);
  }
  if (to == from && virtualKey != kSpaceKey && virtualKey != kEnterKey) return;
  if (to != from) itemList_.SelectRow(to);
  RefreshPreview();
  // Back where it was, so that the list's own handling of the key moves on.
  if (to != from) itemList_.SelectRow(from);
}

void EditorDialog::CheckBoxChanged(int row) {
  RecordTick(row);
  // The key handler previews before the list toggles the box; this catches up.
  if (row >= 0 && row == itemList_.GetSelectedRow()) RefreshPreview();
}

bool EditorDialog::TypeInList(int character) {
  if (character < ' ' && character != KeySearch::kBackspace) return false;
  if (!keySearch_.Take(character)) return true;
  std::vector<std::string> keys;
  const int rows = itemList_.GetItemCount();
  keys.reserve(static_cast<std::size_t>(rows > 0 ? rows : 0));
  for (int row = 0; row < rows; ++row) keys.push_back(itemList_.GetItemText(row, 1));
  const int found = keySearch_.FirstMatch(keys);
  // No match: the selection stays, without a sound.
  if (found < 0) return true;
  itemList_.SelectAndReveal(found);
  RefreshPreview();
  return true;
}

}  // namespace orlavix
