// Merging what another program changed in skin.ini with this editor's edits,
// setting by setting: a three-way comparison of the values as loaded (or
// last saved), the catalogues, and the file on disk now.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/setting_catalogue.h"

namespace orlavix {

// What a file holds for one setting: the value text of its entry line, or
// nothing when no entry gives it a value (absent, commented out, empty).
// An unticked item is written as a comment and a ticked one with an empty
// value reads back unticked, so both are nothing.
using FileValue = std::optional<std::string>;
FileValue FileValueOf(const SettingItem& item);

// The four skin sections (General, Colors, Controls, Settings) as a file
// holds them, by key.
struct SkinValues {
  std::map<std::string, FileValue> sections[4];
  bool operator==(const SkinValues& other) const;
  bool operator!=(const SkinValues& other) const { return !(*this == other); }
};
SkinValues ValuesOf(const SettingCatalogue& general, const SettingCatalogue& colors,
                    const SettingCatalogue& controls, const SettingCatalogue& settings);

struct SettingRef {
  int section = 0;  // 0..3 as in SkinValues
  std::string key;
  bool operator==(const SettingRef& other) const { return section == other.section && key == other.key; }
};

// A setting changed on both sides, to different values.
struct MergeConflict {
  SettingRef setting;
  FileValue ours;
  FileValue theirs;
};

struct SkinMerge {
  // Settings only the file changed: to be taken from it.
  std::vector<SettingRef> taken;
  std::vector<MergeConflict> conflicts;
};

// Compares each setting of `base` (the file as loaded or last saved) with
// `ours` and `theirs` (the file now; null when it is gone, which leaves
// nothing to take). A setting only ours changed stays ours; both changed
// alike is no conflict.
SkinMerge MergeSkinValues(const SkinValues& base, const SkinValues& ours, const SkinValues* theirs);

// The question before saving over settings that both sides changed: at most
// twelve named, then how many more.
std::string MergeQuestionText(const std::vector<MergeConflict>& conflicts);

// The report after a save that took `taken` settings from the file.
std::string SavedReportText(int taken);

}  // namespace orlavix
