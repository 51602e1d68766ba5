// The unused/missing image report: which image names the ticked Controls
// settings give that no file in the skin's controls folder answers, and which
// files of that folder no setting names. Shared by the editor's report rows
// and by the command-line checker, so both always agree.
#pragma once

#include <string>
#include <vector>

#include "model/setting_catalogue.h"

namespace orlavix {

// The names the Controls settings use: the value text of every ticked
// ImageFile item whose value is not empty, in catalogue order.
std::vector<std::string> UsedImageNames(const SettingCatalogue& controlItems);

// The names of the files (not the sub-folders) of the controls folder, as the
// system lists them; empty when the folder is missing or cannot be listed.
std::vector<std::string> PresentImageFiles(const std::string& controlsFolder);

// Both lists in lower case, in the order the report shows them.
struct SkinFileReport {
  std::vector<std::string> missing;  // named by a setting, no such file
  std::vector<std::string> unused;   // a file no setting names
};

// Sorts both lists as _mbscmp does, lower-cases them, drops repeated used
// names (after lower-casing, so Tab.PNG and tab.png are one name), pairs each
// used name with the first equal file, and never reports
// "toolbar_drop_down_glass.png" as unused: the host draws it on its own.
// Sort and merge: O(n log n) in the number of names.
SkinFileReport CompareSkinFiles(std::vector<std::string> used, std::vector<std::string> present);

// The file the host uses without any setting naming it.
extern const char* const kGlassDropDownFile;

}  // namespace orlavix
