// The ordered, growable array of the items of one category.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/setting_item.h"

namespace orlavix {

enum class SortOrder : std::int32_t { None = 0, Ascending = 1, Descending = 2 };

class SettingCatalogue {
 public:
  SettingCatalogue() = default;
  SettingCatalogue(const SettingCatalogue& other);
  SettingCatalogue& operator=(const SettingCatalogue& other);
  SettingCatalogue(SettingCatalogue&&) noexcept = default;
  SettingCatalogue& operator=(SettingCatalogue&&) noexcept = default;

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  bool Empty() const { return count_ == 0; }
  SortOrder sortOrder = SortOrder::None;

  // Appending: each builds the item and appends a copy, unticked.
  void Append(const SettingItem& item);
  void AddFromText(std::string description, std::string key, std::string_view defaultText, SettingKind kind);
  void AddBlank(std::string description, std::string key, SettingKind kind);
  void AddNumber(std::string description, std::string key, std::int32_t number);
  void AddBool(std::string description, std::string key, bool value);
  void AddColor(std::string description, std::string key, std::uint8_t red, std::uint8_t green,
                std::uint8_t blue);
  void AddChoice(std::string description, std::string key, std::string_view defaultWord,
                 std::int32_t allowed);
  void AddAction(std::string description, std::string key, std::int32_t messageId);
  // Increments rowCounter first; the row's key is the new counter in decimal.
  void AddReportRow(std::string label, int& rowCounter, std::string fileName);

  // First item whose key equals key exactly; on a miss, a shared empty item
  // (kind None) reset at every miss, not to be kept or changed.
  SettingItem& Find(std::string_view key);
  SettingItem FindCopy(std::string_view key) const;
  std::string ValueTextOf(std::string_view key) const;
  bool SetFromText(std::string_view key, std::string_view text, std::optional<bool> checked = std::nullopt);

  // 0 <= index < Count() is required; anything else is a programming error.
  SettingItem& At(int index);
  const SettingItem& At(int index) const;

  // order -1 toggles; column 0 description, 1 key, 2 value text.
  void Sort(int order, int column);
  void Swap(int i, int j);
  void Clear();

  // Test hook: makes the next block allocation fail, as running out of memory would.
  static void FailNextAllocationForTesting();

 private:
  bool Grow();
  int IndexOf(std::string_view key) const;  // -1 on a miss

  std::unique_ptr<SettingItem[]> items_;
  int count_ = 0;
  int capacity_ = 0;
};

}  // namespace orlavix
