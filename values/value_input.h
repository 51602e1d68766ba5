// What the value input dialog shows for an item and how it reads the value
// back, free of any window: the Win32 dialog only carries these out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/setting_item.h"

namespace orlavix {

// The control that edits the value; the text box and the drop-down list
// share one place in the dialog.
enum class ValueControl { None, TextBox, ChoiceList };

struct ValueInputLayout {
  ValueControl control = ValueControl::None;
  // The label naming the kind of value ("テキスト", "数値", "色"), in the
  // working code page; empty when no label is shown.
  std::string label;
  // Text box: its text and whether only digits may be typed.
  std::string text;
  bool digitsOnly = false;
  // Drop-down list: its entries in order and the selected one (-1: none).
  std::vector<std::string> entries;
  int selection = -1;
};

// True when the item is edited in the colour chooser alone, the dialog never
// showing itself.
bool EditsInColorChooser(const SettingItem& item, bool useColorChooser);

// What the dialog shows for `item`.
ValueInputLayout LayoutForItem(const SettingItem& item, bool useColorChooser);

// What the person left in the value control when confirming.
struct ValueInputAnswer {
  std::string text;          // the text box's text, exactly as typed
  int selection = -1;        // the list's selected index, -1 for none
  std::string selectedText;  // the selected entry's text, "" for none
};

// Confirm: ticks the item and reads its value back from the answer by kind.
// Text and image names are kept untrimmed and ticked only when not empty.
void ConfirmValue(SettingItem& item, bool useColorChooser, const ValueInputAnswer& answer);

// The colour chooser's OK: the chosen colour (0x00BBGGRR), ticked.
void AcceptChosenColor(SettingItem& item, std::uint32_t color);

// The colour text as typed, made readable: blanks trimmed at both ends
// (a double-byte character is never split) and "#" put before six bytes
// that lack it. Anything else is left for the colour reading rule to refuse.
std::string NormalizeColorText(std::string_view typed);

}  // namespace orlavix
