#include "model/setting_item.h"

#include <cstdio>

#include "support/mbtext.h"

namespace orlavix {
namespace {

struct ChoiceWord {
  std::int32_t bit;
  const char* word;
};

constexpr ChoiceWord kChoiceWords[kChoiceCount] = {
    {choice::Stretch, "stretch"}, {choice::Tile, "tile"},     {choice::RightTile, "right-tile"},
    {choice::Bar, "bar"},         {choice::Auto, "auto"},     {choice::Enable, "enable"},
    {choice::Disable, "disable"}, {choice::Left, "left"},     {choice::Right, "right"},
    {choice::Center, "center"},
};

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

std::uint32_t ReadColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return 0;
  const std::uint32_t red = ReadUnsigned(text.substr(1, 2), 16) & 0xFF;
  const std::uint32_t green = ReadUnsigned(text.substr(3, 2), 16) & 0xFF;
  const std::uint32_t blue = ReadUnsigned(text.substr(5, 2), 16) & 0xFF;
  return red + green * 0x100 + blue * 0x10000;
}

std::int32_t ReadFillMode(std::string_view text) {
  if (MbsCompare(text, "tile") == 0) return fill::Tile;
  if (MbsCompare(text, "stretch") == 0) return fill::Stretch;
  return fill::None;
}

// Reads the kind's value; `restrictChoices` selects the editing rule for Choice.
void ReadValue(SettingItem& item, std::string_view text, bool restrictChoices) {
  switch (item.kind) {
    case SettingKind::Text:
    case SettingKind::ImageFile:
    case SettingKind::ReportRow:
      item.text = std::string(text);
      break;
    case SettingKind::Color:
      item.color = ReadColor(text);
      break;
    case SettingKind::Bool:
      item.boolValue = MbsCompare(text, "true") == 0;
      break;
    case SettingKind::Number:
    case SettingKind::Action:
      item.number = static_cast<std::int32_t>(ReadUnsigned(text, 10));
      break;
    case SettingKind::FillMode:
      item.fillMode = ReadFillMode(text);
      break;
    case SettingKind::Choice: {
      const std::int32_t bit = ChoiceFromWord(text);
      item.choice = (!restrictChoices || (bit & item.allowedChoices) != 0) ? bit : 0;
      break;
    }
    case SettingKind::None:
      break;
  }
}

}  // namespace

std::int32_t ChoiceFromWord(std::string_view word) {
  for (const ChoiceWord& c : kChoiceWords) {
    if (MbsCompare(word, c.word) == 0) return c.bit;
  }
  return 0;
}

std::string WordFromChoice(std::int32_t bit) {
  for (const ChoiceWord& c : kChoiceWords) {
    if (c.bit == bit) return c.word;
  }
  return "";
}

std::int32_t ChoiceBitAt(int index) {
  return index >= 0 && index < kChoiceCount ? kChoiceWords[index].bit : 0;
}

const std::string& ActionText() {
  static const std::string text = J("[編集] ボタンで動作");
  return text;
}

std::uint32_t ReadUnsigned(std::string_view text, int base) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (base == 16 && i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      DigitValue(text[i + 2]) < 16) {
    i += 2;
  }
  std::uint64_t value = 0;
  bool overflow = false;
  for (; i < text.size(); ++i) {
    const int d = DigitValue(text[i]);
    if (d >= base) break;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (value > 0xFFFFFFFFull) {
      overflow = true;
      value = 0xFFFFFFFFull;  // keep reading digits, the result is fixed now
    }
  }
  if (overflow) return 0xFFFFFFFFu;
  const std::uint32_t result = static_cast<std::uint32_t>(value);
  return negative ? 0u - result : result;
}

SettingItem::SettingItem(SettingKind kind_, bool checked_, std::string description_, std::string key_,
                         std::string_view valueText)
    : checked(checked_), description(std::move(description_)), key(std::move(key_)), kind(kind_) {
  ReadValue(*this, valueText, false);
}

std::string SettingItem::FormatValue() const {
  switch (kind) {
    case SettingKind::Text:
    case SettingKind::ImageFile:
    case SettingKind::ReportRow:
      return text;
    case SettingKind::Color: {
      char buf[8];
      std::snprintf(buf, sizeof buf, "#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                    static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
      return buf;
    }
    case SettingKind::Bool:
      return boolValue ? "true" : "false";
    case SettingKind::Number:
      return std::to_string(number);
    case SettingKind::FillMode:
      return fillMode == fill::Tile ? "tile" : fillMode == fill::Stretch ? "stretch" : "";
    case SettingKind::Choice:
      return WordFromChoice(choice);
    case SettingKind::Action:
      return ActionText();
    case SettingKind::None:
      break;
  }
  return "";
}

void SettingItem::ParseValue(std::string_view valueText) { ReadValue(*this, valueText, true); }

void SettingItem::ChangeKind(SettingKind newKind) {
  if (kind == SettingKind::Action && newKind == SettingKind::Action) return;
  const std::int32_t allowed = allowedChoices;
  SettingItem rebuilt(newKind, checked, description, key, FormatValue());
  rebuilt.allowedChoices = allowed;
  *this = std::move(rebuilt);
}

void SettingItem::AssignValue(const SettingItem& source) {
  checked = source.checked;
  description = source.description;
  key = source.key;
  switch (kind) {
    case SettingKind::Text:
    case SettingKind::ImageFile:
    case SettingKind::ReportRow:
      text = source.text;
      break;
    case SettingKind::Color:
      color = source.color;
      break;
    case SettingKind::Bool:
      boolValue = source.boolValue;
      break;
    case SettingKind::Number:
    case SettingKind::Action:
      number = source.number;
      break;
    case SettingKind::FillMode:
      fillMode = source.fillMode;
      break;
    case SettingKind::Choice:
      choice = source.choice;
      break;
    case SettingKind::None:
      break;
  }
}

void FillChoiceList(const SettingItem& item, ComboBox& combo) {
  combo.ResetContent();
  bool remembered = false;
  int selected = 0;
  for (const ChoiceWord& c : kChoiceWords) {
    if ((c.bit & item.allowedChoices) == 0) continue;
    const int index = combo.AddString(c.word);
    if (c.bit == item.choice) {
      remembered = true;
      selected = index;
    }
  }
  if (remembered) combo.SetCurSel(selected);
}

}  // namespace orlavix
