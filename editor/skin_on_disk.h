// skin.ini as the editor reads it to start editing, to follow the file and to
// merge before a save: read once, whatever other program holds it open,
// decoded as the reader decodes it, its four sections loaded into fresh
// catalogues.
#pragma once

#include <string>

#include "document/skin_document.h"
#include "editor/skin_merge.h"
#include "model/setting_catalogue.h"
#include "platform/files.h"

namespace orlavix {

struct SkinOnDisk {
  platform::FileStamp stamp;  // taken before the read
  SkinDocument text;
  // General, Colors, Controls, Settings: built, then loaded from the file.
  SettingCatalogue catalogues[4];
  SkinValues Values() const;
};

// The settings of a file written from these catalogues, as the reader reads
// them back: what this editor's values are when compared with a file's.
SkinValues ValuesAsWritten(const SettingCatalogue& general, const SettingCatalogue& colors,
                           const SettingCatalogue& controls, const SettingCatalogue& settings);

enum class DiskRead { Read, Missing, Failed };

// Reads the file into `disk`. A missing file gives catalogues with their
// defaults; one that exists but cannot be read gives Failed with the reason
// in `why` (working code page, "" when the system gives none).
DiskRead ReadSkinOnDisk(const std::string& path, SkinOnDisk& disk, std::string& why);

// The warning when skin.ini exists but cannot be read to start editing.
std::string ReadFailureText(const std::string& path, const std::string& why);
// The warning when the file could not be read before a save, which then
// writes nothing.
std::string SaveReadFailureText(const std::string& why);

}  // namespace orlavix
