// The categories of settings that the item list shows one at a time.
#pragma once

namespace orlavix {

// Report is the list's state while it shows the unused/missing file report
// (or nothing yet); it has no catalogue.
enum class SettingCategory : int {
  Report = 0,
  Options = 1,
  General = 2,
  Colors = 3,
  Controls = 4,
  Settings = 5,
};

constexpr int kCategoryCount = 6;

// Categories 1 to 5: the ones with a catalogue and a button.
constexpr bool HasCatalogue(SettingCategory category) {
  return static_cast<int>(category) >= 1 && static_cast<int>(category) <= 5;
}

}  // namespace orlavix
