// The numbered backups that each save leaves beside skin.ini: finding them,
// reading their values, and the texts that present them. Backups are only
// ever read here.
#pragma once

#include <string>
#include <vector>

#include "editor/edit_history.h"
#include "platform/host_services.h"
#include "support/messages.h"

namespace orlavix {

struct BackupFile {
  std::string name;  // "skin.ini.000"
  std::string path;
  int number = 0;
  platform::FileTime time;
};

// The backups of skinIniPath that exist (its name followed by "." and three
// digits, in any case), newest first by last-write time; of equal times the
// higher number first. Files whose time cannot be read are left out.
std::vector<BackupFile> FindBackups(const std::string& skinIniPath, platform::HostServices& host);

// "yyyy/mm/dd hh:mm".
std::string BackupTimeText(const platform::FileTime& time);

// The values and ticks a skin.ini at `path` gives the four section
// catalogues, read as the editor reads skin.ini when it opens a skin. False
// when the file cannot be read.
bool ReadBackupValues(const std::string& path, CatalogueValues& values, Messages& messages);

// The question before a backup's values replace the editor's: one line per
// change ("Key: 今 X → バックアップ Y", at most `kRestoreQuestionLines`,
// then how many more), then a reminder that skin.ini is not yet written.
constexpr int kRestoreQuestionLines = 12;
std::string RestoreQuestion(const std::string& backupName, const EditStep& changes);

}  // namespace orlavix
