// The contents of the five catalogues: every setting the host understands,
// plus the editor's own options.
#pragma once

#include <cstdint>

#include "model/categories.h"
#include "model/setting_catalogue.h"

namespace orlavix {

// Private window messages of the option commands (WM_APP + 10 to 13). The
// values are part of the options catalogue, so they live beside it.
constexpr std::int32_t kAppMessage = 0x8000;
constexpr std::int32_t kRunWithThisSkinMessage = kAppMessage + 10;
constexpr std::int32_t kCheckUnusedSkinFilesMessage = kAppMessage + 11;
constexpr std::int32_t kShowExtraDataMessage = kAppMessage + 12;
constexpr std::int32_t kRestoreBackupMessage = kAppMessage + 13;

// Keys of the options that other parts of the editor read.
namespace option {
constexpr const char* ShowPreview = "ShowPreview";
constexpr const char* PreviewBackground = "PreviewBackground";
constexpr const char* OutputHelpString = "OutputHelpString";
constexpr const char* UseColorDialog = "UseColorDialog";
constexpr const char* KeepUnknownLines = "KeepUnknownLines";
}  // namespace option

// Each appends its category's items, with their defaults and unticked.
void BuildOptionItems(SettingCatalogue& c);
void BuildGeneralItems(SettingCatalogue& c);
void BuildColorItems(SettingCatalogue& c);
void BuildControlItems(SettingCatalogue& c);
void BuildSettingItems(SettingCatalogue& c);

// The builder of a category; nothing is appended for Report.
void BuildCatalogue(SettingCategory category, SettingCatalogue& c);

// The skin.ini section read into a category's catalogue; "" for Report.
// Options and General both read "General".
const char* SectionOf(SettingCategory category);

}  // namespace orlavix
