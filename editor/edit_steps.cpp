// Going back: the steps of an editing session undone and redone, and the
// values of a numbered backup brought back as one more step.
#include "editor/backups.h"
#include "editor/editor_dialog.h"
#include "model/catalogues.h"
#include "support/mbtext.h"

namespace orlavix {

namespace {

constexpr int kEnterKey = 0x0D;
constexpr int kSameReportSeconds = 3;

constexpr SettingCategory kEditedCategories[] = {SettingCategory::Options, SettingCategory::General,
                                                 SettingCategory::Colors, SettingCategory::Controls,
                                                 SettingCategory::Settings};

const ColumnSet kBackupColumns = {{"バックアップ", "日時", "違い"}, {200, 200, 185}};

int RowOfKey(const SettingCatalogue& catalogue, const std::string& key) {
  for (int i = 0; i < catalogue.Count(); ++i) {
    if (catalogue.At(i).key == key) return i;
  }
  return -1;
}

}  // namespace

CatalogueValues EditorDialog::CurrentValues() {
  // Every tick given in the list has reached its catalogue already (see
  // RecordTick): the list is not read here, so that an edit half applied to
  // the catalogue and the row is never overwritten by the row's old box.
  CatalogueValues values;
  for (SettingCategory category : kEditedCategories) values.Take(category, CatalogueOf(category));
  return values;
}

void EditorDialog::MarkSaved() {
  savedValues_ = CurrentValues();
  modified = false;
}

void EditorDialog::UpdateModified() { modified = !savedValues_ || savedValues_->DiffersFrom(CurrentValues()); }

void EditorDialog::RecordStep(EditStep step) {
  // A value confirmed unchanged is no step: there would be nothing to undo.
  EditStep kept;
  for (SettingChange& change : step) {
    if (!SameSetting(change.before, change.after)) kept.push_back(std::move(change));
  }
  if (kept.empty()) return;
  history_.Record(std::move(kept));
  UpdateModified();
}

CatalogueValues EditorDialog::BeginStep() {
  StoreCheckMarks();
  return CurrentValues();
}

void EditorDialog::EndStep(const CatalogueValues& before) {
  if (choosingSkin) return;
  RecordStep(before.ChangesTo(CurrentValues()));
  // The shown category's rows follow its catalogue, refilled without storing
  // the list's older ticks over the new ones; the selection stays on its row.
  if (!HasCatalogue(currentCategory)) return;
  const int selected = itemList_.GetSelectedRow();
  DisplayCategory(currentCategory);
  if (selected >= 0 && selected < itemList_.GetItemCount()) itemList_.SelectAndReveal(selected);
  RefreshPreview();
}

void EditorDialog::RecordTick(int row) {
  if (choosingSkin || !HasCatalogue(currentCategory)) return;
  SettingCatalogue& catalogue = CurrentCatalogue();
  if (row < 0 || row >= catalogue.Count() || row >= itemList_.GetItemCount()) return;
  SettingItem& item = catalogue.At(row);
  const bool ticked = RowChecked(row);
  if (item.checked == ticked) return;
  const SettingItem before = item;
  item.checked = ticked;
  RecordStep({{currentCategory, before, item}});
}

void EditorDialog::Undo() {
  if (choosingSkin) return;
  if (const EditStep* step = history_.Undo()) {
    ApplyStep(*step, false);
    ShowStep(*step);
  }
}

void EditorDialog::Redo() {
  if (choosingSkin) return;
  if (const EditStep* step = history_.Redo()) {
    ApplyStep(*step, true);
    ShowStep(*step);
  }
}

void EditorDialog::ApplyStep(const EditStep& step, bool forward) {
  // The list's ticks reach the catalogues first, so that refilling the list
  // afterwards shows the step's ticks and not the list's older ones.
  StoreCheckMarks();
  for (const SettingChange& change : step) {
    SettingItem& item = CatalogueOf(change.category).Find(change.before.key);
    if (item.kind == SettingKind::None) continue;
    item.AssignValue(forward ? change.after : change.before);
  }
  UpdateModified();
}

void EditorDialog::ShowStep(const EditStep& step) {
  if (step.empty()) return;
  const SettingCategory category = step.front().category;
  DisplayCategory(category);
  // The first of the step's rows as the list shows them now, sorted or not.
  const SettingCatalogue& catalogue = CatalogueOf(category);
  int first = -1;
  for (const SettingChange& change : step) {
    if (change.category != category) continue;
    const int row = RowOfKey(catalogue, change.before.key);
    if (row >= 0 && (first < 0 || row < first)) first = row;
  }
  if (first >= 0 && first < itemList_.GetItemCount()) itemList_.SelectAndReveal(first);
  RefreshPreview();
}

bool EditorDialog::DialogKey(int virtualKey, bool control, bool shift, bool alt, bool inItemList) {
  if (choosingSkin) return false;
  switch (EditKeyOf(virtualKey, control, shift, alt)) {
    case EditKey::Undo: Undo(); return true;
    case EditKey::Redo: Redo(); return true;
    case EditKey::None: break;
  }
  // Enter on a backup chooses it, as a double click does, rather than save.
  if (virtualKey == kEnterKey && !control && !alt && inItemList && !backups_.empty()) {
    RestoreBackup(itemList_.GetSelectedRow());
    return true;
  }
  return false;
}

void EditorDialog::ShowBackups() {
  StoreCheckMarks();
  const CatalogueValues now = CurrentValues();
  std::vector<BackupFile> found = FindBackups(skinIniPath, hostServices_);

  currentCategory = SettingCategory::Report;
  ClearItemList();
  SetupColumns(kBackupColumns);
  SettingCatalogue rows;
  if (found.empty()) rows.Append(SettingItem(SettingKind::ReportRow, false, J("バックアップはありません"), "", ""));
  for (const BackupFile& backup : found) {
    CatalogueValues values;
    const std::string differences =
        ReadBackupValues(backup.path, values, messages_)
            ? J("違い ") + std::to_string(now.ChangesTo(values).size()) + J(" 件")
            : J("読み込めません");
    rows.Append(SettingItem(SettingKind::ReportRow, false, backup.name, BackupTimeText(backup.time), differences));
  }
  FillItemList(rows, false);
  backups_ = std::move(found);
}

bool EditorDialog::RestoreBackup(int row) {
  if (choosingSkin || row < 0 || row >= static_cast<int>(backups_.size())) return false;
  const BackupFile backup = backups_[static_cast<std::size_t>(row)];
  CatalogueValues values;
  if (!ReadBackupValues(backup.path, values, messages_)) {
    messages_.Warn(J("バックアップ ") + backup.name + J(" を読み込めませんでした。"));
    return false;
  }
  EditStep changes = CurrentValues().ChangesTo(values);
  if (changes.empty()) {
    messages_.Report(backup.name + J(" は今の内容と同じです。"), kSameReportSeconds);
    return false;
  }
  if (!messages_.AskYesNo(RestoreQuestion(backup.name, changes))) return false;
  history_.Record(changes);
  ApplyStep(changes, true);
  ShowStep(changes);
  return true;
}

}  // namespace orlavix
