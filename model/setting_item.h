// One known setting of skin.ini: tick mark, description, key, kind and the
// typed value. Texts are in the working code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orlavix {

enum class SettingKind : std::int32_t {
  None = 0,
  Text = 1,
  Color = 2,
  Bool = 3,
  Number = 4,
  FillMode = 5,
  ImageFile = 6,
  Choice = 7,
  Action = 8,
  ReportRow = 9,
};

// Choice words and their bits; the order of this table is the order of the
// drop-down list.
namespace choice {
constexpr std::int32_t Stretch = 0x001;
constexpr std::int32_t Tile = 0x002;
constexpr std::int32_t RightTile = 0x004;
constexpr std::int32_t Bar = 0x008;
constexpr std::int32_t Auto = 0x010;
constexpr std::int32_t Enable = 0x020;
constexpr std::int32_t Disable = 0x040;
constexpr std::int32_t Left = 0x080;
constexpr std::int32_t Right = 0x100;
constexpr std::int32_t Center = 0x200;
}  // namespace choice

// FillMode values: note they differ from the choice bits of the same words.
namespace fill {
constexpr std::int32_t None = 0;
constexpr std::int32_t Tile = 1;
constexpr std::int32_t Stretch = 2;
}  // namespace fill

// The bit of the exactly matching choice word, or 0.
std::int32_t ChoiceFromWord(std::string_view word);

// The word of a single choice bit, or "" when the value is not exactly one bit.
std::string WordFromChoice(std::int32_t bit);

// Number of choice words and the bit at a position in list order.
constexpr int kChoiceCount = 10;
std::int32_t ChoiceBitAt(int index);

// The text an Action item shows instead of its number: "[編集] ボタンで動作".
const std::string& ActionText();

struct SettingItem {
  bool checked = false;
  std::string description;
  std::string key;
  std::int32_t choice = 0;
  std::int32_t allowedChoices = 0;
  SettingKind kind = SettingKind::None;
  std::int32_t fillMode = 0;
  std::string text;
  std::uint32_t color = 0;  // 0x00BBGGRR
  bool boolValue = false;
  std::int32_t number = 0;

  SettingItem() = default;
  // Construction from text: reads the value with the construction rules
  // (choice words are not limited to allowedChoices here).
  SettingItem(SettingKind kind, bool checked, std::string description, std::string key,
              std::string_view valueText);

  std::string FormatValue() const;
  // Replaces the kind's value from text with the editing rules.
  void ParseValue(std::string_view text);
  void ChangeKind(SettingKind newKind);
  // Copies checked, description, key and the value field of this item's kind.
  void AssignValue(const SettingItem& source);
};

// Reads as strtoul(text, nullptr, base) does, truncated to 32 bits.
std::uint32_t ReadUnsigned(std::string_view text, int base);

// The small part of a combo box that FillChoiceList needs.
class ComboBox {
 public:
  virtual ~ComboBox() = default;
  virtual void ResetContent() = 0;
  // Returns the index of the new entry (CB_ADDSTRING's answer).
  virtual int AddString(const std::string& text) = 0;
  virtual void SetCurSel(int index) = 0;
};

void FillChoiceList(const SettingItem& item, ComboBox& combo);

}  // namespace orlavix
