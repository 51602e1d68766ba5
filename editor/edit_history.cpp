#include "editor/edit_history.h"

#include <utility>

namespace orlavix {

namespace {

constexpr int kZKey = 'Z';
constexpr int kYKey = 'Y';

// The item of `catalogue` with the key of `item`, looked for first where it
// stands in the other catalogue: the rows are in the same order unless one
// of them was sorted since.
const SettingItem* Counterpart(const SettingCatalogue& catalogue, int index, const SettingItem& item) {
  if (index < catalogue.Count() && catalogue.At(index).key == item.key) return &catalogue.At(index);
  for (int i = 0; i < catalogue.Count(); ++i) {
    if (catalogue.At(i).key == item.key) return &catalogue.At(i);
  }
  return nullptr;
}

// Calls `found(category, earlier, later)` for each differing setting; stops
// when it answers false.
template <typename Found>
void ForEachChange(const std::array<SettingCatalogue, kCategoryCount>& earlier,
                   const std::array<bool, kCategoryCount>& earlierTaken,
                   const std::array<SettingCatalogue, kCategoryCount>& later,
                   const std::array<bool, kCategoryCount>& laterTaken, Found found) {
  for (int c = 0; c < kCategoryCount; ++c) {
    if (!earlierTaken[c] || !laterTaken[c]) continue;
    const SettingCatalogue& now = later[c];
    for (int i = 0; i < now.Count(); ++i) {
      const SettingItem* then = Counterpart(earlier[c], i, now.At(i));
      if (!then || SameSetting(*then, now.At(i))) continue;
      if (!found(static_cast<SettingCategory>(c), *then, now.At(i))) return;
    }
  }
}

}  // namespace

bool SameSetting(const SettingItem& a, const SettingItem& b) {
  return a.checked == b.checked && a.FormatValue() == b.FormatValue();
}

void CatalogueValues::Take(SettingCategory category, const SettingCatalogue& catalogue) {
  const int c = static_cast<int>(category);
  if (c < 0 || c >= kCategoryCount) return;
  catalogues_[c] = catalogue;
  taken_[c] = true;
}

const SettingCatalogue& CatalogueValues::Of(SettingCategory category) const {
  const int c = static_cast<int>(category);
  return catalogues_[c >= 0 && c < kCategoryCount ? c : 0];
}

EditStep CatalogueValues::ChangesTo(const CatalogueValues& later) const {
  EditStep step;
  ForEachChange(catalogues_, taken_, later.catalogues_, later.taken_,
                [&](SettingCategory category, const SettingItem& then, const SettingItem& now) {
                  step.push_back({category, then, now});
                  return true;
                });
  return step;
}

bool CatalogueValues::DiffersFrom(const CatalogueValues& later) const {
  bool differs = false;
  ForEachChange(catalogues_, taken_, later.catalogues_, later.taken_,
                [&](SettingCategory, const SettingItem&, const SettingItem&) {
                  differs = true;
                  return false;
                });
  return differs;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
}

void EditHistory::Record(EditStep step) {
  if (step.empty()) return;
  steps_.resize(done_);
  steps_.push_back(std::move(step));
  done_ = steps_.size();
}

const EditStep* EditHistory::Undo() {
  if (!CanUndo()) return nullptr;
  return &steps_[--done_];
}

const EditStep* EditHistory::Redo() {
  if (!CanRedo()) return nullptr;
  return &steps_[done_++];
}

EditKey EditKeyOf(int virtualKey, bool control, bool shift, bool alt) {
  if (!control || alt) return EditKey::None;
  if (virtualKey == kZKey) return shift ? EditKey::Redo : EditKey::Undo;
  if (virtualKey == kYKey && !shift) return EditKey::Redo;
  return EditKey::None;
}

}  // namespace orlavix
