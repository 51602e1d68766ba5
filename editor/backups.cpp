#include "editor/backups.h"

#include <algorithm>
#include <cstdio>

#include "document/skin_document.h"
#include "document/skin_loader.h"
#include "model/catalogues.h"
#include "platform/folders.h"
#include "support/mbtext.h"
#include "support/paths.h"

namespace orlavix {

namespace {

constexpr SettingCategory kSkinCategories[] = {SettingCategory::General, SettingCategory::Colors,
                                               SettingCategory::Controls, SettingCategory::Settings};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The backup number a file name stands for, or -1.
int BackupNumberOf(const std::string& fileName, const std::string& skinIniName) {
  const std::size_t base = skinIniName.size();
  if (fileName.size() != base + 4 || fileName[base] != '.') return -1;
  if (!EqualsNoCase(fileName.substr(0, base), skinIniName)) return -1;
  int number = 0;
  for (std::size_t i = base + 1; i < fileName.size(); ++i) {
    if (!IsDigit(fileName[i])) return -1;
    number = number * 10 + (fileName[i] - '0');
  }
  return number;
}

// The four section catalogues as built, before any file is read: made once.
const CatalogueValues& BuiltCatalogues() {
  static const CatalogueValues built = [] {
    CatalogueValues values;
    for (SettingCategory category : kSkinCategories) {
      SettingCatalogue catalogue;
      BuildCatalogue(category, catalogue);
      values.Take(category, catalogue);
    }
    return values;
  }();
  return built;
}

// A value as the question shows it: empty and unticked said in words.
std::string ShownValue(const SettingItem& item) {
  std::string text = item.FormatValue();
  if (text.empty()) text = J("(空)");
  if (!item.checked) text += J(" (チェックなし)");
  return text;
}

}  // namespace

std::vector<BackupFile> FindBackups(const std::string& skinIniPath, platform::HostServices& host) {
  std::vector<BackupFile> backups;
  std::vector<platform::FolderEntry> entries;
  const std::string folder = RemoveFileSpec(skinIniPath);
  if (!platform::ListFolder(folder, entries)) return backups;
  const std::string skinIniName = FileNameOf(skinIniPath);
  for (const platform::FolderEntry& entry : entries) {
    if (entry.isFolder || !entry.lost.empty()) continue;
    const int number = BackupNumberOf(entry.name, skinIniName);
    if (number < 0) continue;
    BackupFile backup;
    backup.number = number;
    // The name as the folder lists it: on a disk that tells case apart,
    // another spelling would name no file.
    backup.name = entry.name;
    backup.path = JoinPath(folder, entry.name);
    if (!host.LastWriteTime(backup.path, backup.time)) continue;
    backups.push_back(std::move(backup));
  }
  std::sort(backups.begin(), backups.end(), [](const BackupFile& a, const BackupFile& b) {
    if (a.time.stamp != b.time.stamp) return a.time.stamp > b.time.stamp;
    return a.number > b.number;
  });
  return backups;
}

std::string BackupTimeText(const platform::FileTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute);
  return text;
}

bool ReadBackupValues(const std::string& path, CatalogueValues& values, Messages& messages) {
  SkinDocument document;
  document.ReadFromFile(path, messages);
  if (!document.HasText()) return false;
  const CatalogueValues& built = BuiltCatalogues();
  for (SettingCategory category : kSkinCategories) {
    SettingCatalogue catalogue = built.Of(category);
    LoadSectionFrom(document, SectionOf(category), catalogue);
    values.Take(category, catalogue);
  }
  return true;
}

std::string RestoreQuestion(const std::string& backupName, const EditStep& changes) {
  std::string text = backupName + J(" の内容に戻しますか？");
  int shown = 0;
  for (const SettingChange& change : changes) {
    if (shown == kRestoreQuestionLines) break;
    text += "\n" + change.after.key + J(": 今 ") + ShownValue(change.before) + J(" → バックアップ ") +
            ShownValue(change.after);
    ++shown;
  }
  const std::size_t more = changes.size() - static_cast<std::size_t>(shown);
  if (more > 0) text += "\n" + J("ほか ") + std::to_string(more) + J(" 件");
  text += "\n" + J("適用するまで skin.ini は変わりません。");
  return text;
}

}  // namespace orlavix
