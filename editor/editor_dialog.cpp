#include "editor/editor_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/skin_analysis.h"
#include "document/skin_loader.h"
#include "document/skin_writer.h"
#include "editor/save_question.h"
#include "editor/skin_on_disk.h"
#include "model/catalogues.h"
#include "platform/files.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {

namespace {

const ColumnSet kColumnSets[kCategoryCount] = {
    {{"種別", "番号", "ファイル"}, {220, 65, 300}},       // Report
    {{"項目", "キー", "値"}, {240, 180, 165}},            // Options
    {{"項目", "キー", "値"}, {305, 120, 160}},            // General
    {{"項目", "キー", "色"}, {360, 170, 55}},             // Colors
    {{"項目", "キー", "画像・設定値"}, {265, 190, 130}},  // Controls
    {{"項目", "キー", "値"}, {255, 230, 100}},            // Settings
};

constexpr SettingCategory kButtonCategories[] = {SettingCategory::Options, SettingCategory::General,
                                                 SettingCategory::Colors, SettingCategory::Controls,
                                                 SettingCategory::Settings};

bool IsCategory(SettingCategory category) {
  const int value = static_cast<int>(category);
  return value >= 0 && value < kCategoryCount;
}

}  // namespace

const ColumnSet& ColumnSetOf(SettingCategory category) {
  return kColumnSets[IsCategory(category) ? static_cast<int>(category) : 0];
}

namespace {

// Host controls of a dialog that has none: no location, no skins.
class NoHostControls : public HostControls {
 public:
  std::string HostLocation() override { return std::string(); }
  void SetHostLocation(const std::string&) override {}
  void ClearSkins() override {}
  void AddSkin(const std::string&) override {}
  std::vector<std::string> SkinNames() override { return {}; }
  void SelectSkin(int) override {}
  void EnableSkinList(bool) override {}
  void EnableStartButton(bool) override {}
  bool AskForHostExecutable(const std::string&, std::string&) override { return false; }
};

HostControls& NoHost() {
  static NoHostControls none;
  return none;
}

}  // namespace

EditorDialog::EditorDialog(ItemList& itemList, DialogControls& controls, Messages& messages)
    : EditorDialog(itemList, controls, messages, NoHost(), platform::SystemHostServices()) {}

EditorDialog::EditorDialog(ItemList& itemList, DialogControls& controls, Messages& messages,
                           HostControls& hostControls, platform::HostServices& hostServices)
    : itemList_(itemList),
      controls_(controls),
      messages_(messages),
      hostControls_(hostControls),
      hostServices_(hostServices) {
  AttachItemTools({});
}

SettingCatalogue& EditorDialog::CatalogueOf(SettingCategory category) {
  switch (category) {
    case SettingCategory::Options: return optionItems;
    case SettingCategory::General: return generalItems;
    case SettingCategory::Colors: return colorItems;
    case SettingCategory::Controls: return controlItems;
    case SettingCategory::Settings: return settingItems;
    case SettingCategory::Report: break;
  }
  noCatalogue_.Clear();
  return noCatalogue_;
}

SettingCatalogue& EditorDialog::CurrentCatalogue() { return CatalogueOf(currentCategory); }

void EditorDialog::ShowCategory(SettingCategory category) {
  if (!HasCatalogue(category)) return;
  StoreCheckMarks();
  DisplayCategory(category);
}

void EditorDialog::DisplayCategory(SettingCategory category) {
  if (!HasCatalogue(category)) return;
  currentCategory = category;
  ClearItemList();
  SetupColumns();
  SettingCatalogue& catalogue = CurrentCatalogue();
  // Built and read once: a catalogue shown again keeps its edits and ticks.
  if (catalogue.Empty()) {
    BuildCatalogue(category, catalogue);
    LoadSection(skinIniPath, skinText, SectionOf(category), catalogue, messages_);
  }
  FillItemList(catalogue, true);
}

void EditorDialog::StoreCheckMarks() {
  if (choosingSkin || currentCategory == SettingCategory::Report) return;
  SettingCatalogue& catalogue = CurrentCatalogue();
  // The list mirrors the catalogue row for row; never reach past either.
  const int rows = std::min(itemList_.GetItemCount(), catalogue.Count());
  for (int row = 0; row < rows; ++row) {
    catalogue.At(row).checked = itemList_.GetStateImageIndex(row) != kUncheckedStateImage;
  }
}

bool EditorDialog::SaveSkinFile() {
  StoreCheckMarks();
  // The save writes the other sections as the file's own bytes: their text
  // in the working code page is not needed here, nor the text last loaded,
  // whose memory goes back first.
  skinText.Clear();
  // The questions' boxes give the dialog back its activation: the file is
  // not followed meanwhile.
  saving_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{saving_};

  // What another program changed since the file was loaded or saved.
  SkinOnDisk disk;
  std::string why;
  const DiskRead read = ReadSkinOnDisk(skinIniPath, disk, why);
  if (read == DiskRead::Failed) {
    // Saving without what could not be read would lose it.
    messages_.Warn(SaveReadFailureText(why));
    return false;
  }
  SkinMerge merge;
  if (read == DiskRead::Read && file_.known) {
    const SkinValues onDisk = disk.Values();
    merge = MergeSkinValues(file_.values, WrittenValues(), &onDisk);
  }
  // A No leaves everything as it was, with no warning: nothing failed.
  if (!merge.conflicts.empty() && !messages_.ConfirmSave(MergeQuestionText(merge.conflicts))) return false;
  const bool keep = optionItems.FindCopy(option::KeepUnknownLines).boolValue;
  KeptLines kept;
  if (!ConfirmLosses(keep ? &kept : nullptr)) return false;

  // Written from copies that take the file's changes; the catalogues take
  // them only once the file holds them, so a failed save changes nothing.
  SettingCatalogue merged[4];
  const SettingCatalogue* written[4] = {&generalItems, &colorItems, &controlItems, &settingItems};
  if (!merge.taken.empty()) {
    for (int s = 0; s < 4; ++s) {
      merged[s] = SkinCatalogue(s);
      written[s] = &merged[s];
    }
    for (const SettingRef& setting : merge.taken) {
      merged[setting.section].Find(setting.key) = disk.catalogues[setting.section].FindCopy(setting.key);
    }
  }
  SectionStyle style;
  style.onlyChecked = controls_.SaveOnlyChecked();
  style.helpLines = optionItems.FindCopy(option::OutputHelpString).boolValue;
  // Never the sections of an earlier skin or save: only what the file holds now.
  extraBytes.clear();
  if (!CollectOtherSectionBytes(skinIniPath, extraBytes, messages_) && read == DiskRead::Read) {
    messages_.Warn(SaveReadFailureText(std::string()));
    return false;
  }
  // An item the person changed is written in its own form.
  for (const auto& [category, key] : changedItems_) {
    const int section = static_cast<int>(category) - static_cast<int>(SettingCategory::General);
    if (section >= 0 && section < 4) kept.ForgetValue(section, key);
  }
  SaveError error = SaveError::None;
  if (!SaveSkinContent(skinIniPath,
                       {*written[0], *written[1], *written[2], *written[3], std::string(), &extraBytes,
                        keep ? &kept : nullptr},
                       style, &error)) {
    // Silence here would let the person believe the work is safe.
    messages_.Warn(SaveFailureText(error));
    return false;
  }
  // What came from the file can be undone as one step, as any other change.
  if (!merge.taken.empty()) {
    const CatalogueValues before = BeginStep();
    TakeFromFile(disk, merge.taken);
    EndStep(before);
  }
  MarkSaved();
  platform::FileStamp stamp;
  const bool stamped = platform::ReadFileStamp(skinIniPath, stamp);
  RememberFile(WrittenValues(), stamped ? &stamp : nullptr);
  messages_.Report(SavedReportText(static_cast<int>(merge.taken.size())), 3);
  return true;
}

bool EditorDialog::ConfirmLosses(KeptLines* kept) {
  const AnalysisOptions options = SaveAnalysisOptions(kept != nullptr);
  SkinResult result;
  std::string error;
  // The catalogues' keys and lines never change: built at the first save.
  static const KnownKeys known;
  if (!AnalyseSkinFile(skinIniPath, known, options, result, error, kept)) {
    // A file gone meanwhile is written anew; one that is there but cannot be
    // read would be saved without what the save keeps of it.
    if (!platform::FileExists(skinIniPath)) return true;
    messages_.Warn(SaveReadFailureText(error));
    return false;
  }
  const std::string question = SaveQuestionText(result.findings, FileNameOf(NextBackupName(skinIniPath)));
  return question.empty() || messages_.ConfirmSave(question);
}

std::string SaveFailureText(SaveError error) {
  std::string text = J("skin.ini を保存できませんでした。");
  const char* reason = nullptr;
  switch (error) {
    case SaveError::InUse: reason = "ほかのプログラムがファイルを開いています。"; break;
    case SaveError::ReadOnly: reason = "ファイルが読み取り専用です。"; break;
    case SaveError::Backup: reason = "バックアップを作成できませんでした。"; break;
    case SaveError::DiskFull: reason = "ディスクの空き容量が足りません。"; break;
    case SaveError::None:
    case SaveError::Other: break;
  }
  if (reason) text += "\n\n" + J(reason);
  return text;
}

void EditorDialog::ClearItemList() {
  keySearch_.Reset();
  missingFiles_.clear();
  backups_.clear();
  controls_.HideExtraText();
  tools_.preview->Hide();
  itemList_.DeleteAllItems();
  for (int column = itemList_.GetColumnCount() - 1; column >= 0; --column) {
    itemList_.DeleteColumn(column);
  }
  for (SettingCategory button : kButtonCategories) {
    controls_.EnableCategoryButton(button, button != currentCategory);
  }
}

void EditorDialog::SetupColumns() {
  if (IsCategory(currentCategory)) {
    SetupColumns(ColumnSetOf(currentCategory));
  } else {
    RefitColumns();
  }
}

void EditorDialog::SetupColumns(const ColumnSet& set) {
  for (int column = 0; column < 3; ++column) {
    const std::string title = J(set.titles[column]);
    itemList_.InsertColumn(column, title, itemList_.GetStringWidth(title) + 15);
  }
  for (int column = 0; column < 3; ++column) itemList_.SetColumnWidth(column, set.widths[column]);
  RefitColumns();
}

void EditorDialog::FillItemList(const SettingCatalogue& catalogue, bool enableEdit) {
  itemList_.BeginFill();
  for (int i = 0; i < catalogue.Count(); ++i) {
    const SettingItem& item = catalogue.At(i);
    const int row = itemList_.InsertItem(i, item.description, i);
    itemList_.SetItemText(row, 1, item.key);
    itemList_.SetItemText(row, 2, item.FormatValue());
    itemList_.SetStateImageIndex(row, item.checked ? kCheckedStateImage : kUncheckedStateImage);
  }
  itemList_.EndFill();
  itemList_.Show();
  if (itemList_.GetItemCount() > 0) itemList_.SelectAndReveal(0);
  controls_.EnableEditButton(enableEdit);
}

void EditorDialog::RefitColumns() {
  if (itemList_.GetColumnCount() != 3) return;
  int widths[3];
  int total = 0;
  for (int column = 0; column < 3; ++column) {
    widths[column] = itemList_.GetColumnWidth(column);
    total += widths[column];
  }
  // Columns of no width (a list not laid out yet) have nothing to share out.
  if (total <= 0) return;
  const double factor = std::max(0.0, (itemList_.GetWidth() - 20) / static_cast<double>(total));
  for (int column = 0; column < 3; ++column) {
    const double width = std::min(std::trunc(widths[column] * factor), 32767.0);
    itemList_.SetColumnWidth(column, static_cast<int>(width));
  }
}

}  // namespace orlavix
