#include "model/setting_catalogue.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "support/mbtext.h"

namespace orlavix {
namespace {

bool failNextAllocation = false;

SettingItem& SharedEmptyItem() {
  static SettingItem empty;
  empty = SettingItem();
  return empty;
}

}  // namespace

SettingCatalogue::SettingCatalogue(const SettingCatalogue& other)
    : sortOrder(other.sortOrder), count_(other.count_), capacity_(other.capacity_) {
  if (capacity_ > 0) {
    items_.reset(new SettingItem[static_cast<std::size_t>(capacity_)]);
    for (int i = 0; i < count_; ++i) items_[i] = other.items_[i];
  }
}

SettingCatalogue& SettingCatalogue::operator=(const SettingCatalogue& other) {
  if (this != &other) {
    SettingCatalogue copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void SettingCatalogue::FailNextAllocationForTesting() { failNextAllocation = true; }

bool SettingCatalogue::Grow() {
  const int newCapacity = capacity_ == 0 ? 1 : capacity_ * 2;
  if (failNextAllocation) {
    failNextAllocation = false;
    return false;
  }
  std::unique_ptr<SettingItem[]> block(new (std::nothrow) SettingItem[static_cast<std::size_t>(newCapacity)]);
  if (!block) return false;
  for (int i = 0; i < count_; ++i) block[i] = std::move(items_[i]);
  items_ = std::move(block);
  capacity_ = newCapacity;
  return true;
}

void SettingCatalogue::Append(const SettingItem& item) {
  // A failed allocation drops this one item and leaves the catalogue whole.
  if (count_ == capacity_ && !Grow()) return;
  items_[count_] = item;
  ++count_;
}

void SettingCatalogue::AddFromText(std::string description, std::string key, std::string_view defaultText,
                                   SettingKind kind) {
  Append(SettingItem(kind, false, std::move(description), std::move(key), defaultText));
}

void SettingCatalogue::AddBlank(std::string description, std::string key, SettingKind kind) {
  AddFromText(std::move(description), std::move(key), "", kind);
}

void SettingCatalogue::AddNumber(std::string description, std::string key, std::int32_t number) {
  SettingItem item(SettingKind::Number, false, std::move(description), std::move(key), "");
  item.number = number;
  Append(item);
}

void SettingCatalogue::AddBool(std::string description, std::string key, bool value) {
  SettingItem item(SettingKind::Bool, false, std::move(description), std::move(key), "");
  item.boolValue = value;
  Append(item);
}

void SettingCatalogue::AddColor(std::string description, std::string key, std::uint8_t red, std::uint8_t green,
                                std::uint8_t blue) {
  SettingItem item(SettingKind::Color, false, std::move(description), std::move(key), "");
  item.color = red + green * 0x100u + blue * 0x10000u;
  Append(item);
}

void SettingCatalogue::AddChoice(std::string description, std::string key, std::string_view defaultWord,
                                 std::int32_t allowed) {
  SettingItem item(SettingKind::Choice, false, std::move(description), std::move(key), "");
  item.choice = ChoiceFromWord(defaultWord);
  item.allowedChoices = allowed;
  Append(item);
}

void SettingCatalogue::AddAction(std::string description, std::string key, std::int32_t messageId) {
  SettingItem item(SettingKind::Action, false, std::move(description), std::move(key), "");
  item.number = messageId;
  Append(item);
}

void SettingCatalogue::AddReportRow(std::string label, int& rowCounter, std::string fileName) {
  ++rowCounter;
  Append(SettingItem(SettingKind::ReportRow, false, std::move(label), std::to_string(rowCounter), fileName));
}

int SettingCatalogue::IndexOf(std::string_view key) const {
  for (int i = 0; i < count_; ++i) {
    if (MbsCompare(items_[i].key, key) == 0) return i;
  }
  return -1;
}

SettingItem& SettingCatalogue::Find(std::string_view key) {
  const int i = IndexOf(key);
  return i >= 0 ? items_[i] : SharedEmptyItem();
}

SettingItem SettingCatalogue::FindCopy(std::string_view key) const {
  const int i = IndexOf(key);
  return i >= 0 ? items_[i] : SettingItem();
}

std::string SettingCatalogue::ValueTextOf(std::string_view key) const { return FindCopy(key).FormatValue(); }

bool SettingCatalogue::SetFromText(std::string_view key, std::string_view text, std::optional<bool> checked) {
  SettingItem& item = Find(key);
  if (item.kind == SettingKind::None) return false;
  item.ParseValue(text);
  if (checked) item.checked = *checked;
  return true;
}

SettingItem& SettingCatalogue::At(int index) {
  if (index < 0 || index >= count_) throw std::out_of_range("SettingCatalogue::At");
  return items_[index];
}

const SettingItem& SettingCatalogue::At(int index) const {
  if (index < 0 || index >= count_) throw std::out_of_range("SettingCatalogue::At");
  return items_[index];
}

void SettingCatalogue::Swap(int i, int j) { std::swap(At(i), At(j)); }

void SettingCatalogue::Sort(int order, int column) {
  if (order == -1) {
    sortOrder = sortOrder == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
  } else {
    sortOrder = static_cast<SortOrder>(order);
  }
  if (column < 0 || column > 2) return;
  auto textOf = [column](const SettingItem& item) -> std::string {
    if (column == 0) return item.description;
    if (column == 1) return item.key;
    return item.FormatValue();
  };
  // This exact exchange order decides where equal texts end up; the list's
  // rows must come out the same on every run, so keep it as it is.
  const int n = count_;
  for (int i = 0; i + 1 < n; ++i) {
    for (int j = n - 1; j > i; --j) {
      const int cmp = MbsCompare(textOf(items_[i]), textOf(items_[j]));
      if ((sortOrder == SortOrder::Ascending && cmp > 0) || (sortOrder == SortOrder::Descending && cmp < 0)) {
        Swap(i, j);
      }
    }
  }
}

void SettingCatalogue::Clear() {
  items_.reset();
  count_ = 0;
  capacity_ = 0;
}

}  // namespace orlavix
