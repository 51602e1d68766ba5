// Undo and redo of the edits of one editing session: each step holds, for
// every setting it changed, the item as the step found it and as it left it.
// Portable; the editor applies the steps to its catalogues.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "model/categories.h"
#include "model/setting_catalogue.h"

namespace orlavix {

// One setting as a step found it and as it left it.
struct SettingChange {
  SettingCategory category = SettingCategory::Report;
  SettingItem before;
  SettingItem after;
};

// What one action of the person changed, in the list's row order.
using EditStep = std::vector<SettingChange>;

// Equal for a save: the same tick and the same value text.
bool SameSetting(const SettingItem& a, const SettingItem& b);

// The values and ticks of the editor's catalogues at one moment.
class CatalogueValues {
 public:
  void Take(SettingCategory category, const SettingCatalogue& catalogue);
  const SettingCatalogue& Of(SettingCategory category) const;

  // The settings whose value or tick differ in `later`, matched by key (a
  // sort in between changes nothing), in the order of `later`'s rows. Only
  // categories taken in both are compared.
  EditStep ChangesTo(const CatalogueValues& later) const;
  // ChangesTo(later) is not empty, told without collecting the changes.
  bool DiffersFrom(const CatalogueValues& later) const;

 private:
  std::array<SettingCatalogue, kCategoryCount> catalogues_;
  std::array<bool, kCategoryCount> taken_{};
};

// The steps of a session and where in them the catalogues stand.
class EditHistory {
 public:
  void Clear();
  // A step done after the last one: the steps undone before it are dropped.
  // A step that changed nothing is not kept.
  void Record(EditStep step);
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The step to take back (apply its `before` items), or to do again (its
  // `after` items); null when there is none. Moves the position.
  const EditStep* Undo();
  const EditStep* Redo();

 private:
  std::vector<EditStep> steps_;
  std::size_t done_ = 0;
};

// The editor's keyboard commands of the whole dialog.
enum class EditKey { None, Undo, Redo };
// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. `virtualKey` is the key's
// code ('Z' and 'Y' are their capital letters).
EditKey EditKeyOf(int virtualKey, bool control, bool shift, bool alt);

}  // namespace orlavix
